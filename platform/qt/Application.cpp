// The Qt application, and what the run-time answers for the whole program: the busy pointer
// and the user's number settings.
#include "platform/Application.h"
#include "platform/BusyCursor.h"
#include "platform/core/Locale.h"
#include "platform/qt/Native.h"

#include <QApplication>
#include <QLocale>

Application::Application(int argc, char *argv[]) : native_(std::make_unique<Native>())
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
    native_->application = std::make_unique<QApplication>(qtArgc, qtArgv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.vok"));
}

Application::~Application() = default;

int Application::run() { return QApplication::exec(); }

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

std::string userDecimalSeparator() { return QLocale().decimalPoint().toStdString(); }
