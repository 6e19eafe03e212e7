// Text boxes (EDIT), picture buttons (owner-drawn BUTTON) and the captions that name a box
// (STATIC) as child windows of the form, placed at their twip positions, with their colours and
// tool tips; the other captions drawn by the form itself, which makes the window faster to show.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/core/ControlRows.h"
#include "platform/core/Error.h"
#include "platform/core/PictureModel.h"
#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/PictureBox.h"
#include "platform/win32/PictureSurface.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace {

COLORREF colourOf(int32_t colour)
{
    if (colour == NoColour)
        return CLR_INVALID;
    const Rgb rgb = unpackColour(uint32_t(colour));
    return RGB(rgb.red, rgb.green, rgb.blue);
}

DWORD alignmentStyle(ControlKind kind, Alignment alignment)
{
    if (kind == ControlKind::TextBox)
        return alignment == Alignment::Centre   ? ES_CENTER
                : alignment == Alignment::Right ? ES_RIGHT
                                                : ES_LEFT;
    return alignment == Alignment::Centre   ? SS_CENTER
            : alignment == Alignment::Right ? SS_RIGHT
                                            : SS_LEFTNOWORDWRAP;
}

} // namespace

Control::Native::Native() = default;
Control::Native::~Native() = default;

Control::Control(std::unique_ptr<Native> native) : native_(std::move(native)) { }

Control::~Control() = default;

void Control::setAccessibleName(std::string_view name)
{
    if (native_->window && native_->nameIsWindowText)
        SetWindowTextW(native_->window, toWide(name).c_str());
}

std::string TextBox::Text() const { return toUtf8(windowText(native().window)); }

void TextBox::setText(std::string_view text)
{
    SetWindowTextW(native().window, toWide(text).c_str());
}

void PictureButton::onClick(Handler handler) { native().click = std::move(handler); }

void MenuItem::onClick(Handler handler) { native().click = std::move(handler); }

namespace {

std::unique_ptr<Control::Native> describeControl(Form::Native &form, const ControlRow &row, UINT id)
{
    auto native = std::make_unique<Control::Native>();
    native->form = &form;
    native->row = &row;
    native->id = id;
    native->foreColour = colourOf(row.foreColour);
    native->backColour = colourOf(row.backColour);
    if (native->backColour != CLR_INVALID)
        native->backBrush.reset(CreateSolidBrush(native->backColour));
    return native;
}

void createWindow(Control::Native &native, HFONT font)
{
    const ControlRow &row = *native.row;
    const wchar_t *windowClass = L"STATIC";
    DWORD style = ControlStyle | alignmentStyle(row.kind, row.alignment);
    DWORD extendedStyle = 0;
    switch (row.kind) {
    case ControlKind::TextBox:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        extendedStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::Caption:
        style |= SS_NOPREFIX;
        break;
    case ControlKind::PictureButton:
        windowClass = L"BUTTON";
        style = ControlStyle | WS_TABSTOP | BS_OWNERDRAW;
        native.nameIsWindowText = true;
        native.glyph.reset(static_cast<HBITMAP>(
                LoadImageW(instance(), toWide(row.picture ? row.picture : "").c_str(), IMAGE_BITMAP,
                           0, 0, LR_CREATEDIBSECTION)));
        break;
    case ControlKind::PictureBox:
        throw std::logic_error("a picture box is made by createPictureBox");
    }
    const PixelRect at = twipsRectToPixels(row.left, row.top, row.width, row.height,
                                           native.form->twipsPerPixel);
    const std::wstring text = toWide(row.text ? row.text : "");
    native.window = CreateWindowExW(
            extendedStyle, windowClass, text.c_str(), style, at.left, at.top, at.width, at.height,
            native.form->window, reinterpret_cast<HMENU>(UINT_PTR(native.id)), instance(), nullptr);
    if (!native.window)
        throw Error(ErrorKind::Drawing,
                    "cannot make the control " + std::string(row.name) + ": "
                            + systemMessage(GetLastError()));
    if (font)
        SendMessageW(native.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The colours a caption or text box is drawn in, set in the device context; returns the brush
// its background is filled with.
HBRUSH applyColours(const Control::Native &native, HDC dc, bool caption)
{
    SetTextColor(dc,
                 native.foreColour != CLR_INVALID ? native.foreColour
                                                  : GetSysColor(COLOR_WINDOWTEXT));
    if (native.backBrush) {
        SetBkColor(dc, native.backColour);
        return native.backBrush.get();
    }
    // Captions lie on the window's button-face background, text boxes keep the system's.
    const int system = caption ? COLOR_BTNFACE : COLOR_WINDOW;
    SetBkColor(dc, GetSysColor(system));
    return GetSysColorBrush(system);
}

std::unique_ptr<Control> createControl(Form::Native &form, const ControlRow &row, UINT id,
                                       HFONT font)
{
    std::unique_ptr<Control::Native> native = describeControl(form, row, id);
    createWindow(*native, font);
    switch (row.kind) {
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(std::move(native));
    case ControlKind::Caption:
        return std::make_unique<Caption>(std::move(native));
    default:
        return std::make_unique<PictureButton>(std::move(native));
    }
}

} // namespace

// A screen reader names a text box by the caption next to it in the window order: a caption
// that names a box is a window of its own, just below the box.
void Caption::setBuddy(TextBox &box)
{
    Control::Native &caption = native();
    if (caption.window)
        return;
    Form::Native &form = *caption.form;
    createWindow(caption, controlFont(form, *caption.row));
    SetWindowPos(caption.window, box.native().window, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    form.byWindow[caption.window] = &caption;
    form.byId[caption.id] = &caption;
    std::erase(form.paintedCaptions, &caption);
}

// A child window is made below those made before it: made from the last, a later control lies
// above an earlier one it overlaps, as on the other platforms. A caption that lies over none
// has no window: the form draws it underneath them all.
void createControls(Form::Native &form, std::span<const ControlRow> rows, UINT firstId,
                    std::map<std::string, std::unique_ptr<Control>, std::less<>> &controls)
{
    for (size_t index = rows.size(); index-- > 0;) {
        const ControlRow &row = rows[index];
        const UINT id = firstId + UINT(index);
        runControlCreationHook(row);
        std::unique_ptr<Control> control;
        if (row.kind == ControlKind::PictureBox)
            control = createPictureBox(form, row, id);
        else if (row.kind == ControlKind::Caption && !overlapsEarlierControl(rows, index))
            control = std::make_unique<Caption>(describeControl(form, row, id));
        else
            control = createControl(form, row, id, controlFont(form, row));
        Control::Native &native = control->native();
        native.row = &row;
        if (native.window) {
            form.byWindow[native.window] = &native;
            form.byId[id] = &native;
        } else {
            form.paintedCaptions.push_back(&native);
        }
        controls.emplace(row.name, std::move(control));
    }
}

// Drawn as a static control draws itself: its background filled, then its text from the top,
// broken into lines where it is centred or right-aligned.
void paintCaptions(Form::Native &form)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(form.window, &paint);
    for (const Control::Native *caption : form.paintedCaptions) {
        const ControlRow &row = *caption->row;
        const PixelRect at
                = twipsRectToPixels(row.left, row.top, row.width, row.height, form.twipsPerPixel);
        RECT rect { at.left, at.top, at.left + at.width, at.top + at.height };
        if (!RectVisible(dc, &rect))
            continue;
        const HFONT font = controlFont(form, row);
        const Selection selected(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
        FillRect(dc, &rect, applyColours(*caption, dc, true));
        const UINT format = row.alignment == Alignment::Centre ? DT_CENTER | DT_WORDBREAK
                : row.alignment == Alignment::Right            ? DT_RIGHT | DT_WORDBREAK
                                                               : DT_LEFT;
        DrawTextW(dc, toWide(row.text ? row.text : "").c_str(), -1, &rect,
                  format | DT_EXPANDTABS | DT_NOPREFIX);
    }
    EndPaint(form.window, &paint);
}

// A flat face in the button's colour inside the classic two-pixel bevel, raised or, while
// pressed, sunken with the glyph one pixel down and to the right.
void drawPictureButton(const Control::Native &button, const DRAWITEMSTRUCT &item)
{
    const HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    FillRect(dc, &face,
             button.backBrush ? button.backBrush.get() : GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (button.glyph) {
        BITMAP glyph {};
        GetObjectW(button.glyph.get(), sizeof glyph, &glyph);
        // Glyphs are drawn for 96 dpi (15 twips a pixel) and grow with the screen's dpi, pixel
        // by pixel, as the layout around them does.
        const double tpp = button.form->twipsPerPixel;
        const int shownWidth = int(twipsToPixels(glyph.bmWidth * 15.0, tpp));
        const int shownHeight = int(twipsToPixels(glyph.bmHeight * 15.0, tpp));
        const MemoryDc source(CreateCompatibleDC(dc));
        const Selection selected(source.get(), button.glyph.get());
        // An odd spare pixel goes to the left and the top.
        const int width = face.right - face.left, height = face.bottom - face.top;
        const int x = face.left + (width - shownWidth + 1) / 2 + (pressed ? 1 : 0);
        const int y = face.top + (height - shownHeight + 1) / 2 + (pressed ? 1 : 0);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, shownWidth, shownHeight, source.get(), 0, 0, glyph.bmWidth,
                   glyph.bmHeight, SRCCOPY);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT colourControl(Form::Native &form, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = form.byWindow.find(reinterpret_cast<HWND>(lParam));
    if (found == form.byWindow.end())
        return DefWindowProcW(form.window, message, wParam, lParam);
    return reinterpret_cast<LRESULT>(applyColours(*found->second, reinterpret_cast<HDC>(wParam),
                                                  message == WM_CTLCOLORSTATIC));
}

void addToolTip(Form::Native &form, HWND control, const char *text)
{
    if (!form.toolTips) {
        // The common controls' library is loaded for its tool tips alone, once the window shows.
        static const auto initialise = systemFunction<decltype(InitCommonControlsEx)>(
                L"comctl32.dll", "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX classes { sizeof classes, ICC_WIN95_CLASSES };
        if (!initialise || !initialise(&classes))
            return;
        form.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.window,
                                        nullptr, instance(), nullptr);
        if (!form.toolTips)
            return;
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

std::wstring windowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}
