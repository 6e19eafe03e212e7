// The program's run-time on Windows: COM for the dialogs and pictures, the screen's real dpi,
// the libraries loaded on demand, and the message loop.
#include "platform/Application.h"

#include "platform/win32/Application.h"
#include "platform/win32/Focus.h"

#include <objbase.h>

#include <string>

struct Application::Native
{
};

namespace {

bool comTried = false;
bool comStarted = false;

} // namespace

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

FARPROC systemProcedure(const wchar_t *library, const char *name)
{
    // From the system folder only, never from the program's or the current folder. The library
    // stays loaded for the rest of the run.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const HMODULE module = LoadLibraryW((std::wstring(folder, length) + L'\\' + library).c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}

void startCom()
{
    if (comTried)
        return;
    comTried = true;
    const auto initialise
            = systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    comStarted = initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
}

Application::Application(int, char *[]) : native_(std::make_unique<Native>())
{
    // Layout is in twips and converted at the screen's dpi, so the system need not scale
    // the window as a bitmap. The manifest asks for awareness per monitor; where the system
    // reads no manifest setting, this asks for it system-wide.
    SetProcessDPIAware();
}

Application::~Application()
{
    if (comStarted)
        if (const auto end
            = systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize"))
            end();
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
