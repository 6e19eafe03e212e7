// Chart scale arithmetic: widened to double, stored as single, faults raised.
#include "chart/ChartScale.h"

#include "platform/core/CheckedArithmetic.h"

namespace ChartScale {

float SampleToX(int32_t sampleNo)
{
    return toSingle(static_cast<double>(checkedMul32(sampleNo, 600)) / 10.0);
}

float TempToY(float temp)
{
    // Grouped as add, multiply, divide, subtract from 5760; the rounding of the single store
    // depends on it.
    return toSingle(5760.0 - ((static_cast<double>(temp) + 60.0) * 480.0) / 20.0);
}

float XToSample(float x) { return toSingle((static_cast<double>(x) * 10.0) / 600.0); }

float YToTemp(float y)
{
    return toSingle(((5760.0 - static_cast<double>(y)) * 20.0) / 480.0 - 60.0);
}

} // namespace ChartScale
