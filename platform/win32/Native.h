// What the Win32 backend keeps behind the platform layer's classes, and how a form is found
// from its window.
#pragma once

#include <windows.h>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/win32/Handles.h"

#include <cwchar>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

class PictureSurface;

struct Control::Native
{
    Form::Native *form = nullptr;
    const ControlRow *row = nullptr; // placed and lettered from it again at another dpi
    HWND window = nullptr; // none for a menu item or a caption the form draws
    UINT id = 0; // the command identifier of a button or menu item
    Handler click;
    // Where the control shows no text of its own, its window text names it for screen readers.
    bool nameIsWindowText = false;
    COLORREF foreColour = CLR_INVALID; // CLR_INVALID: the system's
    COLORREF backColour = CLR_INVALID;
    GdiObject<HBRUSH> backBrush;
    GdiObject<HBITMAP> glyph; // a picture button's
    std::unique_ptr<PictureSurface> surface; // a picture box's

    Native();
    ~Native();
};

struct Form::Native
{
    Form *form = nullptr;
    const FormDescription *description = nullptr;
    HWND window = nullptr;
    int dpi = 96;
    double twipsPerPixel = 15;
    std::vector<HWND> focusOrder;
    HWND lastFocus = nullptr; // given back when the window is activated again
    std::map<HWND, Control::Native *> byWindow;
    std::map<UINT, Control::Native *> byId;
    std::vector<const Control::Native *> paintedCaptions; // those without a window
    std::map<const void *, GdiObject<HFONT>> fonts; // by font row
    HWND toolTips = nullptr;
    DropHandler dropHandler;

    ~Native();
};

inline constexpr wchar_t FormClass[] = L"KelvaneVokForm";

// Every control is a visible child that never paints over a sibling lying above it.
inline constexpr DWORD ControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// The form whose top-level window this is, kept in the window from its first message to its
// destruction. Other windows (dialogs, message boxes) keep their own data there: none of them
// is taken for a form.
inline Form::Native *formOf(HWND window)
{
    wchar_t name[std::size(FormClass) + 1] {};
    if (!window || !GetClassNameW(window, name, int(std::size(name)))
        || std::wcscmp(name, FormClass) != 0)
        return nullptr;
    return reinterpret_cast<Form::Native *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
