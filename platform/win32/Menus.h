// The menu bar and its menus from the menu rows.
#pragma once

#include "platform/win32/Native.h"

// Each row's control is added by name; no bar when the system cannot make one.
HMENU createMenuBar(Form::Native &form, std::span<const MenuRow> rows, UINT firstId,
                    std::map<std::string, std::unique_ptr<Control>, std::less<>> &controls);
