// For the Windows edition's tests: tells the viewer's window what Windows tells it when the user
// acts on it, where the X display under Wine cannot. Usage:
//   vok-tell-window dpi FROM TO   its screen's dpi changed, as when the window moves to a monitor
//                                 of another scale, with the rectangle Windows would suggest
//   vok-tell-window size W H      the user sized it so that its client area is W x H pixels
//                                 (Wine does not follow a resize that no window manager made)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The window's rectangle, frame and menu bar included, for a client area of that size with its
// top-left kept.
RECT windowRectForClient(HWND window, int width, int height)
{
    RECT frame {};
    GetWindowRect(window, &frame);
    RECT rect { 0, 0, width, height };
    AdjustWindowRectEx(&rect, DWORD(GetWindowLongPtrW(window, GWL_STYLE)),
                       GetMenu(window) != nullptr, DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    OffsetRect(&rect, frame.left - rect.left, frame.top - rect.top);
    return rect;
}

bool tellDpi(HWND window, int from, int to)
{
    RECT client {};
    GetClientRect(window, &client);
    RECT suggested = windowRectForClient(window, MulDiv(client.right, to, from),
                                         MulDiv(client.bottom, to, from));
    // The message carries a pointer, which the system does not carry across processes: the
    // rectangle is written into the viewer's memory.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const HANDLE viewer = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    void *there = viewer ? VirtualAllocEx(viewer, nullptr, sizeof suggested,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    if (!there || !WriteProcessMemory(viewer, there, &suggested, sizeof suggested, nullptr)) {
        std::fputs("vok-tell-window: cannot write into the viewer\n", stderr);
        return false;
    }
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(viewer, there, 0, MEM_RELEASE);
    CloseHandle(viewer);
    return true;
}

bool tellSize(HWND window, int width, int height)
{
    const RECT rect = windowRectForClient(window, width, height);
    return SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int main(int argc, char *argv[])
{
    const bool dpi = argc == 4 && std::strcmp(argv[1], "dpi") == 0;
    const bool size = argc == 4 && std::strcmp(argv[1], "size") == 0;
    const int first = dpi || size ? std::atoi(argv[2]) : 0;
    const int second = dpi || size ? std::atoi(argv[3]) : 0;
    if (first <= 0 || second <= 0) {
        std::fputs("usage: vok-tell-window dpi FROM TO | size WIDTH HEIGHT\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(L"KelvaneVokForm", nullptr);
    if (!window) {
        std::fputs("vok-tell-window: no viewer window\n", stderr);
        return 1;
    }
    return (dpi ? tellDpi(window, first, second) : tellSize(window, first, second)) ? 0 : 1;
}
