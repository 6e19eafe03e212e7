// What the Win32 backend keeps behind the platform layer's classes, and the pieces of the
// backend that the form, its controls and the message loop share.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/win32/Handles.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class PictureSurface;

struct Control::Native
{
    Form::Native *form = nullptr;
    const ControlRow *row = nullptr; // placed and lettered from it again at another dpi
    HWND window = nullptr; // none for a menu item
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
    std::map<const void *, GdiObject<HFONT>> fonts; // by font row
    HWND toolTips = nullptr;
    DropHandler dropHandler;

    ~Native();
};

HINSTANCE instance();

// The live form whose top-level window this is, if any.
Form::Native *formOf(HWND window);

// The Tab key moves the focus along the form's focus order; true when it did so with this
// message.
bool moveFocusOnTab(const MSG &message);
// The control that had the focus when the window was left gets it back when the window gets
// the focus again; the first of the focus order if none.
void rememberFocus(Form::Native &form);
void restoreFocus(Form::Native &form);

// Files dropped on the form, handed to its drop handler.
void filesDropped(Form::Native &form, HDROP drop);

// Controls made from a description row, child windows of the form's window.
std::unique_ptr<Control> createControl(Form::Native &form, const ControlRow &row, UINT id,
                                       HFONT font);
std::unique_ptr<Control> createPictureBox(Form::Native &form, const ControlRow &row, UINT id);
void drawPictureButton(const Control::Native &button, const DRAWITEMSTRUCT &item);

// The menu bar from the menu rows; each row's control is added by name.
HMENU createMenuBar(Form::Native &form, std::span<const MenuRow> rows, UINT firstId,
                    std::map<std::string, std::unique_ptr<Control>, std::less<>> &controls);

// A font for Thai text from a row of faces, at the screen's dpi.
HFONT createThaiFont(const FontRow &row, int dpi);

// Puts text on the clipboard; failures are clipboard errors.
void setClipboardText(const std::wstring &text);

// The picture box's window class; registered once.
const wchar_t *pictureBoxClass();
void dropScreenLines(PictureSurface &surface);
// The chart again at the form's new dpi, once its window has its new size.
void redrawAtDpi(PictureSurface &surface);
