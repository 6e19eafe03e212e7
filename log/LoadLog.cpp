// The record loop over one log file.
#include "log/LoadLog.h"

#include "log/DecodeRecord.h"
#include "platform/BinaryFile.h"
#include "platform/Error.h"

#include <array>
#include <cstring>

namespace {

std::string describeRecord(const BinaryFile &file, int64_t position, size_t bytesRead)
{
    const int64_t recordIndex = (position - 1) / 4;
    std::string where = "in \"" + file.path() + "\", record " + std::to_string(recordIndex)
            + " (byte position " + std::to_string(position) + ")";
    if (bytesRead < 4) {
        where += bytesRead == 0 ? ": the file is empty"
                                : ": the file ends in an incomplete record of "
                        + std::to_string(bytesRead) + (bytesRead == 1 ? " byte" : " bytes");
    }
    return where;
}

} // namespace

void LoadLog(WindowState &state, const PlottingStep &plottingStep)
{
    BinaryFile file(state.LogFileName);
    state.SampleNo = 0;

    TempRecord record;
    // Positions are 64-bit so that logs past 2 GiB are neither cut short nor misread.
    int64_t position = 1;
    for (;;) {
        std::array<uint8_t, 4> bytes {}; // bytes past the end of the file read as zero
        const size_t bytesRead = file.read(position, bytes.data(), bytes.size());
        std::memcpy(&record, bytes.data(), sizeof record);
        try {
            DecodeRecord(record, state);
        } catch (const Error &error) {
            throw Error(error.kind(),
                        std::string(error.what()) + " "
                                + describeRecord(file, position, bytesRead));
        }
        plottingStep();
        // The first record is read before any length test, and the loop stops once the next
        // position reaches the length: a trailing group of two or three bytes is read as one more
        // record, while a single trailing byte is never read.
        position += 4;
        if (position >= file.length())
            break;
    }
}
