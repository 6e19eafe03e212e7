// libFuzzer target: arbitrary bytes loaded as a log, checked against an independent reading.
//
// The bytes go to an anonymous in-memory file that the loader opens by its /proc path, so the
// loader's real file access runs and nothing touches the disk. The plotting step is the real
// segment arithmetic, recorded instead of drawn. The per-record loader is checked against the
// bytes, then the loader that checks records in bulk past the trace's end against it. Every
// mismatch aborts with a description.
#include "chart/TraceSegments.h"
#include "log/LoadLog.h"
#include "platform/core/Error.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void fail(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::fprintf(stderr, "invariant broken: ");
    std::vfprintf(stderr, format, arguments);
    std::fprintf(stderr, "\n");
    va_end(arguments);
    std::abort();
}

// What one record means, worked out from the byte layout alone.
struct Expected
{
    std::optional<ErrorKind> fault;
    bool faultBeforeRawTemp = false; // the sign step faults before RawTemp is written
    float rawTemp = 0;
    float temp = 0;
};

Expected expectRecord(uint8_t sign, uint8_t halfDegrees, uint8_t remain, uint8_t perDegree)
{
    Expected e;
    const bool negative = sign == 255;
    if (negative && halfDegrees == 0) {
        e.fault = ErrorKind::Overflow;
        e.faultBeforeRawTemp = true;
        return e;
    }
    const int halves = negative ? -(256 - halfDegrees) : halfDegrees;
    e.rawTemp = static_cast<float>(halves) / 2.0f; // exact: at most 9 significant bits
    if (remain > perDegree) {
        e.fault = ErrorKind::Overflow;
        return e;
    }
    if (perDegree == 0) {
        e.fault = ErrorKind::FloatingPointFault; // 0/0
        return e;
    }
    e.temp = static_cast<float>(static_cast<double>(perDegree - remain) / perDegree
                                + (static_cast<double>(e.rawTemp) - 0.25));
    return e;
}

// Records the loader reads: every whole record from the start, a 2- or 3-byte tail as one more,
// never a lone trailing byte, and always at least one (an empty file reads as one).
size_t recordsRead(size_t size) { return std::max<size_t>(1, (size + 2) / 4); }

// Chart y of a temperature; (t + 60) * 24 is exact in double, so this matches the scale's
// multiply-then-divide grouping bit for bit.
float expectedY(float temp)
{
    return static_cast<float>(5760.0 - (static_cast<double>(temp) + 60.0) * 24.0);
}

struct Step
{
    int32_t sampleNo;
    float rawTemp;
    float temp;
    std::optional<Segment> segment;
};

// An in-memory regular file; the loader refuses anything that is not a regular file.
class MemoryFile
{
public:
    MemoryFile()
    {
        descriptor = ::memfd_create("fuzz-log", MFD_CLOEXEC);
        if (descriptor < 0)
            fail("memfd_create failed");
        path = "/proc/self/fd/" + std::to_string(descriptor);
    }

    void replace(const uint8_t *data, size_t size)
    {
        if (::ftruncate(descriptor, 0) != 0)
            fail("ftruncate failed");
        size_t written = 0;
        while (written < size) {
            const ssize_t n = ::pwrite(descriptor, data + written, size - written,
                                       static_cast<off_t>(written));
            if (n <= 0)
                fail("pwrite failed");
            written += static_cast<size_t>(n);
        }
    }

    int descriptor = -1;
    std::string path;
};

// The lowest free descriptor number: the same before and after a load unless it leaked one.
int lowestFreeDescriptor()
{
    // Not a dup of standard input, which a CI runner may have closed.
    const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (probe < 0)
        fail("cannot open /dev/null");
    ::close(probe);
    return probe;
}

// Leftovers from an earlier load in the same window; none may leak into this one.
constexpr float stalePrevTemp = 1000.5f;
constexpr int32_t stalePrevSampleNo = 99999;
constexpr float staleRawTemp = -777.25f;

struct LoadRun
{
    std::vector<Step> steps;
    std::optional<Error> error;
    WindowState state;
};

// One load with the real segment arithmetic as the plotting step; `lastDrawnSample` picks the
// loader that may skip the step past the trace's end.
LoadRun runLoad(const std::string &path, std::optional<int32_t> lastDrawnSample)
{
    LoadRun run;
    run.state.LogFileName = path;
    run.state.SampleNo = 77;
    run.state.PrevSampleNo = stalePrevSampleNo;
    run.state.PrevTemp = stalePrevTemp;
    run.state.RawTemp = staleRawTemp;
    run.state.Temp = 555.5f;

    const PlottingStep step = [&run] {
        WindowState &state = run.state;
        run.steps.push_back(
                { state.SampleNo, state.RawTemp, state.Temp, segmentForCurrentSample(state) });
        advanceSamples(state);
    };
    const int freeBefore = lowestFreeDescriptor();
    try {
        LoadLog(run.state, step, lastDrawnSample);
    } catch (const Error &e) {
        run.error = e;
    }
    if (lowestFreeDescriptor() != freeBefore)
        fail("the load left a file descriptor open");
    return run;
}

// The straightforward loader, every record through the plotting step, against the bytes.
void checkReference(const LoadRun &run, const uint8_t *data, size_t size)
{
    const std::vector<Step> &steps = run.steps;
    const std::optional<Error> &error = run.error;
    const WindowState &state = run.state;

    // The independent reading: the first rejected record, or all of them.
    const size_t total = recordsRead(size);
    std::vector<Expected> expected;
    size_t faultAt = total;
    for (size_t i = 0; i < total; ++i) {
        uint8_t bytes[4] = {}; // bytes past the end read as zero
        for (size_t b = 0; b < 4 && 4 * i + b < size; ++b)
            bytes[b] = data[4 * i + b];
        expected.push_back(expectRecord(bytes[0], bytes[1], bytes[2], bytes[3]));
        if (expected.back().fault) {
            faultAt = i;
            break;
        }
    }

    // Exactly the records before the first rejected one reach the plotting step.
    if (steps.size() != faultAt)
        fail("%zu bytes: %zu plotting steps, expected %zu", size, steps.size(), faultAt);
    if (faultAt < total) {
        if (!error)
            fail("%zu bytes: record %zu should be rejected, the load succeeded", size, faultAt);
        if (error->kind() != *expected[faultAt].fault)
            fail("record %zu: error kind %d, expected %d (%s)", faultAt, int(error->kind()),
                 int(*expected[faultAt].fault), error->what());
        const std::string where = "record " + std::to_string(faultAt) + " (byte position "
                + std::to_string(4 * faultAt + 1) + ")";
        if (std::string(error->what()).find(where) == std::string::npos)
            fail("message does not name %s: %s", where.c_str(), error->what());
    } else if (error) {
        fail("%zu bytes: unexpected error: %s", size, error->message().c_str());
    }

    for (size_t i = 0; i < steps.size(); ++i) {
        const Step &step = steps[i];
        if (step.sampleNo != static_cast<int32_t>(i))
            fail("record %zu plotted as sample %d", i, step.sampleNo);
        if (step.rawTemp != expected[i].rawTemp || step.temp != expected[i].temp)
            fail("record %zu: RawTemp %.9g Temp %.9g, expected %.9g %.9g", i, step.rawTemp,
                 step.temp, expected[i].rawTemp, expected[i].temp);
        if (step.temp < -127.75f || step.temp > 128.25f)
            fail("record %zu: Temp %.9g out of range", i, step.temp);

        const bool drawn = i >= 1 && i <= 140;
        if (step.segment.has_value() != drawn)
            fail("sample %zu: segment %s", i, drawn ? "missing" : "drawn past the trace's ends");
        if (!drawn)
            continue;
        const Segment &s = *step.segment;
        const float previousTemp = steps[i - 1].temp;
        if (s.x1 != 60.0f * static_cast<float>(i - 1) || s.x2 != 60.0f * static_cast<float>(i))
            fail("sample %zu: x %.9g..%.9g", i, s.x1, s.x2);
        if (s.y2 != expectedY(step.temp) || s.y1 != expectedY(previousTemp))
            fail("sample %zu: y %.9g..%.9g, expected %.9g..%.9g", i, s.y1, s.y2,
                 expectedY(previousTemp), expectedY(step.temp));
    }

    // Counters: SampleNo counts the plotting steps of this load alone; the previous-sample
    // fields come from the last record plotted, or stay as they were if none was.
    const int32_t plotted = static_cast<int32_t>(steps.size());
    if (state.SampleNo != plotted)
        fail("SampleNo %d after %d plotting steps", state.SampleNo, plotted);
    const int32_t wantPrevSampleNo = plotted > 0 ? plotted - 1 : stalePrevSampleNo;
    const float wantPrevTemp = plotted > 0 ? steps.back().temp : stalePrevTemp;
    if (state.PrevSampleNo != wantPrevSampleNo || state.PrevTemp != wantPrevTemp)
        fail("PrevSampleNo %d PrevTemp %.9g, expected %d %.9g", state.PrevSampleNo, state.PrevTemp,
             wantPrevSampleNo, wantPrevTemp);

    // What a fault leaves: the sign step changes nothing, the count check leaves the new
    // RawTemp, and 0/0 leaves a NaN in Temp.
    if (faultAt < total) {
        const Expected &bad = expected[faultAt];
        const float lastRaw = plotted > 0 ? steps.back().rawTemp : staleRawTemp;
        const float wantRaw = bad.faultBeforeRawTemp ? lastRaw : bad.rawTemp;
        if (state.RawTemp != wantRaw)
            fail("after the fault RawTemp %.9g, expected %.9g", state.RawTemp, wantRaw);
        if (bad.fault == ErrorKind::FloatingPointFault && !std::isnan(state.Temp))
            fail("after 0/0 Temp %.9g, expected NaN", state.Temp);
    }
}

bool sameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

bool sameStep(const Step &a, const Step &b)
{
    if (a.sampleNo != b.sampleNo || !sameBits(a.rawTemp, b.rawTemp) || !sameBits(a.temp, b.temp)
        || a.segment.has_value() != b.segment.has_value())
        return false;
    return !a.segment
            || (sameBits(a.segment->x1, b.segment->x1) && sameBits(a.segment->y1, b.segment->y1)
                && sameBits(a.segment->x2, b.segment->x2)
                && sameBits(a.segment->y2, b.segment->y2));
}

// The fast loader must end exactly as the reference: same error and message, same fields bit
// for bit (a NaN left by 0/0 included), and every drawn sample through the plotting step; past
// the trace's end it may skip steps, but each step it does run matches the reference's.
void checkFastPath(const LoadRun &reference, const LoadRun &fast)
{
    if (reference.error.has_value() != fast.error.has_value())
        fail("fast path %s, reference %s", fast.error ? fast.error->what() : "succeeded",
             reference.error ? reference.error->what() : "succeeded");
    if (reference.error
        && (reference.error->kind() != fast.error->kind()
            || std::string(reference.error->what()) != fast.error->what()))
        fail("fast path error \"%s\", reference \"%s\"", fast.error->message().c_str(),
             reference.error->message().c_str());

    const WindowState &r = reference.state;
    const WindowState &f = fast.state;
    if (!sameBits(r.RawTemp, f.RawTemp) || !sameBits(r.Temp, f.Temp)
        || !sameBits(r.PrevTemp, f.PrevTemp) || r.SampleNo != f.SampleNo
        || r.PrevSampleNo != f.PrevSampleNo)
        fail("fast path fields RawTemp %.9g Temp %.9g PrevTemp %.9g SampleNo %d PrevSampleNo %d, "
             "reference %.9g %.9g %.9g %d %d",
             f.RawTemp, f.Temp, f.PrevTemp, f.SampleNo, f.PrevSampleNo, r.RawTemp, r.Temp,
             r.PrevTemp, r.SampleNo, r.PrevSampleNo);

    size_t next = 0; // the reference step the fast path's next step must be, or come after
    for (const Step &step : fast.steps) {
        if (step.sampleNo < 0 || size_t(step.sampleNo) < next
            || size_t(step.sampleNo) >= reference.steps.size())
            fail("fast path ran the plotting step for sample %d out of order", step.sampleNo);
        if (size_t(step.sampleNo) > next && next <= size_t(LastDrawnSample))
            fail("fast path skipped the plotting step for drawn sample %zu", next);
        if (!sameStep(step, reference.steps[size_t(step.sampleNo)]))
            fail("fast path sample %d differs from the reference", step.sampleNo);
        next = size_t(step.sampleNo) + 1;
    }
    const size_t drawnInReference = std::min(reference.steps.size(), size_t(LastDrawnSample) + 1);
    if (next < drawnInReference)
        fail("fast path stopped running the plotting step at sample %zu", next);
}

void checkLoad(const std::string &path, const uint8_t *data, size_t size)
{
    const LoadRun reference = runLoad(path, std::nullopt);
    checkReference(reference, data, size);
    checkFastPath(reference, runLoad(path, LastDrawnSample));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static MemoryFile file;
    file.replace(data, size);
    checkLoad(file.path, data, size);
    return 0;
}
