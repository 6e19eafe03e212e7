// Record decoding, step by step with the precisions the device's readings rely on.
#include "log/DecodeRecord.h"

#include "platform/CheckedArithmetic.h"

void DecodeRecord(const TempRecord &record, WindowState &state)
{
    const bool negative = record.SignByte == 255;

    // A negative reading holds the two's-complement byte; undo it on a 16-bit value so that
    // HalfDegrees 0 (which would mean -256 half degrees) falls out of byte range.
    uint8_t magnitude = record.HalfDegrees;
    if (negative) {
        const int16_t undone = static_cast<int16_t>((record.HalfDegrees - 1) ^ 255);
        magnitude = checkedByte(undone);
    }

    if (magnitude & 1)
        storeSingle(state.RawTemp, static_cast<double>(magnitude >> 1) + 0.5);
    else
        state.RawTemp = static_cast<float>(magnitude >> 1);
    if (negative)
        storeSingle(state.RawTemp, static_cast<double>(state.RawTemp * -1.0f));

    // The count difference is a byte and may not go below zero.
    if (record.CountPerDegree < record.RemainCount)
        throw Error(ErrorKind::Overflow, "the remaining count exceeds the count per degree");

    // The refinement uses the half-degree reading as it is, half-degree bit included.
    const double fraction = static_cast<double>(record.CountPerDegree - record.RemainCount)
            / static_cast<double>(record.CountPerDegree);
    storeSingle(state.Temp, fraction + (static_cast<double>(state.RawTemp) - 0.25));
}
