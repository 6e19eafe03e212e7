// The form's controls: their making, colours, tool tips and text.
#pragma once

#include "platform/win32/Native.h"

// The rows' controls, each by its name, with identifiers from firstId in the rows' order.
void createControls(Form::Native &form, std::span<const ControlRow> rows, UINT firstId,
                    std::map<std::string, std::unique_ptr<Control>, std::less<>> &controls);
// The captions without a window, for the form's WM_PAINT; a caption gets a window of its own
// when it comes to name a box.
void paintCaptions(Form::Native &form);
void drawPictureButton(const Control::Native &button, const DRAWITEMSTRUCT &item);
// The answer to WM_CTLCOLORSTATIC or WM_CTLCOLOREDIT: the control's colours, or the system's
// for the kind of control.
LRESULT colourControl(Form::Native &form, UINT message, WPARAM wParam, LPARAM lParam);
// A window without tool tips still works: a tip that cannot be made is left out.
void addToolTip(Form::Native &form, HWND control, const char *text);
// A top-level window's caption, an edit box's content.
std::wstring windowText(HWND window);
