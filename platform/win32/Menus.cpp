// The menu bar and its menus from the menu rows, with '&' marking each access key.
#include "platform/win32/Menus.h"

#include "platform/core/MenuRows.h"
#include "platform/core/win32/Text.h"

HMENU createMenuBar(Form::Native &form, std::span<const MenuRow> rows, UINT firstId,
                    std::map<std::string, std::unique_ptr<Control>, std::less<>> &controls)
{
    const HMENU bar = CreateMenu();
    if (!bar)
        return nullptr;
    std::map<std::string, HMENU, std::less<>> popups;
    UINT id = firstId;
    for (const MenuRow &row : rows) {
        auto native = std::make_unique<Control::Native>();
        native->form = &form;
        native->id = id++;
        HMENU parent = bar;
        if (row.menu) {
            const auto found = popups.find(row.menu);
            parent = found == popups.end() ? bar : found->second;
        }
        const std::wstring caption = toWide(row.caption);
        if (opensPopup(rows, row)) {
            const HMENU popup = CreatePopupMenu();
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        caption.c_str());
            popups.emplace(row.name, popup);
        } else {
            AppendMenuW(parent, MF_STRING, native->id, caption.c_str());
            form.byId[native->id] = native.get();
        }
        controls.emplace(row.name, std::make_unique<MenuItem>(std::move(native)));
    }
    return bar;
}
