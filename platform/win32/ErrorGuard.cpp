// The error guard's message box: the system's own, which copies its text with Ctrl+C.
#include "platform/ErrorGuard.h"

#include "platform/Form.h"
#include "platform/win32/Native.h"
#include "platform/win32/Text.h"

void showErrorMessage(const Form *owner, const std::string &text)
{
    const HWND window = owner ? owner->native().window : nullptr;
    MessageBoxW(window, toWide(text).c_str(), L"Kelvane  VOK", MB_ICONERROR | MB_OK);
}
