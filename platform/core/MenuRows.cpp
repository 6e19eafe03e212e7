// How a form's menu rows become menus.
#include "platform/core/MenuRows.h"

#include <algorithm>
#include <string_view>

bool opensPopup(std::span<const MenuRow> rows, const MenuRow &row)
{
    return std::any_of(rows.begin(), rows.end(), [&](const MenuRow &item) {
        return item.menu && row.name && std::string_view(item.menu) == row.name;
    });
}
