// The main window's construction.
#include "Form1/Form1.h"

Form1::Form1(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Kelvane  VOK"));
}
