// How a form's control rows stack.
#pragma once

#include "platform/core/FormDescription.h"

#include <cstddef>
#include <span>

// Whether the control of row `index` overlaps one made before it, which it then lies above. A
// caption that overlaps none can be drawn by the window itself, underneath every control.
bool overlapsEarlierControl(std::span<const ControlRow> rows, std::size_t index);
