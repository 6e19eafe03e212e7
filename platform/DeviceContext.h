// Device contexts, bitmaps and palettes over Qt: just what copying a window into a bitmap needs.
#pragma once

#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>

// A window as these calls address it. For a QMainWindow the client area is its central widget.
using WindowHandle = QWidget *;

// The widget that draws a window's client area: a main window's central widget, else the window.
QWidget *clientArea(WindowHandle window);

// `image` indexed with `colours`, each pixel the nearest colour without dithering, as a palette
// device maps what is copied onto it.
QImage toPaletteColours(const QImage &image, const QList<QRgb> &colours);

// GetDeviceCaps indices and the bits they report.
constexpr int BITSPIXEL = 12;
constexpr int RASTERCAPS = 38;
constexpr int SIZEPALETTE = 104;
constexpr int RC_BITBLT = 0x1;
constexpr int RC_PALETTE = 0x100;

// The one raster operation BitBlt knows: a plain copy of the source.
constexpr uint32_t SRCCOPY = 0xCC0020;

// What a context's display can do. The real display is true colour; tests put a palette device
// or a display that cannot allocate bitmaps in its place with SimulatedDisplay.
struct DisplayDevice
{
    int bitsPerPixel = 32;
    bool paletteDevice = false;
    int paletteSize = 0;
    QList<QRgb> systemPalette;
    bool bitmapsFail = false;

    // An 8-bit palette display whose system palette is `systemPalette` (256 entries).
    static DisplayDevice palette256(const QList<QRgb> &systemPalette);
};

// Replaces the display that new device contexts see for as long as it lives.
class SimulatedDisplay
{
public:
    explicit SimulatedDisplay(const DisplayDevice &display);
    ~SimulatedDisplay();
    SimulatedDisplay(const SimulatedDisplay &) = delete;
    SimulatedDisplay &operator=(const SimulatedDisplay &) = delete;

private:
    const DisplayDevice *previous;
    DisplayDevice display;
};

// A bitmap; null when its creation failed. Move-only: whoever holds it owns it.
class Bitmap
{
public:
    Bitmap() = default;
    explicit Bitmap(QImage image) : image_(std::move(image)) { }
    Bitmap(Bitmap &&) noexcept = default;
    Bitmap &operator=(Bitmap &&) noexcept = default;
    Bitmap(const Bitmap &) = delete;
    Bitmap &operator=(const Bitmap &) = delete;

    bool isNull() const { return image_.isNull(); }
    const QImage &image() const { return image_; }
    QImage &image() { return image_; }

private:
    QImage image_;
};

// A logical palette; null is the default palette a fresh memory context starts with.
class Palette
{
public:
    Palette() = default;
    explicit Palette(QList<QRgb> entries) : entries_(std::move(entries)) { }
    Palette(Palette &&) noexcept = default;
    Palette &operator=(Palette &&) noexcept = default;
    Palette(const Palette &) = delete;
    Palette &operator=(const Palette &) = delete;

    bool isNull() const { return entries_.isEmpty(); }
    const QList<QRgb> &entries() const { return entries_; }

private:
    QList<QRgb> entries_;
};

struct PALETTEENTRY
{
    uint8_t peRed = 0;
    uint8_t peGreen = 0;
    uint8_t peBlue = 0;
    uint8_t peFlags = 0;
};

struct LOGPALETTE
{
    uint16_t palVersion = 0;
    uint16_t palNumEntries = 0;
    std::array<PALETTEENTRY, 256> palPalEntry {};
};

// A window's client area, a whole window, or a memory surface holding one bitmap and palette.
// Null when its creation failed. The destructor releases whatever was not released explicitly.
class DeviceContext
{
public:
    DeviceContext() = default;
    DeviceContext(DeviceContext &&other) noexcept;
    DeviceContext &operator=(DeviceContext &&other) noexcept;
    DeviceContext(const DeviceContext &) = delete;
    DeviceContext &operator=(const DeviceContext &) = delete;
    ~DeviceContext();

    bool isNull() const { return kind == Kind::None; }

    // Contexts created and not yet released or deleted, in the whole program.
    static int openCount();

private:
    enum class Kind { None, Client, Window, Memory };

    DeviceContext(Kind kind, WindowHandle window, const DisplayDevice &display);
    void release() noexcept;
    QImage renderSource(int left, int top, int width, int height) const;

    Kind kind = Kind::None;
    QPointer<QWidget> window;
    DisplayDevice display;
    Bitmap bitmap;
    Palette palette;
    bool paletteRealized = false;

    friend DeviceContext GetDC(WindowHandle);
    friend DeviceContext GetWindowDC(WindowHandle);
    friend int ReleaseDC(WindowHandle, DeviceContext &&);
    friend DeviceContext CreateCompatibleDC(const DeviceContext &);
    friend bool DeleteDC(DeviceContext &&);
    friend Bitmap CreateCompatibleBitmap(const DeviceContext &, int, int);
    friend Bitmap SelectObject(DeviceContext &, Bitmap);
    friend int GetDeviceCaps(const DeviceContext &, int);
    friend uint32_t GetSystemPaletteEntries(const DeviceContext &, uint32_t, uint32_t,
                                            PALETTEENTRY *);
    friend Palette SelectPalette(DeviceContext &, Palette, bool);
    friend uint32_t RealizePalette(DeviceContext &);
    friend bool BitBlt(DeviceContext &, int, int, int, int, const DeviceContext &, int, int,
                       uint32_t);
};

// The client area's context: its origin is the client area's top-left corner.
DeviceContext GetDC(WindowHandle window);
// The whole window's context, menu bar included. The frame is the window manager's and is
// not part of the window's rendering.
DeviceContext GetWindowDC(WindowHandle window);
// 1 when `dc` was a context of `window` and is now released, otherwise 0 (it is released anyway).
int ReleaseDC(WindowHandle window, DeviceContext &&dc);

// A memory context on the same display as `dc`, holding a one-pixel monochrome stock bitmap.
DeviceContext CreateCompatibleDC(const DeviceContext &dc);
bool DeleteDC(DeviceContext &&dc);

// A black bitmap in the format of `dc`'s display: 8-bit indexed on a palette device,
// 32-bit otherwise. Null for an empty size, a null context or a failed allocation.
Bitmap CreateCompatibleBitmap(const DeviceContext &dc, int width, int height);
// Puts `bitmap` into the memory context `dc` and hands back the one it held; a null bitmap
// when `dc` is not a memory context or `bitmap` is null (the bitmap is then dropped).
Bitmap SelectObject(DeviceContext &dc, Bitmap bitmap);

int GetDeviceCaps(const DeviceContext &dc, int index);
// Copies up to `count` entries of the display's system palette from `start`; 0 when the
// display has no palette.
uint32_t GetSystemPaletteEntries(const DeviceContext &dc, uint32_t start, uint32_t count,
                                 PALETTEENTRY *entries);
// Null unless the record is version 0x300 with 1 to 256 entries.
Palette CreatePalette(const LOGPALETTE &logPalette);
Palette SelectPalette(DeviceContext &dc, Palette palette, bool forceBackground);
// Makes the selected palette the one that copies into the context's bitmap map colours to;
// returns how many entries it holds.
uint32_t RealizePalette(DeviceContext &dc);

// Copies a rectangle of `source` into the bitmap of the memory context `dest`. A window's
// context is drawn by the window itself at this moment, so windows covering it or its being
// minimised change nothing; parts outside the window stay black. Into an indexed bitmap each
// pixel becomes the nearest colour of the realized palette, or of the system palette.
bool BitBlt(DeviceContext &dest, int x, int y, int width, int height, const DeviceContext &source,
            int left, int top, uint32_t rop);
