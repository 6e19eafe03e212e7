// The plotting step: one red segment per drawn sample.
#include "Form1/Form1.h"

#include "chart/TraceSegments.h"
#include "platform/PictureBox.h"

namespace {
constexpr uint32_t TraceColour = 255; // red, packed red-in-low-byte
}

void Form1::DrawSegment()
{
    // The counters advance only after the line is drawn: a failed drawing call leaves them as
    // the last record that reached the chart left them.
    if (const auto segment = segmentForCurrentSample(*this))
        Pic->Line(segment->x1, segment->y1, segment->x2, segment->y2, TraceColour);
    advanceSample(*this);
}
