// The chart box's window: a persistent memory bitmap, lines kept for the screen only, the line
// elements above both, and the pointer in twips.
#pragma once

#include "platform/LineElement.h"
#include "platform/PictureBox.h"
#include "platform/win32/Native.h"

#include <span>
#include <vector>

class PictureSurface
{
public:
    PictureSurface(Form::Native &form, HWND window, COLORREF background);
    ~PictureSurface();
    PictureSurface(const PictureSurface &) = delete;
    PictureSurface &operator=(const PictureSurface &) = delete;

    bool autoRedraw = false;
    PictureBox::MouseHandler mouseHandler;

    void line(float x1, float y1, float x2, float y2, uint32_t colour);
    void cls();
    void setLineElements(std::span<const LineElement> elements);
    void dropScreenLines();
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Segment
    {
        POINT from, to;
        COLORREF colour;
    };

    POINT pixelOf(float x, float y) const;
    HDC persistentDc();
    void invalidate(const Segment &segment);
    void paint();
    void mouseMoved(WPARAM keys, int x, int y);

    Form::Native &form_;
    HWND window_;
    COLORREF background_;
    MemoryDc imageDc_;
    GdiObject<HBITMAP> image_;
    HGDIOBJ emptyBitmap_ = nullptr; // what the memory DC held before the image
    std::vector<Segment> screenLines_;
    std::vector<Segment> elements_;
};
