// The Windows start-up yardstick: a bare Win32 main window of the viewer's size with a two-item
// menu bar, painted by the system, built with the viewer's flags.
#include <windows.h>

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int main()
{
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    const HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"File");
    AppendMenuW(menu, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"Help");
    // The viewer's client area at 96 dpi (9960 x 7035 twips) below the menu bar.
    RECT rect { 0, 0, 664, 469 };
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, TRUE);
    const HWND window = CreateWindowW(L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, 0, rect.right - rect.left,
                                      rect.bottom - rect.top, nullptr, menu, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
}
