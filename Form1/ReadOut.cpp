// The pointer read-out under the chart.
#include "Form1/Form1.h"

void Form1::Pic_MouseMove(short, short, float, float) { }
