// The plotting step: one red segment per drawn sample.
#include "Form1/Form1.h"

void Form1::DrawSegment() { }
