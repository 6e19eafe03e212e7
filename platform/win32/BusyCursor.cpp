// The busy pointer while a load runs; the message loop does not run meanwhile, so the pointer
// set here stays until it is put back.
#include "platform/BusyCursor.h"

#include <windows.h>

namespace {

HCURSOR &previousCursor()
{
    static HCURSOR previous = nullptr;
    return previous;
}

int &depth()
{
    static int busy = 0;
    return busy;
}

} // namespace

BusyCursor::BusyCursor()
{
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (depth()++ == 0)
        previousCursor() = previous;
}

BusyCursor::~BusyCursor()
{
    if (--depth() == 0)
        SetCursor(previousCursor());
}
