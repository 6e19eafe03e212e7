// Read-out number formatting: the two patterns and the rounding rules that set it apart.
#include "core/Checks.h"
#include "platform/core/NumberFormat.h"

#include <string>
#include <string_view>

#ifdef _WIN32
#include "platform/core/Locale.h"

#include <cstdlib>
#endif

namespace {

struct Format
{
    std::string_view name;
    float value;
    std::string_view pattern;
    std::string_view separator;
    std::string_view expected;
};

const Format formats[] = {
    { "rounds down", 37.4f, "0.", ".", "37." },
    { "half away from zero", 0.5f, "0.", ".", "1." },
    { "1.5 not to even", 1.5f, "0.", ".", "2." },
    { "2.5 not to even", 2.5f, "0.", ".", "3." },
    { "negative half", -2.5f, "0.", ".", "-3." },
    { "sign before rounding", -0.25f, "0.", ".", "-0." },
    { "zero", 0.0f, "0.", ".", "0." },
    { "no exponent", 123456789.0f, "0.", ".", "123456800." },
    { "huge", 1e30f, "0.", ".", "1000000000000000000000000000000." },
    { "two decimals", 25.25f, "0.###", ".", "25.25" },
    { "whole value keeps point", 180.0f, "0.###", ".", "180." },
    { "three decimals", -12.3456f, "0.###", ".", "-12.346" },
    { "seven digits first", 1.0004999f, "0.###", ".", "1.001" },
    { "pixel step", -0.625f, "0.###", ".", "-0.625" },
    { "below one", 0.0625f, "0.###", ".", "0.063" },
    { "tiny positive", 0.0001f, "0.###", ".", "0." },
    { "carry into integer", 9.9996f, "0.###", ".", "10." },
    { "last pixel row", -57.5f, "0.###", ".", "-57.5" },
    { "comma locale", 25.25f, "0.###", ",", "25,25" },
    { "comma whole", 37.0f, "0.", ",", "37," },
};

} // namespace

TEST_CASE("format")
{
    for (const Format &row : formats) {
        INFO("row: ", row.name);
        CHECK(formatNumber(row.value, row.pattern, row.separator) == row.expected);
    }
}

#ifdef _WIN32
// The read-out writes the user's separator from the regional settings; the Windows build's
// tests run this again for a user who has set a comma there (VOK_TEST_DECIMAL).
TEST_CASE("usersSeparator")
{
    const char *separator = std::getenv("VOK_TEST_DECIMAL");
    const std::string expected = std::string("25") + (separator ? separator : ".") + "25";
    CHECK(formatNumber(25.25f, "0.###", userDecimalSeparator()) == expected);
}
#endif
