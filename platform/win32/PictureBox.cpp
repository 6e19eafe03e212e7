// The chart box: lines in twips drawn as one-pixel GDI lines onto a persistent memory bitmap or
// the screen, the line elements painted above them, and the pointer reported in twips.
#include "platform/PictureBox.h"

#include "platform/ErrorGuard.h"
#include "platform/core/Error.h"
#include "platform/core/Pointer.h"
#include "platform/core/Twips.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/PictureBox.h"
#include "platform/win32/PictureSurface.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr wchar_t PictureBoxClass[] = L"KelvaneVokPicture";

COLORREF colourOf(uint32_t colour) { return colour & 0xFFFFFF; }

// GDI's LineTo sets the pixels from the current position up to, not including, the end.
bool drawSegment(HDC dc, POINT from, POINT to, COLORREF colour)
{
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen)
        return false;
    const Selection selected(dc, pen.get());
    return MoveToEx(dc, from.x, from.y, nullptr) && LineTo(dc, to.x, to.y);
}

LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *surface = reinterpret_cast<PictureSurface *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!surface)
        return DefWindowProcW(window, message, wParam, lParam);
    return surface->handle(message, wParam, lParam);
}

} // namespace

const wchar_t *pictureBoxClass()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = pictureProcedure;
        windowClass.hInstance = instance();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = PictureBoxClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered)
        throw Error(ErrorKind::Drawing, "cannot register the chart's window class");
    return PictureBoxClass;
}

std::unique_ptr<Control> createPictureBox(Form::Native &form, const ControlRow &row, UINT id)
{
    auto native = std::make_unique<Control::Native>();
    native->form = &form;
    native->id = id;
    native->nameIsWindowText = true;
    const PixelRect at
            = twipsRectToPixels(row.left, row.top, row.width, row.height, form.twipsPerPixel);
    // The client edge is the classic two-pixel sunken border; the client area inside it is the
    // inner area that coordinates start from.
    native->window = CreateWindowExW(WS_EX_CLIENTEDGE, pictureBoxClass(), L"",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP, at.left, at.top, at.width,
                                     at.height, form.window, reinterpret_cast<HMENU>(UINT_PTR(id)),
                                     instance(), nullptr);
    if (!native->window)
        throw Error(ErrorKind::Drawing, "cannot make the chart: " + systemMessage(GetLastError()));
    const COLORREF background = row.backColour == NoColour ? GetSysColor(COLOR_WINDOW)
                                                           : COLORREF(row.backColour) & 0xFFFFFF;
    native->surface = std::make_unique<PictureSurface>(form, native->window, background);
    return std::make_unique<PictureBox>(std::move(native));
}

void dropScreenLines(PictureSurface &surface) { surface.dropScreenLines(); }

void redrawAtDpi(PictureSurface &surface) { surface.redrawAtDpi(); }

PictureSurface::PictureSurface(Form::Native &form, HWND window, COLORREF background)
    : form_(form), window_(window), background_(background)
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PictureSurface::~PictureSurface()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    if (imageDc_ && emptyBitmap_)
        SelectObject(imageDc_.get(), emptyBitmap_);
}

POINT PictureSurface::pixelOf(float x, float y) const
{
    const PixelPoint pixel = checkedPixel(x, y, form_.twipsPerPixel);
    return { pixel.x, pixel.y };
}

// Made at the first line drawn while persistent drawing is on, the size of the inner area,
// which changes only with the dpi.
HDC PictureSurface::persistentDc()
{
    if (imageDc_)
        return imageDc_.get();
    RECT inner {};
    GetClientRect(window_, &inner);
    const WindowDc screen(window_);
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> image(CreateCompatibleBitmap(screen.get(), std::max(1L, inner.right),
                                                    std::max(1L, inner.bottom)));
    if (!dc || !image)
        throw Error(ErrorKind::Drawing,
                    "cannot make the chart's image: " + systemMessage(GetLastError()));
    emptyBitmap_ = SelectObject(dc.get(), image.get());
    const GdiObject<HBRUSH> brush(CreateSolidBrush(background_));
    FillRect(dc.get(), &inner, brush.get());
    imageDc_ = std::move(dc);
    image_ = std::move(image);
    return imageDc_.get();
}

void PictureSurface::invalidate(const Segment &segment)
{
    const RECT changed { std::min(segment.from.x, segment.to.x),
                         std::min(segment.from.y, segment.to.y),
                         std::max(segment.from.x, segment.to.x) + 1,
                         std::max(segment.from.y, segment.to.y) + 1 };
    InvalidateRect(window_, &changed, FALSE);
}

void PictureSurface::line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    const Segment segment { pixelOf(x1, y1), pixelOf(x2, y2), colourOf(colour) };
    if (autoRedraw) {
        if (!drawSegment(persistentDc(), segment.from, segment.to, segment.colour))
            throw Error(ErrorKind::Drawing,
                        "cannot draw on the chart: " + systemMessage(GetLastError()));
        drawn_.push_back({ x1, y1, x2, y2, segment.colour });
    } else {
        screenLines_.push_back(segment);
    }
    invalidate(segment);
}

void PictureSurface::cls()
{
    // The image is refilled rather than dropped, so New does not make a new bitmap each time.
    if (imageDc_) {
        RECT inner {};
        GetClientRect(window_, &inner);
        const GdiObject<HBRUSH> brush(CreateSolidBrush(background_));
        FillRect(imageDc_.get(), &inner, brush.get());
    }
    drawn_.clear();
    screenLines_.clear();
    InvalidateRect(window_, nullptr, FALSE);
}

// Checked, a line beyond the surface's reach is an error; otherwise it is left out, as one can
// be at a dpi other than the one it was drawn at.
std::vector<PictureSurface::Segment> PictureSurface::segmentsOf(const std::vector<TwipsLine> &lines,
                                                                bool checked) const
{
    std::vector<Segment> segments;
    for (const TwipsLine &line : lines) {
        if (checked) {
            segments.push_back(
                    { pixelOf(line.x1, line.y1), pixelOf(line.x2, line.y2), line.colour });
            continue;
        }
        const auto from = pixelInRange(line.x1, line.y1, form_.twipsPerPixel);
        const auto to = pixelInRange(line.x2, line.y2, form_.twipsPerPixel);
        if (from && to)
            segments.push_back({ { from->x, from->y }, { to->x, to->y }, line.colour });
    }
    return segments;
}

void PictureSurface::setLineElements(std::span<const LineElement> elements)
{
    std::vector<TwipsLine> lines;
    for (const LineElement &element : elements)
        lines.push_back(
                { element.X1, element.Y1, element.X2, element.Y2, colourOf(element.BorderColor) });
    elements_ = segmentsOf(lines, true);
    elementLines_ = std::move(lines);
    InvalidateRect(window_, nullptr, FALSE);
}

void PictureSurface::redrawAtDpi()
{
    screenLines_.clear();
    elements_ = segmentsOf(elementLines_, false);
    if (imageDc_) {
        SelectObject(imageDc_.get(), emptyBitmap_);
        imageDc_.reset();
        image_.reset();
        const HDC dc = persistentDc();
        for (const Segment &segment : segmentsOf(drawn_, false))
            drawSegment(dc, segment.from, segment.to, segment.colour);
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void PictureSurface::dropScreenLines()
{
    screenLines_.clear();
    InvalidateRect(window_, nullptr, FALSE);
}

// Composed off the screen, so that the trace never shows above the grid for a moment.
void PictureSurface::paint()
{
    PAINTSTRUCT paint {};
    const HDC dc = BeginPaint(window_, &paint);
    if (!dc)
        return;
    RECT inner {};
    GetClientRect(window_, &inner);
    const MemoryDc buffer(CreateCompatibleDC(dc));
    const GdiObject<HBITMAP> bitmap(
            CreateCompatibleBitmap(dc, std::max(1L, inner.right), std::max(1L, inner.bottom)));
    if (buffer && bitmap) {
        const Selection selected(buffer.get(), bitmap.get());
        if (imageDc_) {
            BitBlt(buffer.get(), 0, 0, inner.right, inner.bottom, imageDc_.get(), 0, 0, SRCCOPY);
        } else {
            const GdiObject<HBRUSH> brush(CreateSolidBrush(background_));
            FillRect(buffer.get(), &inner, brush.get());
        }
        for (const Segment &segment : screenLines_)
            drawSegment(buffer.get(), segment.from, segment.to, segment.colour);
        for (const Segment &segment : elements_)
            drawSegment(buffer.get(), segment.from, segment.to, segment.colour);
        const RECT &area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               buffer.get(), area.left, area.top, SRCCOPY);
    }
    EndPaint(window_, &paint);
}

void PictureSurface::mouseMoved(WPARAM keys, int x, int y)
{
    constexpr WPARAM anyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    RECT inner {};
    GetClientRect(window_, &inner);
    const POINT at { x, y };
    // A button pressed on the box keeps the pointer, so its moves beyond the box still count.
    if (!(keys & anyButton) && !PtInRect(&inner, at))
        return;
    if (!mouseHandler)
        return;
    const PointerBits bits = pointerBits({ (keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0,
                                           (keys & MK_MBUTTON) != 0, (keys & MK_SHIFT) != 0,
                                           (keys & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0 });
    const double tpp = form_.twipsPerPixel;
    runGuarded(form_.form,
               [&] { mouseHandler(bits.Button, bits.Shift, float(x * tpp), float(y * tpp)); });
}

LRESULT PictureSurface::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_MOUSEMOVE:
        mouseMoved(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetFocus(window_);
        SetCapture(window_);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == window_)
            ReleaseCapture();
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            dropScreenLines();
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool PictureBox::AutoRedraw() const { return native().surface->autoRedraw; }

void PictureBox::setAutoRedraw(bool on) { native().surface->autoRedraw = on; }

void PictureBox::Line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    native().surface->line(x1, y1, x2, y2, colour);
}

void PictureBox::Cls() { native().surface->cls(); }

void PictureBox::setLineElements(std::span<const LineElement> elements)
{
    native().surface->setLineElements(elements);
}

void PictureBox::onMouseMove(MouseHandler handler)
{
    native().surface->mouseHandler = std::move(handler);
}
