// The keyboard focus within a form: Tab along the form's focus order, and the control that had
// the focus given it back when the window is active again.
#include "platform/win32/Focus.h"

#include <algorithm>

bool moveFocusOnTab(const MSG &message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0
        || GetKeyState(VK_MENU) < 0)
        return false;
    Form::Native *form = formOf(GetAncestor(message.hwnd, GA_ROOT));
    if (!form || form->focusOrder.empty())
        return false;
    const auto &order = form->focusOrder;
    const size_t count = order.size();
    const auto at = std::find(order.begin(), order.end(), message.hwnd);
    size_t next = 0;
    if (at != order.end()) {
        const size_t index = size_t(at - order.begin());
        next = GetKeyState(VK_SHIFT) < 0 ? (index + count - 1) % count : (index + 1) % count;
    }
    SetFocus(order[next]);
    // As in a dialog, a text box reached by Tab has its text selected.
    wchar_t className[16] {};
    GetClassNameW(order[next], className, 16);
    if (lstrcmpiW(className, L"Edit") == 0)
        SendMessageW(order[next], EM_SETSEL, 0, -1);
    return true;
}

void rememberFocus(Form::Native &form)
{
    const HWND focus = GetFocus();
    if (focus && IsChild(form.window, focus))
        form.lastFocus = focus;
}

void restoreFocus(Form::Native &form)
{
    HWND target = form.lastFocus;
    if (!target || !IsWindow(target))
        target = form.focusOrder.empty() ? nullptr : form.focusOrder.front();
    if (target)
        SetFocus(target);
}
