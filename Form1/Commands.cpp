// New, Open and Exit.
#include "Form1/Form1.h"

void Form1::Cm1_Click() { }
void Form1::mnuNew_Click() { }
void Form1::Cm2_Click() { }
void Form1::mnuopen_Click() { }
void Form1::Command2_Click() { }
void Form1::mnuexit_Click() { }
