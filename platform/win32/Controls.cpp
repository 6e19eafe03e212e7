// Text boxes (EDIT), captions (STATIC) and picture buttons (owner-drawn BUTTON) as child
// windows of the form, placed at their twip positions.
#include "platform/Controls.h"
#include "platform/core/Error.h"

#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Native.h"
#include "platform/win32/PictureSurface.h"

#include <stdexcept>

namespace {

COLORREF colourOf(int32_t colour)
{
    return colour == NoColour ? CLR_INVALID : COLORREF(colour) & 0xFFFFFF;
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
    DWORD style = WS_CHILD | WS_VISIBLE | alignmentStyle(row.kind, row.alignment);
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
        style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
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
