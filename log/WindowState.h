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
