// The plotting step: one red segment per drawn sample.
#include "Form1/Form1.h"

#include "chart/TraceSegments.h"
#include "platform/PictureBox.h"

namespace {
constexpr uint32_t TraceColour = 255; // red, packed red-in-low-byte
}

void Form1::DrawSegment()
{
    plotCurrentSample(*this, [this](const Segment &segment) {
        Pic->Line(segment.x1, segment.y1, segment.x2, segment.y2, TraceColour);
    });
}
