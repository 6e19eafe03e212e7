// The main window's state: what the loader, the decoder and the plotting step share.
#pragma once

#include <cstdint>
#include <string>

// The main window owns these fields for its whole life; only SampleNo is ever reset (by each
// load). A plain struct so the log code can be exercised without a window.
struct WindowState
{
    std::string LogFileName; // UTF-8 path, as chosen in the open-file dialog
    float RawTemp = 0;
    float Temp = 0;
    float PrevTemp = 0;
    int32_t SampleNo = 0;
    int32_t PrevSampleNo = 0;
};

// The current sample becomes the previous one and SampleNo counts on. `count` > 1 stands for
// that many steps over records of which the current one is the last; SampleNo overflowing is an
// error, raised before any field changes.
void advanceSamples(WindowState &state, int32_t count = 1);
