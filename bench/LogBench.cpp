// Log loading benchmarks: load throughput against a plain read of the same file, and peak memory.
//
//   vok-bench load DIR [RUNS]    throughput on 64 MiB logs written to DIR, RUNS interleaved rounds
//   vok-bench memory DIR [RUNS]  peak resident memory of a 1 GiB load against a 4 KiB one
//   vok-bench peak FILE          (child of memory) loads FILE as the window does
//
// Figures are printed as "name: value" lines; everything else goes before them as notes.
#include "chart/TraceSegments.h"
#include "log/LoadLog.h"
#include "platform/core/Error.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Record = std::array<uint8_t, 4>;

[[noreturn]] void die(const std::string &what)
{
    std::fprintf(stderr, "vok-bench: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(2);
}

double seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A reading as the device writes it: half degrees with the sign byte, refined by a count.
Record recordFor(double temp)
{
    const int halves = static_cast<int>(std::floor(temp * 2));
    const uint8_t perDegree = 16;
    // Temp = halves / 2 - 0.25 + (perDegree - remain) / perDegree
    const double fraction = std::clamp(temp - halves / 2.0 + 0.25, 0.0, 1.0);
    const uint8_t remain = static_cast<uint8_t>(perDegree - std::lround(fraction * perDegree));
    if (halves < 0)
        return { 255, static_cast<uint8_t>(halves & 0xFF), remain, perDegree };
    return { 0, static_cast<uint8_t>(halves), remain, perDegree };
}

// Slow daily swings with a little noise, dipping below zero now and then.
class RealisticRecords
{
public:
    Record next()
    {
        const double t = 12.0 + 14.0 * std::sin(double(index_++) * 2e-4) + noise_(random_);
        return recordFor(t);
    }

private:
    uint64_t index_ = 0;
    std::mt19937_64 random_ { 1 };
    std::normal_distribution<double> noise_ { 0.0, 0.2 };
};

// Any record the decoder accepts, signs and counts drawn at random.
class RandomRecords
{
public:
    Record next()
    {
        const uint64_t bits = random_();
        const uint8_t perDegree = static_cast<uint8_t>(1 + (bits & 0xFF) % 255);
        const uint8_t remain = static_cast<uint8_t>((bits >> 8 & 0xFFFF) % (perDegree + 1u));
        const uint8_t sign = bits >> 24 & 1 ? 255 : static_cast<uint8_t>(bits >> 32 & 0x7F);
        uint8_t half = static_cast<uint8_t>(bits >> 40);
        if (sign == 255 && half == 0)
            half = 1;
        return { sign, half, remain, perDegree };
    }

private:
    std::mt19937_64 random_ { 2 };
};

template<typename Source> void writeLog(const std::string &path, uint64_t bytes, Source source)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        die("cannot create " + path);
    std::vector<uint8_t> chunk(1 << 20);
    for (uint64_t written = 0; written < bytes;) {
        const size_t size = static_cast<size_t>(std::min<uint64_t>(chunk.size(), bytes - written));
        for (size_t i = 0; i + 4 <= size; i += 4) {
            const Record record = source.next();
            std::memcpy(chunk.data() + i, record.data(), 4);
        }
        if (::write(fd, chunk.data(), size) != static_cast<ssize_t>(size))
            die("cannot write " + path);
        written += size;
    }
    ::close(fd);
}

// The baseline: 64 KiB read() calls over the whole file, every byte summed.
double plainRead(const std::string &path)
{
    static std::vector<uint64_t> buffer(64 * 1024 / 8);
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        die("cannot open " + path);
    uint64_t sum = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), 64 * 1024);
        if (got < 0)
            die("cannot read " + path);
        if (got == 0)
            break;
        const size_t words = static_cast<size_t>(got + 7) / 8;
        for (size_t i = 0; i < words; ++i)
            sum += buffer[i];
    }
    ::close(fd);
    const double elapsed = seconds(start);
    if (sum == 42) // keeps the summing from being optimised away
        std::printf("note: checksum %llu\n", static_cast<unsigned long long>(sum));
    return elapsed;
}

// The window's plotting step with its segments recorded instead of drawn.
struct Plotter
{
    WindowState state;
    std::array<Segment, LastDrawnSample + 1> segments {};
    int segmentCount = 0;

    void step()
    {
        plotCurrentSample(state, [this](const Segment &segment) {
            segments[size_t(segmentCount++)] = segment;
        });
    }
};

// Loads `path` as the window does (bulk past the drawn samples) or record by record.
double timedLoad(const std::string &path, bool asWindow)
{
    Plotter plotter;
    plotter.state.LogFileName = path;
    const auto step = [&] { plotter.step(); };
    const auto start = Clock::now();
    try {
        LoadLog(plotter.state, step, asWindow ? std::optional(LastDrawnSample) : std::nullopt);
    } catch (const Error &error) {
        std::fprintf(stderr, "vok-bench: %s\n", error.message().c_str());
        std::exit(2);
    }
    const double elapsed = seconds(start);
    if (plotter.segmentCount != LastDrawnSample)
        std::fprintf(stderr, "vok-bench: %d segments, expected %d\n", plotter.segmentCount,
                     LastDrawnSample);
    return elapsed;
}

int benchLoad(const std::string &dir, int runs)
{
    const uint64_t bytes = uint64_t(64) << 20;
    const double records = double(bytes / 4);
    struct Shape
    {
        const char *name;
        std::string path;
        std::vector<double> read, load, ratio, reference;
    };
    std::array<Shape, 2> shapes { Shape { "realistic", dir + "/realistic.log", {}, {}, {}, {} },
                                  Shape { "random", dir + "/random.log", {}, {}, {}, {} } };
    writeLog(shapes[0].path, bytes, RealisticRecords());
    writeLog(shapes[1].path, bytes, RandomRecords());
    for (Shape &shape : shapes) { // into the page cache, and the code warmed up
        plainRead(shape.path);
        timedLoad(shape.path, true);
    }

    for (int run = 0; run < runs; ++run) {
        for (Shape &shape : shapes) {
            const double read = plainRead(shape.path);
            const double load = timedLoad(shape.path, true);
            shape.read.push_back(read);
            shape.load.push_back(load);
            shape.ratio.push_back(load / read);
            shape.reference.push_back(timedLoad(shape.path, false));
        }
    }

    for (const Shape &shape : shapes) {
        std::printf("note: %s, %d runs: plain read %.1f ms, load %.1f ms (%.2f ns/record), "
                    "record-by-record load %.1f ms (%.2f ns/record)\n",
                    shape.name, runs, median(shape.read) * 1e3, median(shape.load) * 1e3,
                    median(shape.load) / records * 1e9, median(shape.reference) * 1e3,
                    median(shape.reference) / records * 1e9);
    }
    for (const Shape &shape : shapes)
        std::printf("load_ratio_%s: %.2f\n", shape.name, median(shape.ratio));
    std::printf("load_records_per_s_random: %.0f\n", records / median(shapes[1].load));
    for (const Shape &shape : shapes)
        std::remove(shape.path.c_str());
    return 0;
}

// Runs `vok-bench peak path` in a fresh process and returns its peak resident memory in KiB.
long childPeakKiB(const std::string &path)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        die("fork");
    if (pid == 0) {
        ::execl("/proc/self/exe", "vok-bench", "peak", path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    if (::wait4(pid, &status, 0, &usage) != pid)
        die("wait4");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "vok-bench: loading %s failed\n", path.c_str());
        std::exit(2);
    }
    return usage.ru_maxrss;
}

int benchMemory(const std::string &dir, int runs)
{
    const std::string small = dir + "/small.log";
    const std::string large = dir + "/large.log";
    writeLog(small, 4096, RandomRecords());
    writeLog(large, uint64_t(1) << 30, RandomRecords());
    std::vector<double> smallKiB, largeKiB, growth;
    for (int run = 0; run < runs; ++run) {
        const long s = childPeakKiB(small);
        const long l = childPeakKiB(large);
        smallKiB.push_back(double(s));
        largeKiB.push_back(double(l));
        growth.push_back(double(l - s) / 1024.0);
    }
    std::remove(large.c_str());
    std::remove(small.c_str());
    std::printf("note: peak resident memory, %d runs: 4 KiB log %.0f KiB, 1 GiB log %.0f KiB\n",
                runs, median(smallKiB), median(largeKiB));
    std::printf("memory_growth_mib: %.2f\n", median(growth));
    return 0;
}

int peak(const std::string &path)
{
    Plotter plotter;
    plotter.state.LogFileName = path;
    const auto step = [&] { plotter.step(); };
    try {
        LoadLog(plotter.state, step, LastDrawnSample);
    } catch (const Error &error) {
        std::fprintf(stderr, "vok-bench: %s\n", error.message().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    if (mode == "load" && argc > 2)
        return benchLoad(argv[2], runs);
    if (mode == "memory" && argc > 2)
        return benchMemory(argv[2], runs);
    if (mode == "peak" && argc > 2)
        return peak(argv[2]);
    std::fprintf(stderr, "usage: vok-bench load|memory DIR [RUNS] | vok-bench peak FILE\n");
    return 2;
}
