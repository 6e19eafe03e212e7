// Twips per pixel of a widget's screen.
#include "platform/qt/ScreenDpi.h"

#include <QWidget>

double twipsPerLayoutPixel(const QWidget *widget) { return 1440.0 / widget->logicalDpiX(); }

double twipsPerPixel(const QWidget *widget)
{
    return twipsPerLayoutPixel(widget) / widget->devicePixelRatioF();
}
