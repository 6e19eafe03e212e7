// A picture box's drawing: the device pixels of its lines at each scale, its layers, and the
// packed colours it takes.
#include "core/Checks.h"
#include "platform/core/PictureModel.h"

#include <array>
#include <limits>

namespace {

constexpr std::array Scales { 1.0, 1.25, 1.5, 1.75, 2.0 };

double twipsPerPixelAt(double scale) { return 15 / scale; }

struct Ends
{
    int x1, y1, x2, y2;
};

} // namespace

// Lines drawn at scale 1 and made again at every scale: each end is the nearest device pixel,
// halves going up, at that scale.
TEST_CASE("a line's device pixels at each scale")
{
    struct Row
    {
        const char *name;
        std::array<float, 4> twips;
        std::array<Ends, Scales.size()> at;
    };
    const Row rows[] = {
        { "a trace segment",
          { 0, 4926, 60, 3696 },
          { { { 0, 328, 4, 246 },
              { 0, 411, 5, 308 },
              { 0, 493, 6, 370 },
              { 0, 575, 7, 431 },
              { 0, 657, 8, 493 } } } },
        { "a grid row",
          { 0, 480, 8400, 480 },
          { { { 0, 32, 560, 32 },
              { 0, 40, 700, 40 },
              { 0, 48, 840, 48 },
              { 0, 56, 980, 56 },
              { 0, 64, 1120, 64 } } } },
        { "halves go up",
          { 6, -6, -6, 6 },
          { { { 0, 0, 0, 0 },
              { 1, 0, 0, 1 },
              { 1, -1, -1, 1 },
              { 1, -1, -1, 1 },
              { 1, -1, -1, 1 } } } },
    };
    for (const Row &row : rows) {
        PictureModel model;
        model.autoRedraw = true;
        model.line(row.twips[0], row.twips[1], row.twips[2], row.twips[3], 255, 15);
        for (std::size_t i = 0; i < Scales.size(); ++i) {
            CAPTURE(row.name);
            CAPTURE(Scales[i]);
            const std::vector<PixelLine> lines = model.persistentLines(twipsPerPixelAt(Scales[i]));
            REQUIRE(lines.size() == 1);
            const Ends &want = row.at[i];
            CHECK(lines[0].from.x == want.x1);
            CHECK(lines[0].from.y == want.y1);
            CHECK(lines[0].to.x == want.x2);
            CHECK(lines[0].to.y == want.y2);
        }
    }
}

TEST_CASE("layers: what Cls, hiding and the fold keep")
{
    PictureModel model;
    model.setLineElements(std::array { LineElement { "Line2", 600, 0, 600, 6000, 0x00C000 } }, 15);
    model.line(0, 0, 30, 30, 255, 15);
    model.autoRedraw = true;
    model.line(0, 15, 30, 15, 0x00C08040, 15);
    CHECK(model.screenLines(15).size() == 1);
    REQUIRE(model.persistentLines(15).size() == 1);
    CHECK(model.persistentLines(15)[0].colour == Rgb { 0x40, 0x80, 0xC0 });
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
    CHECK(folded[0].colour == Rgb { 0x40, 0x80, 0xC0 });
    CHECK(model.hasFolded());
    CHECK(model.takeFolded(15).empty());

    model.cls();
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
