// Text boxes (EDIT), captions (STATIC) and picture buttons (owner-drawn BUTTON) as child
// windows of the form, placed at their twip positions, with their colours and tool tips.
#include "platform/Controls.h"
#include "platform/core/Error.h"
#include "platform/core/PictureModel.h"
#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/Controls.h"
#include "platform/win32/PictureSurface.h"

#include <commctrl.h>

#include <stdexcept>

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

// A screen reader names a text box by the caption just before it in the window order, which
// the layout already gives each caption and its box.
void Caption::setBuddy(TextBox &) { }

void PictureButton::onClick(Handler handler) { native().click = std::move(handler); }

void MenuItem::onClick(Handler handler) { native().click = std::move(handler); }

std::unique_ptr<Control> createControl(Form::Native &form, const ControlRow &row, UINT id,
                                       HFONT font)
{
    auto native = std::make_unique<Control::Native>();
    native->form = &form;
    native->id = id;
    native->foreColour = colourOf(row.foreColour);
    native->backColour = colourOf(row.backColour);
    if (native->backColour != CLR_INVALID)
        native->backBrush.reset(CreateSolidBrush(native->backColour));

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
        native->nameIsWindowText = true;
        native->glyph.reset(static_cast<HBITMAP>(
                LoadImageW(instance(), toWide(row.picture ? row.picture : "").c_str(), IMAGE_BITMAP,
                           0, 0, LR_CREATEDIBSECTION)));
        break;
    case ControlKind::PictureBox:
        throw std::logic_error("a picture box is made by createPictureBox");
    }
    const PixelRect at
            = twipsRectToPixels(row.left, row.top, row.width, row.height, form.twipsPerPixel);
    const std::wstring text = toWide(row.text ? row.text : "");
    native->window = CreateWindowExW(extendedStyle, windowClass, text.c_str(), style, at.left,
                                     at.top, at.width, at.height, form.window,
                                     reinterpret_cast<HMENU>(UINT_PTR(id)), instance(), nullptr);
    if (!native->window)
        throw Error(ErrorKind::Drawing,
                    "cannot make the control " + std::string(row.name) + ": "
                            + systemMessage(GetLastError()));
    if (font)
        SendMessageW(native->window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    switch (row.kind) {
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(std::move(native));
    case ControlKind::Caption:
        return std::make_unique<Caption>(std::move(native));
    default:
        return std::make_unique<PictureButton>(std::move(native));
    }
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
    const HDC dc = reinterpret_cast<HDC>(wParam);
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

void addToolTip(Form::Native &form, HWND control, const char *text)
{
    if (!form.toolTips) {
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
