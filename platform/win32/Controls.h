// The form's controls as child windows: their making, colours, tool tips and text.
#pragma once

#include "platform/win32/Native.h"

std::unique_ptr<Control> createControl(Form::Native &form, const ControlRow &row, UINT id,
                                       HFONT font);
void drawPictureButton(const Control::Native &button, const DRAWITEMSTRUCT &item);
// The answer to WM_CTLCOLORSTATIC or WM_CTLCOLOREDIT: the control's colours, or the system's
// for the kind of control.
LRESULT colourControl(Form::Native &form, UINT message, WPARAM wParam, LPARAM lParam);
// A window without tool tips still works: a tip that cannot be made is left out.
void addToolTip(Form::Native &form, HWND control, const char *text);
// A top-level window's caption, an edit box's content.
std::wstring windowText(HWND window);
