// Twip to pixel conversion.
#include "platform/core/Twips.h"

#include "platform/core/Error.h"

#include <cmath>

double twipsToPixels(double twips, double twipsPerPixel)
{
    return std::floor(twips / twipsPerPixel + 0.5);
}

PixelRect twipsRectToPixels(int left, int top, int width, int height, double twipsPerPixel)
{
    const int x1 = int(twipsToPixels(left, twipsPerPixel));
    const int y1 = int(twipsToPixels(top, twipsPerPixel));
    const int x2 = int(twipsToPixels(double(left) + width, twipsPerPixel));
    const int y2 = int(twipsToPixels(double(top) + height, twipsPerPixel));
    return { x1, y1, x2 - x1, y2 - y1 };
}

std::optional<PixelPoint> pixelInRange(float x, float y, double twipsPerPixel)
{
    constexpr double maxPixel = 134217727;
    const double px = twipsToPixels(x, twipsPerPixel);
    const double py = twipsToPixels(y, twipsPerPixel);
    if (!(std::abs(px) <= maxPixel && std::abs(py) <= maxPixel)) // also refuses NaN
        return std::nullopt;
    return PixelPoint { int(px), int(py) };
}

PixelPoint checkedPixel(float x, float y, double twipsPerPixel)
{
    if (const std::optional<PixelPoint> pixel = pixelInRange(x, y, twipsPerPixel))
        return *pixel;
    throw Error(ErrorKind::Drawing, "a line end lies beyond the drawing surface's range");
}
