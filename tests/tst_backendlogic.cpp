// What both window-system backends decide alike: the dialog filter's entries, the pixels a line
// can reach, the mouse handlers' bit sets, the Thai face a row of faces gets, the files a drop
// opens, the menu rows that open popups and the controls that lie over earlier ones.
#include "core/Checks.h"
#include "platform/core/ControlRows.h"
#include "platform/core/FileDrop.h"
#include "platform/core/FileFilter.h"
#include "platform/core/MenuRows.h"
#include "platform/core/Pointer.h"
#include "platform/core/ThaiFace.h"
#include "platform/core/Twips.h"

#include <algorithm>
#include <array>
#include <limits>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Filter
{
    std::string_view name;
    std::string_view filter;
    std::string_view entries; // description=pattern,pattern / ...; "!" an error
};

const Filter fileFilters[] = {
    { "the window's", "All File(*.*)|*.*", "All File(*.*)=*.*" },
    { "several, trimmed", "Logs| *.log ;;*.dat", "Logs=*.log,*.dat" },
    { "two entries", "Logs|*.log|All|*.*", "Logs=*.log / All=*.*" },
    { "none", "", "" },
    { "no pattern", "Logs|*.log|All", "!" },
};

// The entries as the table writes them.
std::string parsedEntries(std::string_view filter)
{
    try {
        std::string parsed;
        for (const FileFilterEntry &entry : parseFileFilter(filter)) {
            parsed += (parsed.empty() ? "" : " / ") + entry.description + "=";
            for (size_t i = 0; i < entry.patterns.size(); ++i)
                parsed += (i ? "," : "") + entry.patterns[i];
        }
        return parsed;
    } catch (const Error &error) {
        return error.kind() == ErrorKind::Dialog ? "!" : error.message();
    }
}

struct PixelRange
{
    std::string_view name;
    float twips;
    double twipsPerPixel;
    int pixel; // -1: out of range
};

const PixelRange pixelRanges[] = {
    { "rounds half up", 22.5f, 15.0, 2 },
    // Floats step by 8 here, so the rows lie either side of the limit, 2^27 - 1.
    { "last in range", 134217720.0f, 1.0, 134217720 },
    { "just beyond", 134217736.0f, 1.0, -1 },
    { "beyond, negative", -3e9f, 15.0, -1 },
    { "NaN", std::numeric_limits<float>::quiet_NaN(), 15.0, -1 },
    { "infinite", std::numeric_limits<float>::infinity(), 10.0, -1 },
};

struct Pointer
{
    std::string_view name;
    int held; // left, right, middle, Shift, Ctrl, Alt from bit 0 up
    int button;
    int shift;
};

const Pointer pointers[] = {
    { "nothing", 0, 0, 0 },
    { "left", 0b000001, 1, 0 },
    { "right and middle", 0b000110, 6, 0 },
    { "Shift and Alt", 0b101000, 0, 5 },
    { "everything", 0b111111, 7, 7 },
};

struct Face
{
    std::string_view name;
    std::vector<std::string> usable; // families the system has, writing Thai
    std::vector<std::string> installed; // the system's Thai families, in its order
    std::string_view chosen; // family@size
};

const Face thaiFaces[] = {
    { "first of the row", { "A", "B" }, { "A", "B" }, "A@14" },
    { "next of the row", { "B" }, { "B" }, "B@10" },
    { "installed, last size", { "K" }, { "J", "K" }, "K@8" },
    { "none: first face", {}, {}, "A@14" },
};

struct Drop
{
    std::string_view name;
    std::vector<DroppedItem> items; // an empty path: not a local file
    std::vector<std::string> opened;
};

const Drop drops[] = {
    { "files, in the drag's order", { { "b.log" }, { "a.log" } }, { "b.log", "a.log" } },
    { "a folder refuses all", { { "a.log" }, { "logs", true }, { "b.log" } }, {} },
    { "a remote item refuses all", { { "a.log" }, { "" } }, {} },
    { "nothing", {}, {} },
};

struct Menus
{
    std::string_view name;
    std::vector<MenuRow> rows; // name, caption, menu
    std::vector<std::string> popups;
};

const Menus menuBars[] = {
    { "the window's",
      { { "File", "", nullptr },
        { "New", "", "File" },
        { "Open", "", "File" },
        { "Help", "", nullptr } },
      { "File" } },
    { "a menu without items", { { "Help", "", nullptr } }, {} },
    { "nested, items first",
      { { "Old", "", "Recent" }, { "Recent", "", "File" }, { "File", "", nullptr } },
      { "Recent", "File" } },
};

// Rows at left, top, width, height; the indexes of those over an earlier row.
struct Stack
{
    std::string_view name;
    std::vector<std::array<int, 4>> places;
    std::vector<size_t> over;
};

const Stack stacks[] = {
    { "edge to edge", { { 0, 0, 375, 375 }, { 375, 0, 375, 375 }, { 0, 375, 375, 10 } }, {} },
    { "one twip across", { { 0, 0, 375, 375 }, { 374, 0, 375, 375 } }, { 1 } },
    { "one twip down, the earlier row over", { { 0, 241, 9, 9 }, { 0, 0, 9, 255 } }, { 1 } },
    { "inside, and one over both",
      { { 0, 0, 900, 900 }, { 9, 9, 9, 9 }, { 12, 12, 1, 1 } },
      { 1, 2 } },
};

} // namespace

TEST_CASE("fileDrop")
{
    for (const Drop &row : drops) {
        INFO("row: ", row.name);
        CHECK(droppableFiles(row.items) == row.opened);
    }
}

TEST_CASE("menuPopups")
{
    for (const Menus &row : menuBars) {
        INFO("row: ", row.name);
        std::vector<std::string> popups;
        for (const MenuRow &menu : row.rows)
            if (opensPopup(row.rows, menu))
                popups.push_back(menu.name);
        CHECK(popups == row.popups);
    }
}

TEST_CASE("controlStacking")
{
    for (const Stack &row : stacks) {
        INFO("row: ", row.name);
        std::vector<ControlRow> rows;
        for (const auto &[left, top, width, height] : row.places)
            rows.push_back({ "", ControlKind::Caption, left, top, width, height, "", NoColour,
                             NoColour, nullptr, Alignment::Left, nullptr, nullptr });
        std::vector<size_t> over;
        for (size_t i = 0; i < rows.size(); ++i)
            if (overlapsEarlierControl(rows, i))
                over.push_back(i);
        CHECK(over == row.over);
    }
}

TEST_CASE("fileFilter")
{
    for (const Filter &row : fileFilters) {
        INFO("row: ", row.name);
        CHECK(parsedEntries(row.filter) == row.entries);
    }
}

TEST_CASE("pixelRange")
{
    for (const PixelRange &row : pixelRanges) {
        INFO("row: ", row.name);
        const std::optional<PixelPoint> at = pixelInRange(row.twips, 0, row.twipsPerPixel);
        CHECK((at ? at->x : -1) == row.pixel);
        const std::optional<ErrorKind> refused
                = row.pixel < 0 ? std::optional(ErrorKind::Drawing) : std::nullopt;
        CHECK(errorOf([&] { checkedPixel(0, row.twips, row.twipsPerPixel); }) == refused);
    }
}

TEST_CASE("pointerBits")
{
    for (const Pointer &row : pointers) {
        INFO("row: ", row.name);
        auto bit = [&row](int n) { return (row.held >> n & 1) != 0; };
        const PointerBits bits = ::pointerBits({ bit(0), bit(1), bit(2), bit(3), bit(4), bit(5) });
        CHECK(int(bits.Button) == row.button);
        CHECK(int(bits.Shift) == row.shift);
    }
}

TEST_CASE("thaiFace")
{
    static constexpr FontFace faces[] { { "A", 14 }, { "B", 10 }, { "C", 8 } };
    for (const Face &row : thaiFaces) {
        INFO("row: ", row.name);
        const ThaiFace face = chooseThaiFace(
                faces,
                [&](const std::string &family) {
                    return std::find(row.usable.begin(), row.usable.end(), family)
                            != row.usable.end();
                },
                [&] { return row.installed; });
        std::ostringstream chosen;
        chosen << face.family << "@" << face.pointSize;
        CHECK(chosen.str() == row.chosen);
    }
    CHECK(chooseThaiFace(
                  {}, [](const std::string &) { return true; },
                  [] { return std::vector<std::string> { "X" }; })
                  .pointSize
          == 8.25);
}
