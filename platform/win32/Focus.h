// The keyboard focus within a form.
#pragma once

#include "platform/win32/Native.h"

// The Tab key moves the focus along the form's focus order; true when it did so with this
// message.
bool moveFocusOnTab(const MSG &message);
// The control that had the focus when the window was left gets it back when the window gets
// the focus again; the first of the focus order if none.
void rememberFocus(Form::Native &form);
void restoreFocus(Form::Native &form);
