// Form1's layout as data: the window, one row per control, the grid, the menus and the focus
// order, all positions in twips, the way a form file describes a form.
#pragma once

#include "platform/core/FormDescription.h"
#include "platform/core/LineElement.h"

#include <array>

namespace Layout {

extern const FormDescription form;
extern const std::array<LineElement, 24> grid; // in twips of Pic's inner area
extern const char *const openFilter;

} // namespace Layout
