// Decoding records: known readings, sign bytes, and what each fault leaves in the fields.
#include "core/Checks.h"
#include "log/DecodeRecord.h"

#include <cmath>
#include <string_view>

namespace {

struct Reading
{
    std::string_view name;
    TempRecord record; // sign, half degrees, remaining count, count per degree
    float rawTemp;
    float temp;
};

const Reading readings[] = {
    { "25.0", { 0, 50, 12, 16 }, 25.0f, 25.0f },
    { "half degree refined", { 0, 51, 4, 16 }, 25.5f, 26.0f },
    { "-25.0", { 255, 206, 16, 16 }, -25.0f, -25.25f },
    { "-0.5", { 255, 255, 8, 16 }, -0.5f, -0.25f },
    { "zero half degrees", { 0, 0, 0, 16 }, 0.0f, 0.75f },
    { "sign 1 is positive", { 1, 51, 4, 16 }, 25.5f, 26.0f },
    { "sign 128 is positive", { 128, 51, 4, 16 }, 25.5f, 26.0f },
    { "sign 254 is positive", { 254, 51, 4, 16 }, 25.5f, 26.0f },
    { "max positive", { 0, 255, 0, 1 }, 127.5f, 128.25f },
    { "max negative", { 255, 1, 100, 100 }, -127.5f, -127.75f },
    { "remain equals count", { 0, 41, 70, 70 }, 20.5f, 20.25f },
    { "remain zero", { 255, 250, 0, 3 }, -3.0f, -2.25f },
    // 1/3 is not exact: the sum is rounded once, from double to single.
    { "thirds", { 0, 20, 2, 3 }, 10.0f, static_cast<float>(1.0 / 3.0 + (10.0 - 0.25)) },
};

// Each result is stored before its check: the fields show how far decoding got. Fields start at
// RawTemp 7, Temp 8.
struct Fault
{
    std::string_view name;
    TempRecord record;
    ErrorKind kind;
    float rawTempAfter;
    bool tempIsNaN;
};

const Fault faults[] = {
    { "negative zero half degrees", { 255, 0, 4, 16 }, ErrorKind::Overflow, 7.0f, false },
    { "remain above count", { 0, 51, 17, 16 }, ErrorKind::Overflow, 25.5f, false },
    { "remain above zero count", { 0, 10, 1, 0 }, ErrorKind::Overflow, 5.0f, false },
    { "both counts zero", { 0, 10, 0, 0 }, ErrorKind::FloatingPointFault, 5.0f, true },
    { "four zero bytes", { 0, 0, 0, 0 }, ErrorKind::FloatingPointFault, 0.0f, true },
};

} // namespace

// Readings compare exactly: the decoder's arithmetic is single precision, rounded where it says.
TEST_CASE("readings")
{
    for (const Reading &row : readings) {
        INFO("row: ", row.name);
        WindowState state;
        DecodeRecord(row.record, state);
        CHECK(state.RawTemp == row.rawTemp);
        CHECK(state.Temp == row.temp);
    }
}

TEST_CASE("faults")
{
    for (const Fault &row : faults) {
        INFO("row: ", row.name);
        WindowState state;
        state.RawTemp = 7;
        state.Temp = 8;
        CHECK(errorOf([&] { DecodeRecord(row.record, state); }) == row.kind);
        CHECK(state.RawTemp == row.rawTempAfter);
        if (row.tempIsNaN)
            CHECK(std::isnan(state.Temp));
        else
            CHECK(state.Temp == 8.0f);
    }
}
