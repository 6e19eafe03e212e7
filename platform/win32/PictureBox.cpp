// The chart box: its drawing model drawn with one-pixel GDI lines onto a persistent memory bitmap
// and the screen, again at every change of dpi or size, the line elements painted above them,
// and the pointer reported in twips.
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

// GDI's LineTo sets the pixels from the current position up to, not including, the end.
COLORREF colourRefOf(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

bool drawSegment(HDC dc, const PixelLine &line)
{
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colourRefOf(line.colour)));
    if (!pen)
        return false;
    const Selection selected(dc, pen.get());
    return MoveToEx(dc, line.from.x, line.from.y, nullptr) && LineTo(dc, line.to.x, line.to.y);
}

void fill(HDC dc, SIZE size, COLORREF colour)
{
    const RECT all { 0, 0, size.cx, size.cy };
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &all, brush.get());
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
    native->window
            = CreateWindowExW(WS_EX_CLIENTEDGE, pictureBoxClass(), L"", ControlStyle | WS_TABSTOP,
                              at.left, at.top, at.width, at.height, form.window,
                              reinterpret_cast<HMENU>(UINT_PTR(id)), instance(), nullptr);
    if (!native->window)
        throw Error(ErrorKind::Drawing, "cannot make the chart: " + systemMessage(GetLastError()));
    const COLORREF background = row.backColour == NoColour
            ? GetSysColor(COLOR_WINDOW)
            : colourRefOf(unpackColour(uint32_t(row.backColour)));
    native->surface = std::make_unique<PictureSurface>(form, native->window, background);
    return std::make_unique<PictureBox>(std::move(native));
}

void dropScreenLines(PictureSurface &surface) { surface.dropScreenLines(); }

void redrawAtDpi(PictureSurface &surface) { surface.fit(); }

MemoryBitmap::MemoryBitmap(HWND window, SIZE size, COLORREF background) : size_(size)
{
    const WindowDc screen(window);
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(
            CreateCompatibleBitmap(screen.get(), std::max(1L, size.cx), std::max(1L, size.cy)));
    if (!dc_ || !bitmap_)
        throw Error(ErrorKind::Drawing,
                    "cannot make the chart's image: " + systemMessage(GetLastError()));
    empty_ = SelectObject(dc_.get(), bitmap_.get());
    fill(dc_.get(), size, background);
}

MemoryBitmap::~MemoryBitmap()
{
    if (empty_)
        SelectObject(dc_.get(), empty_);
}

PictureSurface::PictureSurface(Form::Native &form, HWND window, COLORREF background)
    : form_(form), window_(window), background_(background)
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PictureSurface::~PictureSurface() { SetWindowLongPtrW(window_, GWLP_USERDATA, 0); }

SIZE PictureSurface::innerSize() const
{
    RECT inner {};
    GetClientRect(window_, &inner);
    return { inner.right, inner.bottom };
}

void PictureSurface::invalidate(const PixelLine &line)
{
    const RECT changed { std::min(line.from.x, line.to.x), std::min(line.from.y, line.to.y),
                         std::max(line.from.x, line.to.x) + 1,
                         std::max(line.from.y, line.to.y) + 1 };
    InvalidateRect(window_, &changed, FALSE);
}

void PictureSurface::line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    fit();
    const PixelLine pixels = model.line(x1, y1, x2, y2, colour, form_.twipsPerPixel);
    if (model.autoRedraw) {
        if (!image_)
            image_ = std::make_unique<MemoryBitmap>(window_, innerSize(), background_);
        if (!drawSegment(image_->dc(), pixels))
            throw Error(ErrorKind::Drawing,
                        "cannot draw on the chart: " + systemMessage(GetLastError()));
        foldOldest();
    } else {
        screenLines_.push_back(pixels);
    }
    invalidate(pixels);
}

void PictureSurface::cls()
{
    model.cls();
    folded_.reset();
    // The image is refilled rather than dropped, so New does not make a new bitmap each time.
    if (image_)
        fill(image_->dc(), image_->size(), background_);
    screenLines_.clear();
    InvalidateRect(window_, nullptr, FALSE);
}

void PictureSurface::setLineElements(std::span<const LineElement> elements)
{
    model.setLineElements(elements, form_.twipsPerPixel);
    elements_ = model.elementLines(form_.twipsPerPixel);
    InvalidateRect(window_, nullptr, FALSE);
}

// The background with the folded lines on it, stretched from the dpi they were folded at (the
// one part of the drawing that is not exact at another dpi), at the window's size.
std::unique_ptr<MemoryBitmap> PictureSurface::baseImage() const
{
    auto base = std::make_unique<MemoryBitmap>(window_, innerSize(), background_);
    if (folded_) {
        const double factor = foldedTpp_ / form_.twipsPerPixel;
        const SIZE from = folded_->size();
        // Each pixel takes one source pixel's colour, rather than the AND of those it covers.
        SetStretchBltMode(base->dc(), COLORONCOLOR);
        StretchBlt(base->dc(), 0, 0, int(std::lround(from.cx * factor)),
                   int(std::lround(from.cy * factor)), folded_->dc(), 0, 0, from.cx, from.cy,
                   SRCCOPY);
    }
    return base;
}

void PictureSurface::fit()
{
    const double tpp = form_.twipsPerPixel;
    const SIZE size = innerSize();
    if (tpp == placedTpp_ && size.cx == placedSize_.cx && size.cy == placedSize_.cy)
        return;
    placedTpp_ = tpp;
    placedSize_ = size;
    if (image_ || model.hasPersistent()) {
        image_.reset();
        image_ = baseImage();
        for (const PixelLine &line : model.persistentLines(tpp))
            drawSegment(image_->dc(), line);
    }
    screenLines_ = model.screenLines(tpp);
    elements_ = model.elementLines(tpp);
    InvalidateRect(window_, nullptr, FALSE);
}

// Past the lines the model keeps exactly, the oldest go into the folded bitmap at this dpi.
void PictureSurface::foldOldest()
{
    const std::vector<PixelLine> oldest = model.takeFolded(form_.twipsPerPixel);
    if (oldest.empty())
        return;
    std::unique_ptr<MemoryBitmap> base = baseImage();
    for (const PixelLine &line : oldest)
        drawSegment(base->dc(), line);
    folded_.reset();
    folded_ = std::move(base);
    foldedTpp_ = form_.twipsPerPixel;
}

void PictureSurface::dropScreenLines()
{
    model.dropScreenLines();
    screenLines_.clear();
    InvalidateRect(window_, nullptr, FALSE);
}

// Composed off the screen, so that the trace never shows above the grid for a moment.
void PictureSurface::paint()
{
    runGuarded(form_.form, [this] { fit(); });
    PAINTSTRUCT paint {};
    const HDC dc = BeginPaint(window_, &paint);
    if (!dc)
        return;
    const SIZE inner = innerSize();
    const RECT &area = paint.rcPaint;
    // With nothing drawn above the picture, it goes straight to the screen.
    if (image_ && screenLines_.empty() && elements_.empty()) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               image_->dc(), area.left, area.top, SRCCOPY);
        EndPaint(window_, &paint);
        return;
    }
    // Without a picture or a trace, there is only the background and the line elements: they
    // go straight to the screen too, which spares the window's first showing a bitmap of its
    // size.
    if (!image_ && screenLines_.empty()) {
        fill(dc, inner, background_);
        for (const PixelLine &line : elements_)
            drawSegment(dc, line);
        EndPaint(window_, &paint);
        return;
    }
    const MemoryDc buffer(CreateCompatibleDC(dc));
    const GdiObject<HBITMAP> bitmap(
            CreateCompatibleBitmap(dc, std::max(1L, inner.cx), std::max(1L, inner.cy)));
    if (buffer && bitmap) {
        const Selection selected(buffer.get(), bitmap.get());
        if (image_)
            BitBlt(buffer.get(), 0, 0, inner.cx, inner.cy, image_->dc(), 0, 0, SRCCOPY);
        else
            fill(buffer.get(), inner, background_);
        for (const PixelLine &line : screenLines_)
            drawSegment(buffer.get(), line);
        for (const PixelLine &line : elements_)
            drawSegment(buffer.get(), line);
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
    case WM_SIZE:
        // A failure to make the image is shown here: no exception crosses the window procedure.
        runGuarded(form_.form, [this] { fit(); });
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            dropScreenLines();
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void PictureBox::setAutoRedraw(bool on) { native().surface->model.autoRedraw = on; }

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
