// A form at its monitor's dpi: the dpi it is made at, its fonts, its client area, and its
// layout again when it moves to a monitor of another dpi.
#pragma once

#include "platform/win32/Native.h"

// The system's dpi, and the dpi of the monitor a window is on where the system says (Windows 10
// from 1607), the system's elsewhere.
int screenDpi();
int windowDpi(HWND window);
// Twips per pixel follow the dpi.
void setDpi(Form::Native &form, int dpi);

// The row's font, or the form's when the row has none; made once per dpi.
HFONT controlFont(Form::Native &form, const ControlRow &row);

// The client area the description's size at the form's dpi, the frame and menu bar around it.
void fitClientArea(Form::Native &form);

// Moved to a screen of another dpi, the window is laid out again from its twips there, as at
// its making: it takes the system's suggested place, its client area the description's size,
// its controls their places and new fonts, and the chart is drawn again.
void changeDpi(Form::Native &form, int dpi, const RECT &suggested);
