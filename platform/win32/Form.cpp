// The top-level window: made from a form description, it routes its controls' commands,
// colours, drawing and dropped files to them.
#include "platform/Form.h"
#include "platform/Error.h"

#include "platform/ErrorGuard.h"
#include "platform/Twips.h"
#include "platform/win32/Native.h"
#include "platform/win32/Text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr wchar_t FormClass[] = L"KelvaneVokForm";
constexpr DWORD FormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT FirstControlId = 100;

// Every window alive; the program ends when the last one is gone.
std::vector<Form::Native *> &liveForms()
{
    static std::vector<Form::Native *> forms;
    return forms;
}

Form::Native *formOf(HWND window)
{
    for (Form::Native *form : liveForms())
        if (form->window == window)
            return form;
    return nullptr;
}

int screenDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

std::vector<std::string> droppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), UINT(path.size() + 1));
        const DWORD attributes = GetFileAttributesW(path.c_str());
        // A folder among the files refuses the whole drop, as a drag that is not all files is;
        // anything else is opened, and what cannot be read says why.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {};
        paths.push_back(toUtf8(path));
    }
    return paths;
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
    case WM_INITMENUPOPUP: {
        const auto found = form.byPopup.find(reinterpret_cast<HMENU>(wParam));
        runClick(form, found == form.byPopup.end() ? nullptr : found->second);
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
    case WM_DROPFILES: {
        const auto drop = reinterpret_cast<HDROP>(wParam);
        const std::vector<std::string> paths = droppedPaths(drop);
        DragFinish(drop);
        if (!paths.empty() && form.dropHandler)
            runGuarded(form.form, [&] { form.dropHandler(paths); });
        return 0;
    }
    case WM_SIZE:
        // Lines drawn on the screen only are gone once the window is minimised.
        if (wParam == SIZE_MINIMIZED)
            for (const auto &[window, control] : form.byWindow)
                if (control->surface)
                    dropScreenLines(*control->surface);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(form.window, focus))
                form.lastFocus = focus;
        }
        break;
    case WM_SETFOCUS: {
        HWND target = form.lastFocus;
        if (!target || !IsWindow(target))
            target = form.focusOrder.empty() ? nullptr : form.focusOrder.front();
        if (target)
            SetFocus(target);
        return 0;
    }
    case WM_DESTROY: {
        form.window = nullptr;
        auto &forms = liveForms();
        forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
        if (forms.empty())
            PostQuitMessage(0);
        return 0;
    }
    }
    return DefWindowProcW(form.window, message, wParam, lParam);
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form::Native *>(
                reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<Form::Native *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || form->window != window)
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

} // namespace

bool moveFocusOnTab(const MSG &message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0
        || GetKeyState(VK_MENU) < 0)
        return false;
    Form::Native *form = formOf(GetAncestor(message.hwnd, GA_ROOT));
    if (!form || form->focusOrder.empty())
        return false;
    const auto &order = form->focusOrder;
    const size_t count = order.size();
    const auto at = std::find(order.begin(), order.end(), message.hwnd);
    size_t next = 0;
    if (at != order.end()) {
        const size_t index = size_t(at - order.begin());
        next = GetKeyState(VK_SHIFT) < 0 ? (index + count - 1) % count : (index + 1) % count;
    }
    SetFocus(order[next]);
    // As in a dialog, a text box reached by Tab has its text selected.
    wchar_t className[16] {};
    GetClassNameW(order[next], className, 16);
    if (lstrcmpiW(className, L"Edit") == 0)
        SendMessageW(order[next], EM_SETSEL, 0, -1);
    return true;
}

Form::Native::~Native()
{
    if (window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        auto &forms = liveForms();
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
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
    liveForms().push_back(&form);
    // Desktops that show a large icon (task switchers, docks) get the icon's largest picture.
    SendMessageW(form.window, WM_SETICON, ICON_BIG, LPARAM(loadIcon(icon, 48)));
    SendMessageW(form.window, WM_SETICON, ICON_SMALL, LPARAM(loadIcon(icon, 16)));
    DragAcceptFiles(form.window, TRUE);
    const HFONT windowFont = fontFor(form, description.font);

    UINT id = FirstControlId;
    for (const ControlRow &row : description.controls) {
        runControlCreationHook(row);
        std::unique_ptr<Control> control = row.kind == ControlKind::PictureBox
                ? createPictureBox(form, row, id)
                : createControl(form, row, id, row.font ? fontFor(form, row.font) : windowFont);
        Control::Native &native = control->native();
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
    RECT now {};
    GetClientRect(form.window, &now);
    RECT window {};
    GetWindowRect(form.window, &window);
    SetWindowPos(form.window, nullptr, 0, 0, window.right - window.left + client.width - now.right,
                 window.bottom - window.top + client.height - now.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void Form::onFilesDropped(DropHandler handler) { native_->dropHandler = std::move(handler); }
