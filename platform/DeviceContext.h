// What the window capture needs of the system: a window's pixels copied into a bitmap, and the
// picture object the clipboard takes.
#pragma once

#include <cstdint>
#include <memory>

class Form;

// A bitmap in device pixels; on a palette display, with the palette its colours were copied
// through. Empty when it could not be made.
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

// A picture object owning its bitmap and the bitmap's palette; empty when the capture failed.
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

// Module1's capture over the system: CaptureWindowImage's copy, with its rectangle already
// checked to be non-empty, and MakeBitmapPicture's picture of a bitmap that is not empty.
Bitmap copyWindowPixels(const Form &window, bool client, int32_t left, int32_t top, int32_t width,
                        int32_t height);
Picture createBitmapPicture(Bitmap bitmap);
