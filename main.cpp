// Start-up: the main window is the program; nothing else runs before it.
#include "Form1/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.vok"));
    Form1 form;
    form.show();
    return app.exec();
}
