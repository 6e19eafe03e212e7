// The plotting step's arithmetic, without a drawing surface: which segment a sample adds, and
// how the sample counters advance.
#pragma once

#include "log/WindowState.h"

#include <optional>

struct Segment
{
    float x1, y1, x2, y2; // twips on the chart
};

// Samples before the first and after the last drawn one add no segment.
constexpr int32_t FirstDrawnSample = 1;
constexpr int32_t LastDrawnSample = 140;

// The segment from the previous sample's point to the current one, or none for sample 0 (which
// only sets the starting point) and for samples past the last drawn one.
std::optional<Segment> segmentForCurrentSample(const WindowState &state);

// Makes the current sample the previous one and counts on; overflow of SampleNo is an error.
void advanceSample(WindowState &state);
