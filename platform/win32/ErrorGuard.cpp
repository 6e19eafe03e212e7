// The error guard's message box: the system's own, with its text copied by Ctrl+C.
#include "platform/ErrorGuard.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/Controls.h"

namespace {

// What Ctrl+C copies from the box on view, in the layout Windows copies a message box in.
std::wstring &boxCopy()
{
    static std::wstring text;
    return text;
}

HHOOK &copyHook()
{
    static HHOOK hook = nullptr;
    return hook;
}

bool isCopyKey(const MSG &message)
{
    return message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0
            && (message.wParam == 'C' || message.wParam == VK_INSERT);
}

// Windows' own box copies its text but Wine's does not, so the program copies it for both: the
// key is taken before the box sees it, and the same text lands on the clipboard either way.
LRESULT CALLBACK copyOnCtrlC(int code, WPARAM removed, LPARAM data)
{
    auto &message = *reinterpret_cast<MSG *>(data);
    if (code == HC_ACTION && removed == PM_REMOVE && isCopyKey(message)) {
        wchar_t className[8] {};
        GetClassNameW(GetAncestor(message.hwnd, GA_ROOT), className, 8);
        if (lstrcmpW(className, L"#32770") == 0) {
            try {
                setClipboardText(boxCopy());
            } catch (...) {
                // The box is the error report already; a copy that failed leaves the clipboard.
            }
            message.message = WM_NULL;
        }
    }
    return CallNextHookEx(copyHook(), code, removed, data);
}

} // namespace

void showErrorMessage(const Form *owner, const std::string &text)
{
    const HWND window = owner ? owner->native().window : nullptr;
    const std::wstring title = window ? windowText(window) : toWide(ProgramName);
    const std::wstring wide = toWide(text);
    constexpr wchar_t Rule[] = L"---------------------------\r\n";
    boxCopy() = std::wstring(Rule) + title + L"\r\n" + Rule + wide + L"\r\n" + Rule + L"OK   \r\n"
            + Rule;
    // A box shown from another box's handler keeps the one hook already there.
    const bool hooked = !copyHook();
    if (hooked)
        copyHook() = SetWindowsHookExW(WH_GETMESSAGE, copyOnCtrlC, nullptr, GetCurrentThreadId());
    MessageBoxW(window, wide.c_str(), title.c_str(), MB_ICONERROR | MB_OK);
    if (hooked && copyHook()) {
        UnhookWindowsHookEx(copyHook());
        copyHook() = nullptr;
    }
}
