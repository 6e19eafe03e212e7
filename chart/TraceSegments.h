// The plotting step without a drawing surface: which segment a sample adds, drawn through a
// callable that the window and the tests each supply.
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

// The plotting step: draws the segment the current sample adds, if any, with
// drawLine(const Segment &), then advances the counters. They advance only after the line is
// drawn: a failed drawing call leaves them as the last record that reached the chart left them.
template<typename DrawLine> void plotCurrentSample(WindowState &state, DrawLine &&drawLine)
{
    if (const std::optional<Segment> segment = segmentForCurrentSample(state))
        drawLine(*segment);
    advanceSamples(state);
}
