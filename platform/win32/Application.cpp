// The program's run-time on Windows: common controls, COM for the dialogs and pictures, the
// screen's real dpi, and the message loop.
#include "platform/Application.h"

#include "platform/win32/Application.h"
#include "platform/win32/Focus.h"

#include <commctrl.h>
#include <objbase.h>

struct Application::Native
{
    bool comStarted = false;
};

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

Application::Application(int, char *[]) : native_(std::make_unique<Native>())
{
    // Layout is in twips and converted at the screen's dpi, so the system need not scale
    // the window as a bitmap. The manifest asks for awareness per monitor; where the system
    // reads no manifest setting, this asks for it system-wide.
    SetProcessDPIAware();
    const INITCOMMONCONTROLSEX controls { sizeof controls,
                                          ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
    // The open-file dialog hosts shell components, which want a single-threaded apartment.
    native_->comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Application::~Application()
{
    if (native_->comStarted)
        CoUninitialize();
}

int Application::run()
{
    MSG message {};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (moveFocusOnTab(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? 1 : int(message.wParam);
}
