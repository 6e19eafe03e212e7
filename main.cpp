// Start-up: the main window is the program; nothing else runs before it.
#include "Form1/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return app.exec();
}
