// Form1's layout as data: the window, one row per control, the grid, the menus and the focus
// order, all positions in twips, the way a form file describes a form.
#pragma once

#include <Qt>
#include <array>
#include <cstdint>

#include "platform/LineElement.h"
#include "platform/ThaiFont.h"

namespace Layout {

// Colours are packed with red in the low byte; NoColour keeps the system's colour.
constexpr int32_t rgb(int red, int green, int blue) { return red | green << 8 | blue << 16; }
constexpr int32_t NoColour = -1;

enum class ControlKind { PictureButton, Caption, TextBox, PictureBox };
enum class FontKind { Window, AxisCaption, AxisTextBox };

struct FontRow
{
    QList<FontFace> faces; // tried in order; the first installed one that writes Thai wins
    bool bold;
};

struct ControlRow
{
    const char *name;
    ControlKind kind;
    int left, top, width, height; // in the client area
    const char *text; // UTF-8
    int32_t foreColour;
    int32_t backColour;
    FontKind font;
    Qt::Alignment alignment;
    const char *toolTip; // nullptr: none
    const char *picture; // a button's glyph, a resource path
};

struct MenuRow
{
    const char *name;
    const char *caption; // '&' marks the access key
    const char *menu; // the menu it is an item of; nullptr for the menu bar
};

struct WindowRow
{
    const char *caption;
    int left, top; // of the client area on the screen
    int width, height; // of the client area, below the menu bar
};

extern const WindowRow window;
extern const std::array<ControlRow, 30> controls;
extern const std::array<LineElement, 24> grid; // in twips of Pic's inner area
extern const std::array<MenuRow, 5> menus;
extern const std::array<const char *, 11> focusOrder;
extern const char *const openFilter;

const FontRow &font(FontKind kind);

} // namespace Layout
