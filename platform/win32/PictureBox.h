// The chart box as a child window of the form.
#pragma once

#include "platform/win32/Native.h"

std::unique_ptr<Control> createPictureBox(Form::Native &form, const ControlRow &row, UINT id);
// Lines drawn on the screen only are gone, as once the window is minimised.
void dropScreenLines(PictureSurface &surface);
// The chart again at the form's new dpi, once its window has its new size.
void redrawAtDpi(PictureSurface &surface);
