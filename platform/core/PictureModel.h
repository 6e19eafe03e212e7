// What a picture box shows, kept in twips so that any backend can draw it again at any scale.
#pragma once

#include "platform/core/LineElement.h"
#include "platform/core/Twips.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct Rgb
{
    uint8_t red, green, blue;
    friend bool operator==(Rgb, Rgb) = default;
};

// A colour packed as the layout tables and Line take it: red in the low byte, then green, then
// blue; the top byte is ignored.
Rgb unpackColour(uint32_t packed);

// A line in device pixels: it covers the pixels from `from` up to, not including, `to`.
struct PixelLine
{
    PixelPoint from, to;
    Rgb colour;
};

// The drawing of one picture box, bottom to top: the persistent drawing (lines drawn with
// AutoRedraw on), the lines drawn with it off, then the line elements. Each layer keeps its
// lines in the order drawn; Cls empties the first two. A backend draws the box from this alone,
// at whatever twips per pixel its screen has now, so the box is exact after any change of scale.
class PictureModel
{
public:
    // The persistent drawing keeps up to this many lines exactly; at it, the oldest half is
    // folded into the backend's bitmap at the scale of the moment (see takeFolded), which is
    // then scaled, not drawn again, at another scale. A line takes 20 bytes, so the list stays
    // within 320 KiB; a log draws 140 lines, so 117 Opens without New stay exact.
    static constexpr std::size_t KeptLines = 16384;

    bool autoRedraw = false;

    // Adds a line to the persistent drawing or to the screen's, and gives its pixels at
    // `twipsPerPixel`. An end beyond what a surface can address is a drawing error, and the
    // line is then not kept.
    PixelLine line(float x1, float y1, float x2, float y2, uint32_t colour, double twipsPerPixel);
    void cls();
    // The screen's lines are gone: the box was hidden or its window minimised.
    void dropScreenLines() { screen_.clear(); }
    // Checked at `twipsPerPixel` as Line checks its ends.
    void setLineElements(std::span<const LineElement> elements, double twipsPerPixel);

    // Each layer at `twipsPerPixel`, in drawing order. A line whose ends cannot be addressed at
    // that scale (only at a scale other than the one it was drawn at) is left out.
    std::vector<PixelLine> persistentLines(double twipsPerPixel) const;
    std::vector<PixelLine> screenLines(double twipsPerPixel) const;
    std::vector<PixelLine> elementLines(double twipsPerPixel) const;

    // Whether the persistent drawing holds anything since the last Cls, folded lines included.
    bool hasPersistent() const { return !persistent_.empty() || folded_; }
    // Whether lines were folded since the last Cls: the backend's bitmap of them is then the
    // base that the kept lines are drawn on.
    bool hasFolded() const { return folded_; }
    // Once the persistent drawing holds KeptLines, its oldest half, at `twipsPerPixel`, for
    // the backend to draw into its base bitmap; the model keeps the rest. Empty otherwise.
    std::vector<PixelLine> takeFolded(double twipsPerPixel);

private:
    struct TwipsLine
    {
        float x1, y1, x2, y2;
        Rgb colour;
    };
    static std::vector<PixelLine> pixelsOf(std::span<const TwipsLine> lines, double twipsPerPixel);

    std::vector<TwipsLine> persistent_;
    std::vector<TwipsLine> screen_;
    std::vector<TwipsLine> elements_;
    bool folded_ = false;
};
