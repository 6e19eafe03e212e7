// The record loop over one log file.
#include "log/LoadLog.h"

#include "log/DecodeRecord.h"
#include "platform/core/BinaryFile.h"
#include "platform/core/Error.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <span>

namespace {

std::string describeRecord(const BinaryFile &file, int64_t position, size_t bytesRead)
{
    const int64_t recordIndex = (position - 1) / 4;
    std::string where = "in \"" + file.path() + "\", record " + std::to_string(recordIndex)
            + " (byte position " + std::to_string(position) + ")";
    if (bytesRead < 4) {
        if (bytesRead == 0 && position == 1)
            where += ": the file is empty";
        else if (bytesRead == 0)
            where += ": the file ended early (it was shortened while being read)";
        else
            where += ": the file ends in an incomplete record of " + std::to_string(bytesRead)
                    + (bytesRead == 1 ? " byte" : " bytes");
    }
    return where;
}

void decodeAt(const BinaryFile &file, int64_t position, const uint8_t *bytes, size_t bytesRead,
              WindowState &state)
{
    TempRecord record;
    std::memcpy(&record, bytes, sizeof record);
    try {
        DecodeRecord(record, state);
    } catch (const Error &error) {
        throw Error(error.kind(),
                    std::string(error.what()) + " " + describeRecord(file, position, bytesRead));
    }
}

// Past the last drawn sample the plotting step only counts, so a run of records that all decode
// needs nothing but its last record decoded and the counters moved on by the run's length. The
// run is scanned where the file's buffer holds it, so each byte is copied once, by the system.
// Returns how many records it took (0 when the next record must go through the plotting step:
// it is faulty, incomplete or straddles the end of the buffer, or SampleNo has no room left).
int64_t checkRecordsInBulk(BinaryFile &file, int64_t position, WindowState &state)
{
    // Only whole records inside the length taken at the open, and never the step at which
    // SampleNo would overflow: that one raises its error inside the plotting step.
    const int64_t wholeInFile = (file.length() - (position - 1)) / 4;
    const int64_t room = std::numeric_limits<int32_t>::max() - int64_t(state.SampleNo);
    const int64_t wanted = std::min(wholeInFile, room);
    if (wanted <= 0)
        return 0;
    const std::span<const uint8_t> bytes
            = file.buffered(position, size_t(std::min<int64_t>(wanted, INT32_MAX / 4)) * 4);
    const size_t decodable = countDecodableRecords(bytes.data(), bytes.size() / 4);
    if (decodable == 0)
        return 0;
    const int64_t last = int64_t(decodable) - 1;
    decodeAt(file, position + 4 * last, bytes.data() + 4 * last, 4, state);
    advanceSamples(state, static_cast<int32_t>(decodable));
    return int64_t(decodable);
}

} // namespace

void LoadLog(WindowState &state, const PlottingStep &plottingStep,
             std::optional<int32_t> lastDrawnSample)
{
    BinaryFile file(state.LogFileName);
    state.SampleNo = 0;

    // Positions are 64-bit so that logs past 2 GiB are neither cut short nor misread.
    int64_t position = 1;
    for (;;) {
        if (lastDrawnSample && state.SampleNo > *lastDrawnSample) {
            if (const int64_t taken = checkRecordsInBulk(file, position, state)) {
                // The stop test after a single record, applied once for the whole run.
                position += 4 * taken;
                if (position >= file.length())
                    break;
                continue;
            }
        }

        std::array<uint8_t, 4> bytes {}; // bytes past the end of the file read as zero
        const size_t bytesRead = file.read(position, bytes.data(), bytes.size());
        decodeAt(file, position, bytes.data(), bytesRead, state);
        plottingStep();
        // The first record is read before any length test, and the loop stops once the next
        // position reaches the length: a trailing group of two or three bytes is read as one more
        // record, while a single trailing byte is never read.
        position += 4;
        if (position >= file.length())
            break;
    }
}
