// A form at its monitor's dpi: the dpi it is made at, its fonts, its client area, and its
// layout again when it moves to a monitor of another dpi.
#include "platform/win32/Dpi.h"

#include "platform/ErrorGuard.h"
#include "platform/core/Twips.h"
#include "platform/win32/PictureBox.h"
#include "platform/win32/ThaiFont.h"

int screenDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

int windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = getDpi ? int(getDpi(window)) : 0;
    return dpi > 0 ? dpi : screenDpi();
}

void setDpi(Form::Native &form, int dpi)
{
    form.dpi = dpi;
    form.twipsPerPixel = 1440.0 / dpi;
}

HFONT controlFont(Form::Native &form, const ControlRow &row)
{
    const FontRow *fontRow = row.font ? row.font : form.description->font;
    if (!fontRow)
        return nullptr;
    auto &font = form.fonts[fontRow];
    if (!font)
        font.reset(createThaiFont(*fontRow, form.dpi));
    return font.get();
}

void fitClientArea(Form::Native &form)
{
    const FormDescription &description = *form.description;
    const PixelRect client
            = twipsRectToPixels(0, 0, description.width, description.height, form.twipsPerPixel);
    RECT now {};
    GetClientRect(form.window, &now);
    if (now.right == client.width && now.bottom == client.height)
        return;
    RECT window {};
    GetWindowRect(form.window, &window);
    SetWindowPos(form.window, nullptr, 0, 0, window.right - window.left + client.width - now.right,
                 window.bottom - window.top + client.height - now.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void changeDpi(Form::Native &form, int dpi, const RECT &suggested)
{
    if (dpi <= 0 || dpi == form.dpi || !form.description)
        return;
    runGuarded(form.form, [&] {
        setDpi(form, dpi);
        // The old fonts stay until every control has its new one.
        const auto oldFonts = std::move(form.fonts);
        form.fonts.clear();
        SetWindowPos(form.window, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        fitClientArea(form);
        for (const auto &[window, control] : form.byWindow) {
            if (!control->row)
                continue;
            const ControlRow &row = *control->row;
            const PixelRect at = twipsRectToPixels(row.left, row.top, row.width, row.height,
                                                   form.twipsPerPixel);
            MoveWindow(window, at.left, at.top, at.width, at.height, TRUE);
            if (control->surface)
                redrawAtDpi(*control->surface);
            else
                SendMessageW(window, WM_SETFONT, WPARAM(controlFont(form, row)), TRUE);
        }
        // The captions the form draws, in their new places and fonts.
        InvalidateRect(form.window, nullptr, TRUE);
    });
}
