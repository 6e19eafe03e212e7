// A picture box's drawing: the device pixels of its lines at each scale, its layers, and the
// packed colours it takes.
#include "core/Checks.h"
#include "platform/core/PictureModel.h"

#include <array>
#include <limits>
#include <string>

namespace {

constexpr std::array Scales { 1.0, 1.25, 1.5, 1.75, 2.0 };

// The device pixels of the ends, "x1 y1 x2 y2 ", of each line at every scale in turn.
std::string endsOf(const PictureModel &model)
{
    std::string ends;
    for (const double scale : Scales) {
        const std::vector<PixelLine> lines = model.persistentLines(15 / scale);
        for (const PixelLine &line : lines)
            for (const int value : { line.from.x, line.from.y, line.to.x, line.to.y })
                ends += std::to_string(value) + ' ';
    }
    return ends;
}

} // namespace

// Lines drawn at scale 1 and made again at every scale: each end is the nearest device pixel,
// halves going up, at that scale.
TEST_CASE("a line's device pixels at scales 1, 1.25, 1.5, 1.75 and 2")
{
    struct Row
    {
        const char *name;
        std::array<float, 4> twips;
        const char *ends;
    };
    const Row rows[] = {
        { "a trace segment",
          { 0, 4926, 60, 3696 },
          "0 328 4 246 0 411 5 308 0 493 6 370 0 575 7 431 0 657 8 493 " },
        { "a grid row",
          { 0, 480, 8400, 480 },
          "0 32 560 32 0 40 700 40 0 48 840 48 0 56 980 56 0 64 1120 64 " },
        { "halves go up", { 6, -6, -6, 6 }, "0 0 0 0 1 0 0 1 1 -1 -1 1 1 -1 -1 1 1 -1 -1 1 " },
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        PictureModel model;
        model.autoRedraw = true;
        model.line(row.twips[0], row.twips[1], row.twips[2], row.twips[3], 255, 15);
        CHECK(endsOf(model) == row.ends);
    }
}

TEST_CASE("layers: what Cls, hiding and the fold keep")
{
    PictureModel model;
    model.setLineElements(std::array { LineElement { "Line2", 600, 0, 600, 6000, 0x00C000 } }, 15);
    model.line(0, 0, 30, 30, 255, 15);
    model.autoRedraw = true;
    model.line(0, 15, 30, 15, 255, 15);
    CHECK(model.screenLines(15).size() == 1);
    CHECK(model.persistentLines(15).size() == 1);
    model.dropScreenLines();
    CHECK(model.screenLines(15).empty());
    CHECK(model.persistentLines(15).size() == 1);

    // An end no surface can address is refused and not kept; one that only another scale
    // cannot address is left out there.
    CHECK(errorOf([&] { model.line(0, 0, std::numeric_limits<float>::quiet_NaN(), 0, 255, 15); })
          == ErrorKind::Drawing);
    model.line(0, 0, 1.9e9f, 0, 255, 15);
    CHECK(model.persistentLines(15).size() == 2);
    CHECK(model.persistentLines(7.5).size() == 1);

    // At the lines kept exactly, the oldest half is handed over once, in drawing order.
    CHECK(model.takeFolded(15).empty());
    for (std::size_t i = 2; i < PictureModel::KeptLines; ++i)
        model.line(0, float(i), 30, float(i), 255, 15);
    const std::vector<PixelLine> folded = model.takeFolded(15);
    CHECK(folded.size() == PictureModel::KeptLines / 2);
    CHECK(folded[0].from.y == 1);
    CHECK(model.hasFolded());
    CHECK(model.takeFolded(15).empty());

    model.cls();
    CHECK(model.autoRedraw);
    CHECK(!model.hasPersistent());
    CHECK(!model.hasFolded());
    CHECK(model.elementLines(15).size() == 1);
}

TEST_CASE("packed colours: red in the low byte, the top byte ignored")
{
    CHECK(unpackColour(255) == Rgb { 255, 0, 0 });
    CHECK(unpackColour(0x00C000) == Rgb { 0, 192, 0 });
    CHECK(unpackColour(0x00FFFFC0) == Rgb { 192, 255, 255 });
    CHECK(unpackColour(0xFF123456) == Rgb { 0x56, 0x34, 0x12 });
}
