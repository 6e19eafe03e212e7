// The chart box's window: the drawing kept as a model, a persistent memory bitmap made from it
// at the window's dpi, the line elements above, and the pointer in twips.
#pragma once

#include "platform/PictureBox.h"
#include "platform/core/LineElement.h"
#include "platform/core/PictureModel.h"
#include "platform/win32/Native.h"

#include <memory>
#include <span>
#include <vector>

// A bitmap selected into a memory device context of its own, filled with a colour when made.
class MemoryBitmap
{
public:
    MemoryBitmap(HWND window, SIZE size, COLORREF background);
    ~MemoryBitmap();
    MemoryBitmap(const MemoryBitmap &) = delete;
    MemoryBitmap &operator=(const MemoryBitmap &) = delete;
    HDC dc() const { return dc_.get(); }
    SIZE size() const { return size_; }

private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ empty_ = nullptr; // what the memory DC held before the bitmap
    SIZE size_;
};

class PictureSurface
{
public:
    PictureSurface(Form::Native &form, HWND window, COLORREF background);
    ~PictureSurface();
    PictureSurface(const PictureSurface &) = delete;
    PictureSurface &operator=(const PictureSurface &) = delete;

    PictureModel model;
    PictureBox::MouseHandler mouseHandler;

    void line(float x1, float y1, float x2, float y2, uint32_t colour);
    void cls();
    void setLineElements(std::span<const LineElement> elements);
    void dropScreenLines();
    // Everything drawn again from the model at the form's dpi and the window's size, where
    // either has changed since it was last drawn.
    void fit();
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    SIZE innerSize() const;
    std::unique_ptr<MemoryBitmap> baseImage() const;
    void foldOldest();
    void invalidate(const PixelLine &line);
    void paint();
    void mouseMoved(WPARAM keys, int x, int y);

    Form::Native &form_;
    HWND window_;
    COLORREF background_;
    // The persistent drawing; made at the first line drawn while persistent drawing is on.
    std::unique_ptr<MemoryBitmap> image_;
    // The lines the model folded, at foldedTpp_.
    std::unique_ptr<MemoryBitmap> folded_;
    double foldedTpp_ = 0;
    // The screen's lines and the line elements, at placedTpp_.
    std::vector<PixelLine> screenLines_;
    std::vector<PixelLine> elements_;
    double placedTpp_ = 0;
    SIZE placedSize_ {};
};
