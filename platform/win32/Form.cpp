// The top-level window: its class, its making from a form description, and the routing of its
// messages to its controls (Controls.cpp), its drops (FileDrops.cpp), its focus (Focus.cpp)
// and its dpi (Dpi.cpp).
#include "platform/Form.h"
#include "platform/core/Error.h"

#include "platform/ErrorGuard.h"
#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/FileDrops.h"
#include "platform/win32/Focus.h"
#include "platform/win32/Menus.h"
#include "platform/win32/PictureBox.h"

namespace {

constexpr DWORD FormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT FirstControlId = 100;
constexpr UINT AddToolTipsMessage = WM_APP;

// Windows alive, from their first message to their last; the program ends when the last one is
// gone.
int liveForms = 0;

// The window's last messages go to the system alone. Returns whether it was the last.
bool forget(Form::Native &form)
{
    SetWindowLongPtrW(form.window, GWLP_USERDATA, 0);
    form.window = nullptr;
    return --liveForms == 0;
}

LRESULT onCommand(Form::Native &form, WPARAM wParam, LPARAM lParam)
{
    const UINT code = HIWORD(wParam);
    // A quick second click on an owner-drawn button arrives as a double click.
    if (lParam == 0 || code == BN_CLICKED || code == BN_DOUBLECLICKED) {
        const auto found = form.byId.find(LOWORD(wParam));
        if (found != form.byId.end() && found->second->click)
            runGuarded(form.form, found->second->click);
    }
    return 0;
}

bool onDrawItem(Form::Native &form, const DRAWITEMSTRUCT &item)
{
    const auto found = form.byWindow.find(item.hwndItem);
    if (item.CtlType != ODT_BUTTON || found == form.byWindow.end())
        return false;
    drawPictureButton(*found->second, item);
    return true;
}

// Lines drawn on the screen only are gone once the window is minimised.
void onMinimised(Form::Native &form)
{
    for (const auto &[window, control] : form.byWindow)
        if (control->surface)
            dropScreenLines(*control->surface);
}

LRESULT handleMessage(Form::Native &form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return onCommand(form, wParam, lParam);
    case WM_DRAWITEM:
        if (onDrawItem(form, *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)))
            return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return colourControl(form, message, wParam, lParam);
    case WM_PAINT:
        paintCaptions(form);
        return 0;
    case WM_DPICHANGED:
        changeDpi(form, HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_DROPFILES:
        filesDropped(form, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            onMinimised(form);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus(form);
        break;
    case WM_SETFOCUS:
        restoreFocus(form);
        return 0;
    case AddToolTipsMessage:
        for (const auto &[window, control] : form.byWindow)
            if (control->row && control->row->toolTip)
                addToolTip(form, window, control->row->toolTip);
        return 0;
    case WM_DESTROY:
        if (forget(form))
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(form.window, message, wParam, lParam);
}

// The form comes with the window's first message and is kept in the window itself.
LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form::Native *>(
                reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        ++liveForms;
    }
    auto *form = reinterpret_cast<Form::Native *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    return handleMessage(*form, message, wParam, lParam);
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
    // Desktops that show a large icon (task switchers, docks) get the icon's largest picture.
    windowClass.hIcon = loadIcon(iconName, 48);
    windowClass.hIconSm = loadIcon(iconName, 16);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = FormClass;
    if (!RegisterClassExW(&windowClass))
        throw Error(ErrorKind::Drawing,
                    "cannot register the window class: " + systemMessage(GetLastError()));
    registered = true;
}

// The description places the client area; the frame and the menu bar, if any, go around it.
void createWindow(Form::Native &form, const FormDescription &description, HMENU bar)
{
    const PixelRect client = twipsRectToPixels(description.left, description.top, description.width,
                                               description.height, form.twipsPerPixel);
    RECT outer { client.left, client.top, client.left + client.width, client.top + client.height };
    AdjustWindowRectEx(&outer, FormStyle, bar != nullptr, 0);
    const std::wstring caption = toWide(description.caption);
    // It takes files dropped from a file manager.
    if (!CreateWindowExW(WS_EX_ACCEPTFILES, FormClass, caption.c_str(), FormStyle, outer.left,
                         outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                         bar, instance(), &form)) {
        const DWORD error = GetLastError();
        if (bar)
            DestroyMenu(bar);
        throw Error(ErrorKind::Drawing, "cannot make the window: " + systemMessage(error));
    }
}

} // namespace

Form::Native::~Native()
{
    if (window) {
        const HWND destroyed = window;
        forget(*this);
        DestroyWindow(destroyed);
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
    setDpi(form, screenDpi());
    // A menu bar that cannot be made is not fatal: the toolbar has every command of it.
    const UINT menuId = FirstControlId + UINT(description.controls.size());
    createWindow(form, description,
                 description.menus.empty()
                         ? nullptr
                         : createMenuBar(form, description.menus, menuId, controls_));
    // A window that opens on a monitor of another scale than the system's is laid out at that
    // monitor's dpi; its size is set once its controls are made.
    setDpi(form, windowDpi(form.window));

    createControls(form, description.controls, FirstControlId, controls_);
    // That dpi, or a menu bar wrapped in two lines, changes the client area: it is given its
    // size again.
    fitClientArea(form);
    for (const char *name : description.focusOrder)
        form.focusOrder.push_back(controlNamed(name).native().window);
    // Tool tips show only when the pointer rests on a control, which no message can ask for
    // before this one is handled: they are made once the window is shown and painted.
    PostMessageW(form.window, AddToolTipsMessage, 0, 0);
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
