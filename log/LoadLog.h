// Reading a whole log file record by record, decoding each and running the plotting step.
#pragma once

#include "log/WindowState.h"

#include <cstdint>
#include <functional>

// Run after every decoded record; it reads Temp and SampleNo and must advance SampleNo.
using PlottingStep = std::function<void()>;

// Loads the file named by state.LogFileName. Resets SampleNo to 0 once the file is open. A
// decoding fault stops the load at that record with an Error that names the file, the record
// and its byte position; the file is closed on every path.
void LoadLog(WindowState &state, const PlottingStep &plottingStep);

// The same load for a plotting step that draws nothing once SampleNo is past `lastDrawnSample`
// and there only calls advanceSamples(state, 1). From there the records are checked in bulk
// without running the step; the fields, the fault and its message end exactly as with the step
// run for every record.
void LoadLog(WindowState &state, const PlottingStep &plottingStep, int32_t lastDrawnSample);

// How the plotting step moves the sample counters on: the current sample becomes the previous
// one and SampleNo counts on. `count` > 1 stands for that many steps over records of which the
// current one is the last; SampleNo overflowing is an error.
void advanceSamples(WindowState &state, int32_t count);
