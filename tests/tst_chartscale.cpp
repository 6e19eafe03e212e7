// The chart scale's known points, forward and back, and its unclipped and faulting ends.
#include "chart/ChartScale.h"
#include "chart/TraceSegments.h"
#include "core/Checks.h"

#include <limits>
#include <string_view>

namespace {

struct Point
{
    std::string_view name;
    float temp;
    float y;
};

const Point tempToY[] = {
    { "top", 180.0f, 0.0f },
    { "bottom", -60.0f, 5760.0f },
    { "zero", 0.0f, 4320.0f },
    { "refined", 25.25f, 3714.0f },
    { "above chart", 200.0f, -480.0f },
    { "below chart", -100.0f, 6720.0f },
    { "segment start", -25.25f, 4926.0f },
    { "segment end", 26.0f, 3696.0f },
};

const Point yToTemp[] = {
    { "top", 180.0f, 0.0f },
    { "bottom", -60.0f, 5760.0f },
    { "zero", 0.0f, 4320.0f },
    { "last pixel row", -57.5f, 5700.0f },
};

// Segments are drawn for samples 1 to 140 inclusive; sample 0 only sets the start.
struct Bound
{
    std::string_view name;
    int sampleNo;
    bool drawn;
};

const Bound segmentBounds[] = {
    { "start point", 0, false },
    { "first segment", 1, true },
    { "last segment", 140, true },
    { "past the chart", 141, false },
};

} // namespace

TEST_CASE("tempToY")
{
    for (const Point &row : tempToY) {
        INFO("row: ", row.name);
        CHECK(ChartScale::TempToY(row.temp) == row.y);
    }
}

TEST_CASE("yToTemp")
{
    for (const Point &row : yToTemp) {
        INFO("row: ", row.name);
        CHECK(ChartScale::YToTemp(row.y) == row.temp);
    }
}

TEST_CASE("samples")
{
    CHECK(ChartScale::SampleToX(0) == 0.0f);
    CHECK(ChartScale::SampleToX(1) == 60.0f);
    CHECK(ChartScale::SampleToX(140) == 8400.0f);
    CHECK(ChartScale::XToSample(8400) == 140.0f);
    CHECK(ChartScale::XToSample(30) == 0.5f);
    CHECK(ChartScale::XToSample(8340) == 139.0f);
}

TEST_CASE("segmentBounds")
{
    for (const Bound &row : segmentBounds) {
        INFO("row: ", row.name);
        WindowState state;
        state.SampleNo = row.sampleNo;
        CHECK(segmentForCurrentSample(state).has_value() == row.drawn);
    }
}

TEST_CASE("segmentFromPreviousSample")
{
    WindowState state;
    state.Temp = -25.25f;
    advanceSamples(state);
    state.Temp = 26.0f;
    const auto segment = segmentForCurrentSample(state);
    REQUIRE(segment);
    CHECK(segment->x1 == 0.0f);
    CHECK(segment->y1 == 4926.0f);
    CHECK(segment->x2 == 60.0f);
    CHECK(segment->y2 == 3696.0f);
}

TEST_CASE("sampleCounterOverflows")
{
    WindowState state;
    state.SampleNo = std::numeric_limits<int32_t>::max();
    state.Temp = 5;
    CHECK(errorOf([&] { advanceSamples(state); }) == ErrorKind::Overflow);
    CHECK(state.SampleNo == std::numeric_limits<int32_t>::max());
    CHECK(state.PrevTemp == 5.0f);
}

TEST_CASE("faults")
{
    // The sample product is a checked 32-bit multiplication.
    CHECK(ChartScale::SampleToX(3579139) == 214748340.0f);
    CHECK(errorOf([] { ChartScale::SampleToX(3579140); }) == ErrorKind::Overflow);
    CHECK(errorOf([] { ChartScale::YToTemp(std::numeric_limits<float>::infinity()); })
          == ErrorKind::FloatingPointFault);
    CHECK(errorOf([] { ChartScale::TempToY(-std::numeric_limits<float>::max()); })
          == ErrorKind::FloatingPointFault);
}
