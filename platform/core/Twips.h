// Twips (1/1440 inch), the unit of the window layout and the chart, and their conversion to pixels.
#pragma once

#include <optional>

// The one rounding rule for every twip position that becomes a pixel, in the layout and on the
// chart alike: the nearest pixel, halves going up (toward +infinity), so 7.5 -> 8 and -7.5 -> -7.
// Rounding the same way everywhere keeps a grid line, a trace point and a control edge that
// share a twip figure on the same pixel. The result is a whole number held in a double, so
// positions far outside any surface stay exact instead of overflowing an int.
double twipsToPixels(double twips, double twipsPerPixel);

struct PixelRect
{
    int left, top, width, height;
};

// A layout rectangle in pixels. Its edges are converted, not its size, so two controls that
// share an edge in twips also share it in pixels at any dpi.
PixelRect twipsRectToPixels(int left, int top, int width, int height, double twipsPerPixel);

struct PixelPoint
{
    int x, y;
};

// The device pixel of a position in twips, where a drawing surface can take it: within the
// classic 27-bit device coordinates. Beyond them, and for NaN, none, rather than a line the
// system would silently leave out.
std::optional<PixelPoint> pixelInRange(float x, float y, double twipsPerPixel);
// The same, with a position beyond that range a drawing error.
PixelPoint checkedPixel(float x, float y, double twipsPerPixel);
