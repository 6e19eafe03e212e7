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
    // The program takes no command-line options, and Qt's own (-reverse, -style, -qwindowtitle...)
    // must change nothing either: Qt gets the program's name alone, kept for Qt's whole life.
    static char fallbackName[] = "kelvane-vok";
    static char *qtArgv[] = { argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr };
    static int qtArgc = 1;
    QApplication app(qtArgc, qtArgv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.vok"));
    Form1 form;
    form.show();
    return app.exec();
}
