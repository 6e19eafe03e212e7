// How the sample counters of the window state move on.
#include "log/WindowState.h"

#include "platform/core/CheckedArithmetic.h"

void advanceSamples(WindowState &state, int32_t count)
{
    state.PrevSampleNo = checkedAdd32(state.SampleNo, count - 1);
    state.PrevTemp = state.Temp;
    state.SampleNo = checkedAdd32(state.SampleNo, count);
}
