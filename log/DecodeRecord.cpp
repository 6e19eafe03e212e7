// Record decoding, step by step with the precisions the device's readings rely on.
#include "log/DecodeRecord.h"

#include "platform/core/CheckedArithmetic.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void DecodeRecord(const TempRecord &record, WindowState &state)
{
    const bool negative = record.SignByte == 255;

    // A negative reading holds the two's-complement byte; undo it on a 16-bit value so that
    // HalfDegrees 0 (which would mean -256 half degrees) falls out of byte range.
    uint8_t magnitude = record.HalfDegrees;
    if (negative) {
        const int16_t undone = static_cast<int16_t>((record.HalfDegrees - 1) ^ 255);
        magnitude = checkedByte(undone, "a negative reading of 0 half degrees");
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
    storeSingle(state.Temp, fraction + (static_cast<double>(state.RawTemp) - 0.25),
                "a count per degree of 0");
}

size_t countDecodableRecords(const uint8_t *bytes, size_t records)
{
    size_t index = 0;
#if defined(__SSE2__)
    // Four records per vector, every byte lane nonzero where a record is rejected. Shifting each
    // record right by one byte puts HalfDegrees under SignByte and CountPerDegree under
    // RemainCount. In the sign lane, (SignByte -sat 254) -sat HalfDegrees is 1 only for 255 over
    // zero half degrees; in the count lane, max(RemainCount, 1) -sat CountPerDegree is nonzero
    // when the count goes below zero or the count per degree is 0. The other lanes are masked.
    const __m128i atLeastOne = _mm_set1_epi32(0x00010000);
    const __m128i negativeBase = _mm_set1_epi32(0x000000FE);
    const __m128i ruleLanes = _mm_set1_epi32(0x00FF00FF);
    const auto rejected = [&](const uint8_t *at) {
        const __m128i record = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i next = _mm_srli_epi32(record, 8);
        return _mm_subs_epu8(_mm_subs_epu8(_mm_max_epu8(record, atLeastOne), negativeBase), next);
    };
    // Sixteen records per test keep the loop branch-light; a rejected block is searched below.
    for (; index + 16 <= records; index += 16) {
        const uint8_t *at = bytes + 4 * index;
        const __m128i any = _mm_or_si128(_mm_or_si128(rejected(at), rejected(at + 16)),
                                         _mm_or_si128(rejected(at + 32), rejected(at + 48)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(any, ruleLanes), _mm_setzero_si128()))
            != 0xFFFF)
            break;
    }
#endif
    for (; index < records; ++index) {
        TempRecord record;
        std::memcpy(&record, bytes + 4 * index, sizeof record);
        if (!recordDecodes(record))
            break;
    }
    return index;
}
