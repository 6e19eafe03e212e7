// How many twips a pixel of a widget's screen is, for Qt widgets.
#pragma once

#include "platform/core/Twips.h"

#include <QRect>

class QWidget;

// Twips per device pixel: 1440 / the effective dots per inch of the widget's screen, its logical
// dpi times its device pixel ratio. 15 at 96 dpi, 10 at 144 dpi or at 96 dpi scaled by 1.5,
// 7.5 at a ratio of 2. The chart, the pointer read-out and the window image work in these.
double twipsPerPixel(const QWidget *widget);

// Twips per layout pixel: the unit Qt places widgets in, which it then scales by the device pixel
// ratio itself. Equal to twipsPerPixel wherever the ratio is 1.
double twipsPerLayoutPixel(const QWidget *widget);

inline QRect toQRect(const PixelRect &rect)
{
    return QRect(rect.left, rect.top, rect.width, rect.height);
}
