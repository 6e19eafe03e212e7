// The screen as the window capture reads it: a window's pixels copied into a bitmap, the
// display's palette, and the picture object the clipboard takes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Form;

// Colours with red in the low byte; a display's palette has 256 of them.
using Palette = std::vector<uint32_t>;

// A bitmap in device pixels; empty when it could not be made.
class Bitmap
{
public:
    struct Native; // the backend's bitmap
    Bitmap();
    explicit Bitmap(std::unique_ptr<Native> native);
    ~Bitmap();
    Bitmap(Bitmap &&) noexcept;
    Bitmap &operator=(Bitmap &&) noexcept;

    bool isNull() const { return !native_; }
    Native &native() const { return *native_; }

private:
    std::unique_ptr<Native> native_;
};

// A picture object owning its bitmap and, when it has one, its palette; empty when the capture
// failed.
class Picture
{
public:
    struct Native; // the backend's picture
    Picture();
    explicit Picture(std::unique_ptr<Native> native);
    ~Picture();
    Picture(Picture &&) noexcept;
    Picture &operator=(Picture &&) noexcept;

    bool isNull() const { return !native_; }
    Native &native() const { return *native_; }

private:
    std::unique_ptr<Native> native_;
};

// A rectangle in device pixels of the window's client area (client) or of the whole window
// with its frame and menu bar, copied from the window's own rendering as the screen shows it:
// what covers the window is not copied, and a minimised window copies as it would show. Parts
// outside the window are black. Empty when the bitmap cannot be made (too large, say).
Bitmap copyWindowPixels(const Form &window, bool client, int32_t left, int32_t top, int32_t width,
                        int32_t height);

// Whether the window's screen shows 256 colours or fewer through a palette.
bool isPaletteDisplay(const Form &window);

// The 256 colours the palette display shows the bitmap in.
Palette displayPalette(const Form &window, const Bitmap &bitmap);

// The bitmap as a picture; with a palette (256 entries, or none), indexed with its colours.
Picture createBitmapPicture(Bitmap bitmap, const Palette &palette);
