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
    // What was drawn and the line elements, drawn again at the form's dpi; lines kept for the
    // screen only are gone, as after any other change of the screen.
    void redrawAtDpi();
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Segment
    {
        POINT from, to;
        COLORREF colour;
    };
    struct TwipsLine
    {
        float x1, y1, x2, y2;
        COLORREF colour;
    };

    POINT pixelOf(float x, float y) const;
    HDC persistentDc();
    void invalidate(const Segment &segment);
    std::vector<Segment> segmentsOf(const std::vector<TwipsLine> &lines, bool checked) const;
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
    std::vector<TwipsLine> drawn_; // into the image since it was last cleared
    std::vector<TwipsLine> elementLines_;
};
