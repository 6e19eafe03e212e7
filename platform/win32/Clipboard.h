// Text on the clipboard, for the error guard's message box.
#pragma once

#include <string>

// Failures are clipboard errors.
void setClipboardText(const std::wstring &text);
