// The bulk record check against the record-by-record load: same fields, faults and messages.
#include "LogFiles.h"
#include "chart/TraceSegments.h"
#include "core/Checks.h"
#include "log/DecodeRecord.h"
#include "log/LoadLog.h"

#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

namespace {

// Floats compared bit for bit, except that any NaN equals any other.
bool sameFloat(float a, float b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

struct Outcome
{
    WindowState state;
    std::vector<Segment> segments;
    std::optional<ErrorKind> error;
    std::string message;
};

std::string describe(const Outcome &o)
{
    std::ostringstream out;
    out.precision(9);
    out << "RawTemp " << o.state.RawTemp << " Temp " << o.state.Temp << " PrevTemp "
        << o.state.PrevTemp << " SampleNo " << o.state.SampleNo << " PrevSampleNo "
        << o.state.PrevSampleNo << " segments " << o.segments.size() << " error " << o.message;
    return out.str();
}

bool sameOutcome(const Outcome &a, const Outcome &b)
{
    if (a.segments.size() != b.segments.size())
        return false;
    for (size_t i = 0; i < a.segments.size(); ++i) {
        const Segment &s = a.segments[i];
        const Segment &t = b.segments[i];
        if (!sameFloat(s.x1, t.x1) || !sameFloat(s.y1, t.y1) || !sameFloat(s.x2, t.x2)
            || !sameFloat(s.y2, t.y2))
            return false;
    }
    return sameFloat(a.state.RawTemp, b.state.RawTemp) && sameFloat(a.state.Temp, b.state.Temp)
            && sameFloat(a.state.PrevTemp, b.state.PrevTemp) && a.state.SampleNo == b.state.SampleNo
            && a.state.PrevSampleNo == b.state.PrevSampleNo && a.error == b.error
            && a.message == b.message;
}

// How the plotting step behaves, and which LoadLog runs it.
enum class Step {
    Reference, // the window's plotting step, run for every record
    Bulk, // the window's plotting step, declared to draw up to the last drawn sample
    CountingReference, // only counting, run for every record
    CountingBulk, // only counting, declared so from sample 0: every record goes through the bulk
};

Outcome load(const std::string &path, Step step)
{
    Outcome outcome;
    WindowState &state = outcome.state;
    // Leftovers of an earlier load; none may leak into this one unless nothing is plotted.
    state.LogFileName = path;
    state.RawTemp = -777.25f;
    state.Temp = 555.5f;
    state.PrevTemp = 1000.5f;
    state.SampleNo = 77;
    state.PrevSampleNo = 99999;

    const PlottingStep drawSegment = [&] {
        plotCurrentSample(state,
                          [&](const Segment &segment) { outcome.segments.push_back(segment); });
    };
    const PlottingStep count = [&] { advanceSamples(state); };
    try {
        switch (step) {
        case Step::Reference:
            LoadLog(state, drawSegment);
            break;
        case Step::Bulk:
            LoadLog(state, drawSegment, LastDrawnSample);
            break;
        case Step::CountingReference:
            LoadLog(state, count);
            break;
        case Step::CountingBulk:
            LoadLog(state, count, -1);
            break;
        }
    } catch (const Error &error) {
        outcome.error = error.kind();
        outcome.message = error.message();
    }
    return outcome;
}

bool decodes(const TempRecord &record)
{
    WindowState state;
    try {
        DecodeRecord(record, state);
    } catch (const Error &) {
        return false;
    }
    return true;
}

// Whether the many-at-a-time scan accepts a block of sixteen copies of the record.
bool scannedAsDecodable(const TempRecord &record)
{
    std::array<TempRecord, 16> block;
    block.fill(record);
    return countDecodableRecords(reinterpret_cast<const uint8_t *>(block.data()), 16) == 16;
}

// A record DecodeRecord accepts, with a random sign and reading.
RecordBytes randomRecord(std::mt19937 &random)
{
    const uint8_t perDegree = uint8_t(1 + random() % 255);
    const uint8_t remain = uint8_t(random() % (perDegree + 1u));
    const uint8_t sign = random() % 2 ? 255 : uint8_t(random() % 255);
    uint8_t half = uint8_t(random());
    if (sign == 255 && half == 0)
        half = 1;
    return { sign, half, remain, perDegree };
}

// One faulty record of each kind.
const RecordBytes faults[] = {
    { 255, 0, 4, 16 }, // negative zero half degrees: overflow before RawTemp is written
    { 0, 51, 17, 16 }, // remaining count above the count per degree: overflow
    { 255, 9, 3, 0 }, // count per degree 0 with a remaining count: overflow
    { 7, 20, 0, 0 }, // 0/0: floating-point fault
};

std::string randomLog(std::mt19937 &random, int records)
{
    std::string bytes;
    bytes.reserve(size_t(records) * 4);
    for (int i = 0; i < records; ++i)
        appendRecord(bytes, randomRecord(random));
    return bytes;
}

void putRecord(std::string &bytes, int index, const RecordBytes &record)
{
    for (int b = 0; b < 4; ++b)
        bytes[size_t(index * 4 + b)] = char(record[size_t(b)]);
}

struct Log
{
    std::string name;
    std::string bytes;
};

std::vector<Log> logs()
{
    std::vector<Log> rows;
    std::mt19937 random(2024);
    rows.push_back({ "empty", {} });
    for (int length = 1; length <= 3; ++length)
        rows.push_back(
                { std::to_string(length) + " bytes", randomLog(random, 1).substr(0, length) });
    rows.push_back({ "1 valid byte then nothing", std::string("\x00", 1) });

    // Lengths around the drawn samples and around the loader's bulk reads of 4096 records.
    for (int records : { 1, 2, 140, 141, 142, 143, 157, 4096 + 141, 4096 + 142, 3 * 4096 + 500 }) {
        const std::string bytes = randomLog(random, records);
        rows.push_back({ std::to_string(records) + " records", bytes });
        for (int tail = 1; tail <= 3; ++tail) {
            // The tail's own bytes are valid; its zero padding decides.
            rows.push_back({ std::to_string(records) + " records + " + std::to_string(tail),
                             bytes + randomLog(random, 1).substr(0, tail) });
        }
    }
    // A 2- or 3-byte tail that faults in its sign step, before the zero padding matters.
    rows.push_back(
            { "tail of negative zero", randomLog(random, 300) + std::string("\xFF\x00\x05", 3) });

    // One fault of each kind at each interesting record, with valid records after it.
    const int records = 2 * 4096 + 300;
    const std::string valid = randomLog(random, records);
    for (int at : { 0, 1, 139, 140, 141, 142, 143, 156, 157, 4096 + 140, 4096 + 141, 4096 + 142,
                    2 * 4096 + 141, records - 2, records - 1 }) {
        for (size_t kind = 0; kind < std::size(faults); ++kind) {
            std::string bytes = valid;
            putRecord(bytes, at, faults[kind]);
            rows.push_back(
                    { "fault " + std::to_string(kind) + " at " + std::to_string(at), bytes });
        }
    }

    // Adversarial: arbitrary bytes, and logs with rare faults in random places.
    for (int i = 0; i < 20; ++i) {
        std::string bytes;
        const int length = int(random() % 64);
        for (int b = 0; b < length; ++b)
            bytes.push_back(char(random()));
        rows.push_back({ "arbitrary " + std::to_string(i), bytes });
    }
    for (int i = 0; i < 30; ++i) {
        const int count = 100 + int(random() % 20000);
        std::string bytes = randomLog(random, count);
        putRecord(bytes, int(random() % count), faults[random() % std::size(faults)]);
        bytes += randomLog(random, 1).substr(0, random() % 4);
        rows.push_back({ "random fault " + std::to_string(i), bytes });
    }
    return rows;
}

} // namespace

// The bulk rule, record by record and many at a time, agrees with DecodeRecord on every count
// pair and every sign and half-degree pair, crossed with each other's boundary values.
TEST_CASE("decodableMatchesDecodeRecord")
{
    const auto agree = [](const TempRecord &record) {
        const bool decoded = decodes(record);
        if (recordDecodes(record) != decoded || scannedAsDecodable(record) != decoded)
            FAIL("record ", record.SignByte, " ", record.HalfDegrees, " ", record.RemainCount, " ",
                 record.CountPerDegree);
    };
    const uint8_t signs[] = { 0, 1, 128, 254, 255 };
    const uint8_t halves[] = { 0, 1, 128, 255 };
    for (uint8_t sign : signs)
        for (uint8_t half : halves)
            for (int counts = 0; counts < 65536; ++counts)
                agree({ sign, half, uint8_t(counts & 0xFF), uint8_t(counts >> 8) });
    for (int signHalf = 0; signHalf < 65536; ++signHalf)
        for (const RecordBytes counts : { RecordBytes { 0, 0, 12, 16 }, RecordBytes { 0, 0, 0, 1 },
                                          RecordBytes { 0, 0, 255, 255 } })
            agree({ uint8_t(signHalf & 0xFF), uint8_t(signHalf >> 8), counts[2], counts[3] });
}

// The many-at-a-time scan stops at the first rejected record wherever it sits in a block.
TEST_CASE("scanFindsTheFirstRejected")
{
    std::mt19937 random(7);
    for (int records : { 0, 1, 3, 15, 16, 17, 63, 64, 65, 100 }) {
        INFO("records: ", records);
        const std::string good = randomLog(random, records);
        REQUIRE(countDecodableRecords(reinterpret_cast<const uint8_t *>(good.data()),
                                      size_t(records))
                == size_t(records));
        for (int at = 0; at < records; ++at) {
            INFO("fault at: ", at);
            for (const RecordBytes &fault : faults) {
                std::string bytes = good;
                putRecord(bytes, at, fault);
                if (at + 1 < records) // a later fault must not be found first
                    putRecord(bytes, records - 1, faults[0]);
                REQUIRE(countDecodableRecords(reinterpret_cast<const uint8_t *>(bytes.data()),
                                              size_t(records))
                        == size_t(at));
            }
        }
    }
}

TEST_CASE("sameAsRecordByRecord")
{
    TempDir dir;
    const std::string path = dir.filePath("log.bin");
    for (const Log &row : logs()) {
        INFO("row: ", row.name);
        writeFile(path, row.bytes);

        const Outcome reference = load(path, Step::Reference);
        const Outcome bulk = load(path, Step::Bulk);
        CHECK_MESSAGE(sameOutcome(reference, bulk), describe(reference),
                      "\nbulk: ", describe(bulk));

        const Outcome counting = load(path, Step::CountingReference);
        const Outcome countingBulk = load(path, Step::CountingBulk);
        CHECK_MESSAGE(sameOutcome(counting, countingBulk), describe(counting),
                      "\nbulk: ", describe(countingBulk));
    }
}
