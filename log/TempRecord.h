// The four-byte record a logging device writes per measurement, packed back to back in a file.
#pragma once

#include <cstdint>

struct TempRecord
{
    uint8_t SignByte = 0; // 255 marks a negative temperature, any other value a non-negative one
    uint8_t HalfDegrees = 0; // two's-complement byte of the half-degree count when negative
    uint8_t RemainCount = 0;
    uint8_t CountPerDegree = 0;
};
static_assert(sizeof(TempRecord) == 4, "records are packed four bytes each");
