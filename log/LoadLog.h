// Reading a whole log file record by record, decoding each and running the plotting step.
#pragma once

#include "log/WindowState.h"

#include <cstdint>
#include <functional>
#include <optional>

// Run after every decoded record; it reads Temp and SampleNo and must advance SampleNo.
using PlottingStep = std::function<void()>;

// Loads the file named by state.LogFileName. Resets SampleNo to 0 once the file is open. A
// decoding fault stops the load at that record with an Error that names the file, the record
// and its byte position; the file is closed on every path.
//
// With `lastDrawnSample`, the plotting step promises to draw nothing once SampleNo is past it
// and there only to call advanceSamples(state). From there the records are checked in bulk
// without running the step; the fields, the fault and its message end exactly as with the step
// run for every record.
void LoadLog(WindowState &state, const PlottingStep &plottingStep,
             std::optional<int32_t> lastDrawnSample = std::nullopt);
