// Decimal-string rounding for formatNumber; printf and to_chars round ties to even, so the
// digits are rounded here by hand.
#include "platform/core/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Pattern
{
    int minIntegerDigits = 0;
    int requiredDecimals = 0;
    int optionalDecimals = 0;
    bool hasPoint = false;
};

Pattern parsePattern(std::string_view text)
{
    Pattern pattern;
    for (char c : text) {
        if (c == '.')
            pattern.hasPoint = true;
        else if (!pattern.hasPoint && c == '0')
            ++pattern.minIntegerDigits;
        else if (pattern.hasPoint && c == '0')
            ++pattern.requiredDecimals;
        else if (pattern.hasPoint && c == '#')
            ++pattern.optionalDecimals;
    }
    return pattern;
}

// Adds one unit in the last place of a string of decimal digits; returns true on a carry out.
bool incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

// A magnitude's decimal digits either side of the point.
struct Digits
{
    std::string integer;
    std::string fraction;
};

// The magnitude rounded to 7 significant digits. The digits are returned as new strings rather
// than assigned to the caller's: GCC 12 at -O3 takes assigning a literal to a std::string for
// an overlapping copy and warns (-Wrestrict) where nothing is wrong.
Digits sevenSignificantDigits(double magnitude)
{
    if (magnitude == 0)
        return { "0", {} };
    // glibc prints the exact binary value, so these digits are exact before our rounding.
    char text[160];
    std::snprintf(text, sizeof text, "%.120e", magnitude);
    std::string digits;
    const char *p = text;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = std::atoi(p + 1);

    std::string kept = digits.substr(0, 7);
    if (digits[7] >= '5' && incrementDigits(kept)) {
        kept.insert(kept.begin(), '1');
        kept.pop_back();
        ++exponent;
    }

    if (exponent < 0)
        return { "0", std::string(static_cast<size_t>(-exponent - 1), '0') + kept };
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (integerDigits >= kept.size())
        return { kept + std::string(integerDigits - kept.size(), '0'), {} };
    return { kept.substr(0, integerDigits), kept.substr(integerDigits) };
}

} // namespace

std::string formatNumber(float value, std::string_view patternText,
                         std::string_view decimalSeparator)
{
    const Pattern pattern = parsePattern(patternText);
    const bool negative = value < 0;

    auto [integer, fraction] = sevenSignificantDigits(std::fabs(static_cast<double>(value)));

    const size_t decimals
            = static_cast<size_t>(pattern.requiredDecimals + pattern.optionalDecimals);
    if (fraction.size() > decimals) {
        const bool roundUp = fraction[decimals] >= '5';
        fraction.resize(decimals);
        if (roundUp) {
            std::string all = integer + fraction;
            if (incrementDigits(all))
                all.insert(all.begin(), '1');
            integer = all.substr(0, all.size() - decimals);
            fraction = all.substr(all.size() - decimals);
        }
    }
    fraction.resize(decimals, '0');
    while (fraction.size() > static_cast<size_t>(pattern.requiredDecimals)
           && fraction.back() == '0')
        fraction.pop_back();

    const size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    if (integer.size() < static_cast<size_t>(pattern.minIntegerDigits))
        integer.insert(0, static_cast<size_t>(pattern.minIntegerDigits) - integer.size(), '0');

    std::string result = negative ? "-" : "";
    result += integer;
    if (pattern.hasPoint) {
        result += decimalSeparator;
        result += fraction;
    }
    return result;
}
