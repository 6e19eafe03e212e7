// The top-level window: its class, its making from a form description, its tool tips and fonts,
// and the routing of its messages to its controls, its drops (FileDrops.cpp) and its focus
// (Focus.cpp).
#include "platform/Form.h"
#include "platform/core/Error.h"

#include "platform/ErrorGuard.h"
#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Native.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr wchar_t FormClass[] = L"KelvaneVokForm";
constexpr DWORD FormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT FirstControlId = 100;

// Every window alive, from its first message to its last; the program ends when the last one is
// gone.
std::vector<Form::Native *> &liveForms()
{
    static std::vector<Form::Native *> forms;
    return forms;
}

// Returns whether it was the last.
bool forget(Form::Native &form)
{
    auto &forms = liveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
    return forms.empty();
}

int screenDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

LRESULT colourControl(Form::Native &form, HDC dc, HWND control, UINT message, WPARAM wParam,
                      LPARAM lParam)
{
    const auto found = form.byWindow.find(control);
    if (found == form.byWindow.end())
        return DefWindowProcW(form.window, message, wParam, lParam);
    const Control::Native &native = *found->second;
    SetTextColor(dc,
                 native.foreColour != CLR_INVALID ? native.foreColour
                                                  : GetSysColor(COLOR_WINDOWTEXT));
    if (native.backBrush) {
        SetBkColor(dc, native.backColour);
        return reinterpret_cast<LRESULT>(native.backBrush.get());
    }
    // Captions lie on the window's button-face background, text boxes keep the system's.
    if (message == WM_CTLCOLORSTATIC) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void changeDpi(Form::Native &form, int dpi, const RECT &suggested);

void runClick(Form::Native &form, Control::Native *control)
{
    if (control && control->click)
        runGuarded(form.form, control->click);
}

LRESULT handleMessage(Form::Native &form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const UINT code = HIWORD(wParam);
        // A quick second click on an owner-drawn button arrives as a double click.
        if (lParam == 0 || code == BN_CLICKED || code == BN_DOUBLECLICKED) {
            const auto found = form.byId.find(LOWORD(wParam));
            runClick(form, found == form.byId.end() ? nullptr : found->second);
        }
        return 0;
    }
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        const auto found = form.byWindow.find(item.hwndItem);
        if (item.CtlType != ODT_BUTTON || found == form.byWindow.end())
            break;
        drawPictureButton(*found->second, item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return colourControl(form, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                             message, wParam, lParam);
    case WM_DPICHANGED:
        changeDpi(form, HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_DROPFILES:
        filesDropped(form, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZE:
        // Lines drawn on the screen only are gone once the window is minimised.
        if (wParam == SIZE_MINIMIZED)
            for (const auto &[window, control] : form.byWindow)
                if (control->surface)
                    dropScreenLines(*control->surface);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus(form);
        break;
    case WM_SETFOCUS:
        restoreFocus(form);
        return 0;
    case WM_DESTROY:
        form.window = nullptr;
        if (forget(form))
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(form.window, message, wParam, lParam);
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form::Native *>(
                reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->window = window;
        liveForms().push_back(form);
    }
    Form::Native *form = formOf(window);
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    return handleMessage(*form, message, wParam, lParam);
}

// The dpi of the monitor a window is on, where the system says (Windows 10 from 1607); the
// system's dpi, which the window was made at, elsewhere.
int windowDpi(HWND window, int systemDpi)
{
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = getDpi ? int(getDpi(window)) : 0;
    return dpi > 0 ? dpi : systemDpi;
}

HICON loadIcon(const std::wstring &name, int size)
{
    return static_cast<HICON>(
            LoadImageW(instance(), name.c_str(), IMAGE_ICON, size, size, LR_SHARED));
}

void registerFormClass(const std::wstring &iconName)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = formProcedure;
    windowClass.hInstance = instance();
    windowClass.hIcon = loadIcon(iconName, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = loadIcon(iconName, GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FormClass;
    if (!RegisterClassExW(&windowClass))
        throw Error(ErrorKind::Drawing,
                    "cannot register the window class: " + systemMessage(GetLastError()));
    registered = true;
}

void addToolTip(Form::Native &form, HWND control, const char *text)
{
    if (!form.toolTips) {
        form.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.window,
                                        nullptr, instance(), nullptr);
        if (!form.toolTips)
            return; // a window without tool tips still works
    }
    std::wstring wide = toWide(text);
    TOOLINFOW tool {};
    // The size the classic common controls know too, so the tip shows without a manifest.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form.window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(form.toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HFONT fontFor(Form::Native &form, const FontRow *row)
{
    if (!row)
        return nullptr;
    auto &font = form.fonts[row];
    if (!font)
        font.reset(createThaiFont(*row, form.dpi));
    return font.get();
}

// The client area the description's size at the form's dpi, the frame and menu bar around it.
void fitClientArea(Form::Native &form)
{
    const FormDescription &description = *form.description;
    const PixelRect client
            = twipsRectToPixels(0, 0, description.width, description.height, form.twipsPerPixel);
    RECT now {};
    GetClientRect(form.window, &now);
    RECT window {};
    GetWindowRect(form.window, &window);
    SetWindowPos(form.window, nullptr, 0, 0, window.right - window.left + client.width - now.right,
                 window.bottom - window.top + client.height - now.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT controlFont(Form::Native &form, const ControlRow &row)
{
    return fontFor(form, row.font ? row.font : form.description->font);
}

// Moved to a screen of another dpi, the window is laid out again from its twips there, as at
// its making: it takes the system's suggested place, its client area the description's size,
// its controls their places and new fonts, and the chart is drawn again.
void changeDpi(Form::Native &form, int dpi, const RECT &suggested)
{
    if (dpi <= 0 || dpi == form.dpi || !form.description)
        return;
    runGuarded(form.form, [&] {
        form.dpi = dpi;
        form.twipsPerPixel = 1440.0 / dpi;
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
    });
}

} // namespace

Form::Native *formOf(HWND window)
{
    for (Form::Native *form : liveForms())
        if (form->window == window)
            return form;
    return nullptr;
}

// Forgotten first, so that the window's last messages go to the system alone.
Form::Native::~Native()
{
    if (window) {
        forget(*this);
        DestroyWindow(window);
    }
}

Form::Form() : native_(std::make_unique<Native>()) { native_->form = this; }

// The window goes first, while the controls it routes messages to still exist.
Form::~Form() { native_.reset(); }

void Form::load(const FormDescription &description)
{
    Native &form = *native_;
    const std::wstring icon = toWide(description.icon ? description.icon : "");
    registerFormClass(icon);
    form.description = &description;
    form.dpi = screenDpi();
    form.twipsPerPixel = 1440.0 / form.dpi;
    const double tpp = form.twipsPerPixel;

    // The description places the client area; the frame and the menu bar go around it.
    const PixelRect client = twipsRectToPixels(description.left, description.top, description.width,
                                               description.height, tpp);
    RECT outer { client.left, client.top, client.left + client.width, client.top + client.height };
    const bool hasMenu = !description.menus.empty();
    AdjustWindowRectEx(&outer, FormStyle, hasMenu, 0);
    const std::wstring caption = toWide(description.caption);
    if (!CreateWindowExW(0, FormClass, caption.c_str(), FormStyle, outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                         instance(), &form))
        throw Error(ErrorKind::Drawing, "cannot make the window: " + systemMessage(GetLastError()));
    // A window that opens on a monitor of another scale than the system's is laid out at that
    // monitor's dpi; its size is set once its controls are made.
    form.dpi = windowDpi(form.window, form.dpi);
    form.twipsPerPixel = 1440.0 / form.dpi;
    // Desktops that show a large icon (task switchers, docks) get the icon's largest picture.
    SendMessageW(form.window, WM_SETICON, ICON_BIG, LPARAM(loadIcon(icon, 48)));
    SendMessageW(form.window, WM_SETICON, ICON_SMALL, LPARAM(loadIcon(icon, 16)));
    DragAcceptFiles(form.window, TRUE);

    UINT id = FirstControlId;
    for (const ControlRow &row : description.controls) {
        runControlCreationHook(row);
        std::unique_ptr<Control> control = row.kind == ControlKind::PictureBox
                ? createPictureBox(form, row, id)
                : createControl(form, row, id, controlFont(form, row));
        Control::Native &native = control->native();
        native.row = &row;
        // A later control lies above an earlier one it overlaps, as on the other platforms, and
        // the earlier one never paints over it, whichever of them repaints last.
        SetWindowLongPtrW(native.window, GWL_STYLE,
                          GetWindowLongPtrW(native.window, GWL_STYLE) | WS_CLIPSIBLINGS);
        SetWindowPos(native.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        form.byWindow[native.window] = &native;
        form.byId[id++] = &native;
        if (row.toolTip)
            addToolTip(form, native.window, row.toolTip);
        controls.emplace(row.name, std::move(control));
    }
    if (hasMenu) {
        // A menu bar that cannot be made is not fatal: the toolbar has every command of it.
        if (const HMENU bar = createMenuBar(form, description.menus, id, controls))
            SetMenu(form.window, bar);
    }
    // The menu bar is set after the window is made, which can wrap or change its height: the
    // client area is given its size again.
    fitClientArea(form);
    for (const char *name : description.focusOrder)
        form.focusOrder.push_back(controlNamed(name).native().window);
}

void Form::Show()
{
    ShowWindow(native_->window, SW_SHOW);
    UpdateWindow(native_->window);
}

void Form::Unload()
{
    if (native_->window)
        DestroyWindow(native_->window);
}

double Form::twipsPerPixel() const { return native_->twipsPerPixel; }

double Form::ScaleWidth() const
{
    RECT client {};
    GetClientRect(native_->window, &client);
    return client.right * native_->twipsPerPixel;
}

double Form::ScaleHeight() const
{
    RECT client {};
    GetClientRect(native_->window, &client);
    return client.bottom * native_->twipsPerPixel;
}
