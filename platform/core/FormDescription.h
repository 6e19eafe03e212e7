// A window described as data: its caption and size, one row per control, its menus and its
// focus order, all positions in twips, the way a form file describes a form.
#pragma once

#include <cstdint>
#include <span>

// Colours are packed with red in the low byte; NoColour keeps the system's colour.
constexpr int32_t rgb(int red, int green, int blue) { return red | green << 8 | blue << 16; }
constexpr int32_t NoColour = -1;

enum class ControlKind { PictureButton, Caption, TextBox, PictureBox };
// Text is always at the top of its control; this is where it sits across it.
enum class Alignment { Left, Centre, Right };

// A family and the point size at which it shows text as large as the first choice does.
struct FontFace
{
    const char *family;
    double pointSize;
};

struct FontRow
{
    std::span<const FontFace>
            faces; // tried in order; the first installed one that writes Thai wins
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
    const FontRow *font; // nullptr: the window's
    Alignment alignment;
    const char *toolTip; // nullptr: none
    const char *picture; // a button's glyph, the name of an image resource
};

struct MenuRow
{
    const char *name;
    const char *caption; // '&' marks the access key
    const char *menu; // the menu it is an item of; nullptr for the menu bar
};

struct FormDescription
{
    const char *caption;
    const char *icon; // the name of the icon resource
    int left, top; // of the client area on the screen
    int width, height; // of the client area, below the menu bar
    const FontRow *font;
    std::span<const ControlRow> controls; // creation order is stacking order
    std::span<const MenuRow> menus;
    std::span<const char *const> focusOrder; // Tab goes from each to the next
};
