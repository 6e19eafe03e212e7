// Prints the text of each visible message box with the given title, one a line, in UTF-8.
// Wine's message box copies nothing on Ctrl+C, so the end-to-end tests read what it shows
// through the window manager, as a screen reader would. Built for Windows, run under Wine.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

// The static control that holds a message box's text.
constexpr int MessageTextId = 0xFFFF;

BOOL CALLBACK printIfMessageBox(HWND window, LPARAM title)
{
    wchar_t className[16], text[4096];
    char utf8[3 * 4096];
    if (!IsWindowVisible(window) || !GetClassNameW(window, className, 16)
        || wcscmp(className, L"#32770") != 0 || !GetWindowTextW(window, text, 4096)
        || wcscmp(text, reinterpret_cast<const wchar_t *>(title)) != 0)
        return TRUE;
    HWND label = GetDlgItem(window, MessageTextId);
    if (!label || !GetWindowTextW(label, text, 4096))
        return TRUE;
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    if (length > 0)
        std::printf("%s\n", utf8);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wintext TITLE\n");
        return 2;
    }
    EnumWindows(printIfMessageBox, reinterpret_cast<LPARAM>(argv[1]));
    return 0;
}
