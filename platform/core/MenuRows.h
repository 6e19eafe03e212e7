// How a form's menu rows become menus.
#pragma once

#include "platform/core/FormDescription.h"

#include <span>

// A row opens a popup menu when another row names it as its menu, at any depth; one without
// items is a command of its own, on the bar or in its menu.
bool opensPopup(std::span<const MenuRow> rows, const MenuRow &row);
