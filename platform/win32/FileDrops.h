// Files dragged from a file manager and dropped anywhere on a form.
#pragma once

#include "platform/win32/Native.h"

#include <shellapi.h>

// Hands the files to the form's drop handler and releases the drop.
void filesDropped(Form::Native &form, HDROP drop);
