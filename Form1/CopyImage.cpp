// Copy image: the window's client area to the clipboard.
#include "Form1/Form1.h"

void Form1::Command1_Click() { }
