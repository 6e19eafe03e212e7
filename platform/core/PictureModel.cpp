// A picture box's drawing in twips, and its device pixels at a given scale.
#include "platform/core/PictureModel.h"

#include <optional>

Rgb unpackColour(uint32_t packed)
{
    return { uint8_t(packed & 0xFF), uint8_t((packed >> 8) & 0xFF),
             uint8_t((packed >> 16) & 0xFF) };
}

PixelLine PictureModel::line(float x1, float y1, float x2, float y2, uint32_t colour,
                             double twipsPerPixel)
{
    const PixelLine pixels { checkedPixel(x1, y1, twipsPerPixel),
                             checkedPixel(x2, y2, twipsPerPixel), unpackColour(colour) };
    (autoRedraw ? persistent_ : screen_).push_back({ x1, y1, x2, y2, pixels.colour });
    return pixels;
}

void PictureModel::cls()
{
    persistent_.clear();
    screen_.clear();
    folded_ = false;
}

void PictureModel::setLineElements(std::span<const LineElement> lines, double twipsPerPixel)
{
    std::vector<TwipsLine> kept;
    for (const LineElement &line : lines) {
        checkedPixel(line.X1, line.Y1, twipsPerPixel);
        checkedPixel(line.X2, line.Y2, twipsPerPixel);
        kept.push_back({ line.X1, line.Y1, line.X2, line.Y2, unpackColour(line.BorderColor) });
    }
    elements_ = std::move(kept);
}

std::vector<PixelLine> PictureModel::pixelsOf(std::span<const TwipsLine> lines,
                                              double twipsPerPixel)
{
    std::vector<PixelLine> pixels;
    pixels.reserve(lines.size());
    for (const TwipsLine &line : lines) {
        const std::optional<PixelPoint> from = pixelInRange(line.x1, line.y1, twipsPerPixel);
        const std::optional<PixelPoint> to = pixelInRange(line.x2, line.y2, twipsPerPixel);
        if (from && to)
            pixels.push_back({ *from, *to, line.colour });
    }
    return pixels;
}

std::vector<PixelLine> PictureModel::persistentLines(double twipsPerPixel) const
{
    return pixelsOf(persistent_, twipsPerPixel);
}

std::vector<PixelLine> PictureModel::screenLines(double twipsPerPixel) const
{
    return pixelsOf(screen_, twipsPerPixel);
}

std::vector<PixelLine> PictureModel::elementLines(double twipsPerPixel) const
{
    return pixelsOf(elements_, twipsPerPixel);
}

std::vector<PixelLine> PictureModel::takeFolded(double twipsPerPixel)
{
    // At KeptLines rather than past it, so the list never grows beyond that capacity.
    if (persistent_.size() < KeptLines)
        return {};
    const auto oldest = std::span(persistent_).first(persistent_.size() / 2);
    std::vector<PixelLine> pixels = pixelsOf(oldest, twipsPerPixel);
    persistent_.erase(persistent_.begin(), persistent_.begin() + std::ptrdiff_t(oldest.size()));
    folded_ = true;
    return pixels;
}
