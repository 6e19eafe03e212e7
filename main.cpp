// Start-up: the main window is the program; nothing else runs before it.
#include "Form1/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Qt's own scaling would lay the window out in pixels of 96 dpi, stretch them to the screen's
    // dpi and, on X11, report the pointer in those coarse pixels. Without it the desktop's dpi
    // (Xft.dpi) is the logical dpi and every pixel is a device pixel; a compositor's output scale
    // (Wayland) still reaches the window as its device pixel ratio.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.vok"));
    Form1 form;
    form.show();
    return app.exec();
}
