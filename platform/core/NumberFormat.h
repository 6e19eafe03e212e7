// Number formatting with "0"/"#" patterns, as the read-out boxes show values.
#pragma once

#include <string>
#include <string_view>

// Formats a single with a pattern such as "0." or "0.###": '0' places always show a digit,
// '#' places after the point drop trailing zeros, and the point is always shown.
// The single is first written with 7 significant digits, then rounded at the last place shown;
// both roundings take halves away from zero. The sign is decided before rounding, so -0.25
// with "0." is "-0.". Digits are ASCII and never in exponent form; the point is written as
// `decimalSeparator`, the user's locale's.
std::string formatNumber(float value, std::string_view pattern, std::string_view decimalSeparator);
