// The fixed mapping between samples, temperatures and chart twips, forward and back.
#pragma once

#include <cstdint>

// Samples 0..140 span x 0..8400 twips (60 per sample); temperatures -60..+180 span y 5760..0
// twips (24 per degree, rising upward). Nothing is clipped here; the chart surface clips.
namespace ChartScale {

float SampleToX(int32_t sampleNo);
float TempToY(float temp);
float XToSample(float x);
float YToTemp(float y);

} // namespace ChartScale
