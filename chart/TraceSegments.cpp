// Segment coordinates and sample counting for the trace.
#include "chart/TraceSegments.h"

#include "chart/ChartScale.h"

std::optional<Segment> segmentForCurrentSample(const WindowState &state)
{
    if (state.SampleNo < FirstDrawnSample || state.SampleNo > LastDrawnSample)
        return std::nullopt;
    // Computed in this order so that a fault is reported for the first value that raises it.
    Segment segment {};
    segment.y2 = ChartScale::TempToY(state.Temp);
    segment.x2 = ChartScale::SampleToX(state.SampleNo);
    segment.y1 = ChartScale::TempToY(state.PrevTemp);
    segment.x1 = ChartScale::SampleToX(state.PrevSampleNo);
    return segment;
}
