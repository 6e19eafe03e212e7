// Device contexts, bitmaps and palettes over Qt: the window's own rendering is the source image.
#include "platform/DeviceContext.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace {

const DisplayDevice *simulatedDisplay = nullptr;
int openContexts = 0;

DisplayDevice currentDisplay()
{
    if (simulatedDisplay)
        return *simulatedDisplay;
    DisplayDevice display;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        display.bitsPerPixel = screen->depth();
    return display;
}

} // namespace

QImage toPaletteColours(const QImage &image, const QList<QRgb> &colours)
{
    // Through 32 bits, since Qt leaves an image that is indexed already as it is.
    return image.convertToFormat(QImage::Format_RGB32)
            .convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
}

QWidget *clientArea(WindowHandle window)
{
    auto *mainWindow = qobject_cast<QMainWindow *>(window);
    if (mainWindow && mainWindow->centralWidget())
        return mainWindow->centralWidget();
    return window;
}

DisplayDevice DisplayDevice::palette256(const QList<QRgb> &systemPalette)
{
    DisplayDevice display;
    display.bitsPerPixel = 8;
    display.paletteDevice = true;
    display.paletteSize = 256;
    display.systemPalette = systemPalette;
    return display;
}

SimulatedDisplay::SimulatedDisplay(const DisplayDevice &display)
    : previous(simulatedDisplay), display(display)
{
    simulatedDisplay = &this->display;
}

SimulatedDisplay::~SimulatedDisplay() { simulatedDisplay = previous; }

DeviceContext::DeviceContext(Kind kind, WindowHandle window, const DisplayDevice &display)
    : kind(kind), window(window), display(display)
{
    ++openContexts;
}

DeviceContext::DeviceContext(DeviceContext &&other) noexcept
    : kind(std::exchange(other.kind, Kind::None)), window(std::move(other.window)),
      display(std::move(other.display)), bitmap(std::move(other.bitmap)),
      palette(std::move(other.palette)), paletteRealized(other.paletteRealized)
{ }

DeviceContext &DeviceContext::operator=(DeviceContext &&other) noexcept
{
    if (this != &other) {
        release();
        kind = std::exchange(other.kind, Kind::None);
        window = std::move(other.window);
        display = std::move(other.display);
        bitmap = std::move(other.bitmap);
        palette = std::move(other.palette);
        paletteRealized = other.paletteRealized;
    }
    return *this;
}

DeviceContext::~DeviceContext() { release(); }

int DeviceContext::openCount() { return openContexts; }

void DeviceContext::release() noexcept
{
    if (kind == Kind::None)
        return;
    --openContexts;
    kind = Kind::None;
    window.clear();
    bitmap = Bitmap();
    palette = Palette();
    paletteRealized = false;
}

QImage DeviceContext::renderSource(int left, int top, int width, int height) const
{
    QImage pixels(width, height, QImage::Format_RGB32);
    if (pixels.isNull())
        return pixels;
    pixels.fill(Qt::black);
    const QRect wanted(left, top, width, height);
    if (kind == Kind::Memory) {
        const QImage own = bitmap.image().convertToFormat(QImage::Format_RGB32);
        const QRect area = wanted & own.rect();
        QPainter painter(&pixels);
        painter.drawImage(area.topLeft() - wanted.topLeft(), own, area);
        return pixels;
    }
    QWidget *widget = kind == Kind::Client ? clientArea(window) : window.data();
    if (!widget)
        return pixels;
    const QRect area = wanted & widget->rect();
    if (!area.isEmpty())
        widget->render(&pixels, area.topLeft() - wanted.topLeft(), QRegion(area));
    return pixels;
}

DeviceContext GetDC(WindowHandle window)
{
    if (!window)
        return {};
    return DeviceContext(DeviceContext::Kind::Client, window, currentDisplay());
}

DeviceContext GetWindowDC(WindowHandle window)
{
    if (!window)
        return {};
    return DeviceContext(DeviceContext::Kind::Window, window, currentDisplay());
}

int ReleaseDC(WindowHandle window, DeviceContext &&dc)
{
    const bool ours
            = (dc.kind == DeviceContext::Kind::Client || dc.kind == DeviceContext::Kind::Window)
            && dc.window == window;
    dc.release();
    return ours ? 1 : 0;
}

DeviceContext CreateCompatibleDC(const DeviceContext &dc)
{
    if (dc.isNull())
        return {};
    DeviceContext memory(DeviceContext::Kind::Memory, nullptr, dc.display);
    QImage stock(1, 1, QImage::Format_Mono);
    stock.fill(0);
    memory.bitmap = Bitmap(std::move(stock));
    return memory;
}

bool DeleteDC(DeviceContext &&dc)
{
    const bool memory = dc.kind == DeviceContext::Kind::Memory;
    dc.release();
    return memory;
}

Bitmap CreateCompatibleBitmap(const DeviceContext &dc, int width, int height)
{
    if (dc.isNull() || width <= 0 || height <= 0 || dc.display.bitmapsFail)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::black);
    if (dc.display.paletteDevice && dc.display.bitsPerPixel == 8
        && !dc.display.systemPalette.isEmpty())
        image = toPaletteColours(image, dc.display.systemPalette);
    return Bitmap(std::move(image));
}

Bitmap SelectObject(DeviceContext &dc, Bitmap bitmap)
{
    if (dc.kind != DeviceContext::Kind::Memory || bitmap.isNull())
        return {};
    std::swap(dc.bitmap, bitmap);
    return bitmap;
}

int GetDeviceCaps(const DeviceContext &dc, int index)
{
    if (dc.isNull())
        return 0;
    switch (index) {
    case BITSPIXEL:
        return dc.display.bitsPerPixel;
    case RASTERCAPS:
        return RC_BITBLT | (dc.display.paletteDevice ? RC_PALETTE : 0);
    case SIZEPALETTE:
        return dc.display.paletteDevice ? dc.display.paletteSize : 0;
    default:
        return 0;
    }
}

uint32_t GetSystemPaletteEntries(const DeviceContext &dc, uint32_t start, uint32_t count,
                                 PALETTEENTRY *entries)
{
    if (dc.isNull() || !dc.display.paletteDevice || !entries)
        return 0;
    const auto &system = dc.display.systemPalette;
    uint32_t copied = 0;
    for (; copied < count && start + copied < uint32_t(system.size()); ++copied) {
        const QRgb colour = system[start + copied];
        entries[copied] = PALETTEENTRY { uint8_t(qRed(colour)), uint8_t(qGreen(colour)),
                                         uint8_t(qBlue(colour)), 0 };
    }
    return copied;
}

Palette CreatePalette(const LOGPALETTE &logPalette)
{
    if (logPalette.palVersion != 0x300 || logPalette.palNumEntries == 0
        || logPalette.palNumEntries > logPalette.palPalEntry.size())
        return {};
    QList<QRgb> entries;
    entries.reserve(logPalette.palNumEntries);
    for (int i = 0; i < logPalette.palNumEntries; ++i) {
        const PALETTEENTRY &entry = logPalette.palPalEntry[i];
        entries.append(qRgb(entry.peRed, entry.peGreen, entry.peBlue));
    }
    return Palette(std::move(entries));
}

Palette SelectPalette(DeviceContext &dc, Palette palette, bool /*forceBackground*/)
{
    if (dc.kind != DeviceContext::Kind::Memory)
        return {};
    std::swap(dc.palette, palette);
    dc.paletteRealized = false;
    return palette;
}

uint32_t RealizePalette(DeviceContext &dc)
{
    if (dc.kind != DeviceContext::Kind::Memory)
        return 0;
    dc.paletteRealized = true;
    return uint32_t(dc.palette.entries().size());
}

bool BitBlt(DeviceContext &dest, int x, int y, int width, int height, const DeviceContext &source,
            int left, int top, uint32_t rop)
{
    if (rop != SRCCOPY || dest.kind != DeviceContext::Kind::Memory || source.isNull()
        || dest.bitmap.isNull() || width <= 0 || height <= 0)
        return false;
    const QImage pixels = source.renderSource(left, top, width, height);
    if (pixels.isNull())
        return false;
    QImage &target = dest.bitmap.image();
    const QRect area = QRect(x, y, width, height) & target.rect();

    if (target.format() == QImage::Format_Indexed8) {
        const QList<QRgb> &colours = dest.paletteRealized && !dest.palette.isNull()
                ? dest.palette.entries()
                : dest.display.systemPalette;
        if (colours.isEmpty())
            return false;
        if (target.colorTable() != colours)
            target = toPaletteColours(target, colours);
        const QImage indexed = toPaletteColours(pixels, colours);
        for (int row = area.top(); row <= area.bottom(); ++row)
            std::memcpy(target.scanLine(row) + area.left(),
                        indexed.constScanLine(row - y) + (area.left() - x), size_t(area.width()));
        return true;
    }

    if (target.format() != QImage::Format_RGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), pixels, area.translated(-x, -y));
    return true;
}
