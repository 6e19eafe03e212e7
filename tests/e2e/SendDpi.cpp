// For the Windows edition's tests: tells the viewer's window that its screen's dpi changed, as
// Windows does when a window moves to a monitor of another scale, with the rectangle Windows
// would suggest. Usage: vok-send-dpi FROM TO
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const int from = argc == 3 ? std::atoi(argv[1]) : 0;
    const int to = argc == 3 ? std::atoi(argv[2]) : 0;
    if (from <= 0 || to <= 0) {
        std::fputs("usage: vok-send-dpi FROM TO\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(L"KelvaneVokForm", nullptr);
    if (!window) {
        std::fputs("vok-send-dpi: no viewer window\n", stderr);
        return 1;
    }
    // The client area scaled, the frame and the menu bar around it, the top-left kept.
    RECT client {};
    GetClientRect(window, &client);
    RECT frame {};
    GetWindowRect(window, &frame);
    RECT suggested { 0, 0, MulDiv(client.right, to, from), MulDiv(client.bottom, to, from) };
    AdjustWindowRectEx(&suggested, DWORD(GetWindowLongPtrW(window, GWL_STYLE)),
                       GetMenu(window) != nullptr, DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
    // The message carries a pointer, which the system does not carry across processes: the
    // rectangle is written into the viewer's memory.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const HANDLE viewer = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    void *there = viewer ? VirtualAllocEx(viewer, nullptr, sizeof suggested,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    if (!there || !WriteProcessMemory(viewer, there, &suggested, sizeof suggested, nullptr)) {
        std::fputs("vok-send-dpi: cannot write into the viewer\n", stderr);
        return 1;
    }
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(viewer, there, 0, MEM_RELEASE);
    CloseHandle(viewer);
    return 0;
}
