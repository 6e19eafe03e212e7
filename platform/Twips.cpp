// Twip to pixel conversion.
#include "platform/Twips.h"

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
