// The figures of Form1's layout.
#include "Form1/Layout.h"

#include "platform/Application.h"

namespace Layout {

namespace {

constexpr int32_t Silver = rgb(192, 192, 192);
constexpr int32_t Blue = rgb(0, 0, 255);
constexpr int32_t ChartBackground = rgb(192, 255, 255);
constexpr uint32_t GridGreen = uint32_t(rgb(0, 192, 0));

using enum ControlKind;
using enum Alignment;

// The window is designed in MS Sans Serif and AngsanaUPC, which Windows has; elsewhere their
// nearest Thai-capable relatives stand in: sans serif faces for MS Sans Serif, looped serif
// faces for AngsanaUPC. The UPC faces draw their letters about two thirds as large as other
// faces do at the same point size, so their relatives are given at two thirds of it, which
// also keeps the axis numbers inside their captions.
constexpr FontFace SansSerif[] { { "MS Sans Serif", 8.25 }, { "Microsoft Sans Serif", 8.25 },
                                 { "Tahoma", 8.25 },        { "Loma", 8.25 },
                                 { "Garuda", 8.25 },        { "Waree", 8.25 } };
constexpr FontFace Angsana[] { { "AngsanaUPC", 12 },
                               { "Angsana New", 12 },
                               { "Kinnari", 8 },
                               { "Norasi", 8 },
                               { "Laksaman", 8 } };

constexpr FontRow WindowFont { SansSerif, false };
constexpr FontRow AxisCaptionFont { Angsana, true };
constexpr FontRow AxisTextBoxFont { SansSerif, true };
constexpr const FontRow *Window = nullptr;
constexpr const FontRow *AxisCaption = &AxisCaptionFont;
constexpr const FontRow *AxisTextBox = &AxisTextBoxFont;

// Creation order is stacking order: a later control lies above an earlier one it overlaps.
constexpr ControlRow controls[] {
    // name, kind, left, top, width, height, text, fore and back colour, font, alignment,
    // tooltip, glyph
    { "Cm1", PictureButton, 0, 0, 375, 375, "", NoColour, Silver, Window, Centre, "New",
      "glyph-new" },
    { "Cm2", PictureButton, 360, 0, 375, 375, "", NoColour, Silver, Window, Centre, "Open",
      "glyph-open" },
    { "Command1", PictureButton, 720, 0, 375, 375, "", NoColour, Silver, Window, Centre, nullptr,
      "glyph-camera" },
    { "Command2", PictureButton, 1320, 0, 375, 375, "", NoColour, Silver, Window, Centre, nullptr,
      "glyph-exit" },

    { "Label3", Caption, 7680, 0, 975, 255, "วัดครั้งที่", Blue, NoColour, Window, Centre, nullptr,
      nullptr },
    { "Text5", TextBox, 7680, 240, 975, 315, "", NoColour, NoColour, Window, Left, nullptr,
      nullptr },
    { "Label19", Caption, 8880, 0, 855, 255, "อุณหภูมิ", Blue, NoColour, Window, Centre, nullptr,
      nullptr },
    { "Text6", TextBox, 8760, 240, 975, 315, "", NoColour, NoColour, Window, Left, nullptr,
      nullptr },

    { "Pic", PictureBox, 1320, 720, 8415, 5775, "", NoColour, ChartBackground, Window, Left,
      nullptr, nullptr },

    { "Text3", TextBox, 600, 720, 615, 315, "180.", NoColour, NoColour, AxisTextBox, Right, nullptr,
      nullptr },
    { "Label1", Caption, 600, 1080, 615, 255, "160.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label2", Caption, 600, 1560, 615, 255, "140.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label12", Caption, 600, 2040, 615, 255, "120", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label11", Caption, 600, 2520, 615, 255, "100.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label10", Caption, 600, 3000, 615, 255, "80.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label9", Caption, 600, 3480, 615, 255, "60.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label8", Caption, 600, 3960, 615, 255, "40.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label7", Caption, 600, 4440, 615, 255, "20.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label6", Caption, 600, 4920, 615, 255, "0.", NoColour, NoColour, AxisCaption, Right, nullptr,
      nullptr },
    { "Label5", Caption, 600, 5400, 615, 255, "-20.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Label4", Caption, 600, 5880, 615, 255, "-40.", NoColour, NoColour, AxisCaption, Right,
      nullptr, nullptr },
    { "Text4", TextBox, 600, 6240, 615, 315, "-60.", NoColour, NoColour, AxisTextBox, Right,
      nullptr, nullptr },

    { "Text1", TextBox, 1320, 6600, 615, 315, "0.", NoColour, NoColour, AxisTextBox, Centre,
      nullptr, nullptr },
    { "Label13", Caption, 2160, 6600, 735, 255, "20.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Label14", Caption, 3360, 6600, 735, 255, "40.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Label15", Caption, 4560, 6600, 735, 255, "60.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Label16", Caption, 5760, 6600, 735, 255, "80.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Label17", Caption, 6960, 6600, 735, 255, "100.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Label18", Caption, 8160, 6600, 735, 255, "120.", NoColour, NoColour, AxisCaption, Centre,
      nullptr, nullptr },
    { "Text2", TextBox, 9120, 6600, 615, 315, "140.", NoColour, NoColour, AxisTextBox, Centre,
      nullptr, nullptr },
};

constexpr MenuRow menus[] {
    { "mnuFile", "&File", nullptr },   { "mnuNew", "&New", "mnuFile" },
    { "mnuopen", "&Open", "mnuFile" }, { "mnuexit", "E&xit", "mnuFile" },
    { "mnuhelp", "&Help", nullptr },
};

constexpr const char *focusOrder[] { "Pic",   "Cm2",   "Cm1",   "Text1",    "Text2",   "Text3",
                                     "Text4", "Text5", "Text6", "Command1", "Command2" };

} // namespace

const FormDescription form { ProgramName, "icon",      1890,     1620,  9960,
                             7035,        &WindowFont, controls, menus, focusOrder };

// Every 20 degrees from +160 down to -40, and every 10 samples from 10 to 130. They reach
// past the inner area, which clips them.
const std::array<LineElement, 24> grid { {
        { "Line25", 0, 480, 8400, 480, GridGreen },   { "Line24", 0, 960, 8400, 960, GridGreen },
        { "Line23", 0, 1440, 8400, 1440, GridGreen }, { "Line22", 0, 1920, 8400, 1920, GridGreen },
        { "Line21", 0, 2400, 8400, 2400, GridGreen }, { "Line20", 0, 2880, 8400, 2880, GridGreen },
        { "Line19", 0, 3360, 8400, 3360, GridGreen }, { "Line18", 0, 3840, 8400, 3840, GridGreen },
        { "Line17", 0, 4320, 8400, 4320, GridGreen }, { "Line16", 0, 4800, 8400, 4800, GridGreen },
        { "Line15", 0, 5280, 8400, 5280, GridGreen }, { "Line14", 7800, 0, 7800, 6000, GridGreen },
        { "Line13", 7200, 0, 7200, 6000, GridGreen }, { "Line12", 6600, 0, 6600, 6000, GridGreen },
        { "Line11", 6000, 0, 6000, 6000, GridGreen }, { "Line10", 5400, 0, 5400, 6000, GridGreen },
        { "Line9", 4800, 0, 4800, 6000, GridGreen },  { "Line8", 4200, 0, 4200, 6000, GridGreen },
        { "Line7", 3600, 0, 3600, 6000, GridGreen },  { "Line6", 3000, 0, 3000, 6000, GridGreen },
        { "Line5", 2400, 0, 2400, 6000, GridGreen },  { "Line4", 1800, 0, 1800, 6000, GridGreen },
        { "Line3", 1200, 0, 1200, 6000, GridGreen },  { "Line2", 600, 0, 600, 6000, GridGreen },
} };

const char *const openFilter = "All File(*.*)|*.*";

} // namespace Layout
