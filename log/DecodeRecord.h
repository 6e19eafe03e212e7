// Decoding one record into the half-degree reading and the refined temperature.
#pragma once

#include "log/TempRecord.h"
#include "log/WindowState.h"

#include <cstddef>
#include <cstdint>

// Writes RawTemp and Temp. Each result is stored before it is checked, so after an overflow in
// the sign step neither field has changed, after the count check RawTemp holds the new value,
// and after a floating-point fault Temp holds the faulty result.
void DecodeRecord(const TempRecord &record, WindowState &state);

// Whether DecodeRecord accepts the record. Its faults depend on the bytes alone: a negative sign
// over zero half degrees, a remaining count above the count per degree, and a count per degree
// of 0 (0/0). Every other record yields finite results.
inline bool recordDecodes(const TempRecord &record)
{
    const bool negativeZero = record.SignByte == 255 && record.HalfDegrees == 0;
    return !negativeZero && record.CountPerDegree != 0
            && record.CountPerDegree >= record.RemainCount;
}

// How many of `records` packed records, from the first, DecodeRecord accepts before the first
// one it rejects (all of them if none is rejected). Checks many records at a time.
size_t countDecodableRecords(const uint8_t *bytes, size_t records);
