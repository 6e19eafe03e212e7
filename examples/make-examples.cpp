// Writes the sample logs in examples/ byte for byte: make-examples <output folder>.
//
// The logs are made from integer arithmetic only (sixteenths of a degree, a fixed-seed
// generator for sensor jitter), so every compiler and C library writes the same bytes. Rebuild
// the committed files after changing this program with
//     cmake --build build --target make-examples && build/examples/make-examples examples
// and commit them together with it; the tst_examples test compares the two.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Floor division, so that negative temperatures round the same way as positive ones.
int64_t floorDiv(int64_t numerator, int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                  : quotient;
}

// The record a sensor with 16 counts per degree writes for a temperature of `sixteenths`/16
// degrees: the half-degree reading rounded to the nearest half degree, and the remaining count
// that refines it. The viewer's refinement starts from the half-degree reading minus a quarter
// degree, so the remaining count lies in 9..16 and never exceeds the count per degree.
void appendReading(Bytes &log, int sixteenths)
{
    const int halfDegrees = static_cast<int>(floorDiv(sixteenths + 4, 8));
    const int remainCount = 12 - (sixteenths - 8 * halfDegrees);
    log.push_back(halfDegrees < 0 ? 255 : 0);
    log.push_back(static_cast<uint8_t>(halfDegrees & 0xFF)); // two's complement when negative
    log.push_back(static_cast<uint8_t>(remainCount));
    log.push_back(16);
}

int degrees(double value) { return static_cast<int>(value * 16); } // exact for the values below

// A smooth curve through key temperatures spaced `step` samples apart (Catmull-Rom, in exact
// integer arithmetic), as a slowly changing temperature looks between readings.
int smoothCurve(const std::vector<int> &keys, int step, int sample)
{
    const int last = static_cast<int>(keys.size()) - 1;
    const int segment = sample / step;
    const int64_t p0 = keys[segment > 0 ? segment - 1 : 0];
    const int64_t p1 = keys[segment];
    const int64_t p2 = keys[segment + 1 <= last ? segment + 1 : last];
    const int64_t p3 = keys[segment + 2 <= last ? segment + 2 : last];
    const int64_t u = sample % step;
    const int64_t n = step;
    const int64_t numerator = 2 * p1 * n * n * n + (p2 - p0) * u * n * n
            + (2 * p0 - 5 * p1 + 4 * p2 - p3) * u * u * n + (3 * p1 - p0 - 3 * p2 + p3) * u * u * u;
    return static_cast<int>(floorDiv(numerator, 2 * n * n * n));
}

// Sensor jitter of -1, 0 or +1 sixteenth, from a fixed-seed linear congruential generator.
class Jitter
{
public:
    explicit Jitter(uint32_t seed) : state_(seed) { }
    int next()
    {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % 3) - 1;
    }

private:
    uint32_t state_;
};

// A solar water heater's collector, one reading every five minutes from 06:00 to 05:55 the next
// morning: warm at dawn, hot at midday with a passing cloud, cooling through the night. The
// chart shows 06:00 to 17:40; the night's records are read but not drawn.
Bytes dayLog()
{
    const std::vector<int> hourly = {
        degrees(24),   degrees(27),   degrees(36),   degrees(50),   degrees(64),
        degrees(76),   degrees(84),   degrees(87),   degrees(84),   degrees(76),
        degrees(64),   degrees(50),   degrees(38),   degrees(32),   degrees(29),
        degrees(27.5), degrees(26.5), degrees(26),   degrees(25.5), degrees(25),
        degrees(24.5), degrees(24),   degrees(23.5), degrees(23.5), degrees(24),
    };
    Jitter jitter(20240601);
    Bytes log;
    for (int sample = 0; sample < 24 * 12; ++sample) {
        int value = smoothCurve(hourly, 12, sample);
        // A cloud over the collector from about 10:05 to 11:05, at most 9 degrees cooler.
        const int cloudCentre = 55, cloudHalfWidth = 6, distance = sample - cloudCentre;
        if (distance > -cloudHalfWidth && distance < cloudHalfWidth) {
            value -= degrees(9) * (cloudHalfWidth * cloudHalfWidth - distance * distance)
                    / (cloudHalfWidth * cloudHalfWidth);
        }
        appendReading(log, value + jitter.next());
    }
    return log;
}

// A cold store, one reading every two minutes: pulled down from loading-bay warmth to -20
// degrees, the compressor cycling about that, a defrost that warms it above zero, pull-down again.
Bytes coldStoreLog()
{
    const std::vector<int> everyTen = {
        degrees(18),  degrees(9),   degrees(1),     degrees(-6),  degrees(-12), degrees(-16.5),
        degrees(-19), degrees(-20), degrees(-20),   degrees(-20), degrees(-2),  degrees(5),
        degrees(-8),  degrees(-16), degrees(-19.5), degrees(-20), degrees(-20), degrees(-20),
        degrees(-20), degrees(-20), degrees(-20),
    };
    Jitter jitter(7);
    Bytes log;
    for (int sample = 0; sample < 200; ++sample) {
        // The compressor's on/off cycle: a triangle of half a degree either way, 12 samples long.
        const int phase = sample % 12;
        const int cycle = (phase < 6 ? phase : 12 - phase) * 2 - 6;
        appendReading(log, smoothCurve(everyTen, 10, sample) + cycle + jitter.next());
    }
    return log;
}

// An autoclave warming up and holding at 121 degrees, one reading a minute, copied while the
// logger was still writing: the last record has only three of its four bytes.
Bytes stillWritingLog()
{
    const std::vector<int> everyTen = {
        degrees(22),  degrees(30),  degrees(55),  degrees(85),  degrees(110),
        degrees(119), degrees(121), degrees(121), degrees(121),
    };
    Jitter jitter(121);
    Bytes log;
    for (int sample = 0; sample < 80; ++sample)
        appendReading(log, smoothCurve(everyTen, 10, sample) + jitter.next());
    appendReading(log, degrees(121));
    log.pop_back();
    return log;
}

// A boiler's flow temperature, one reading a minute: warming up from cold, then the burner
// cycling between 62 and 78 degrees. Record 90 is four zero bytes, as a power cut can leave.
Bytes badRecordLog()
{
    Jitter jitter(1978);
    Bytes log;
    int value = degrees(20);
    bool burnerOn = true;
    for (int sample = 0; sample < 160; ++sample) {
        if (sample == 90) {
            log.insert(log.end(), { 0, 0, 0, 0 });
            continue;
        }
        appendReading(log, value + jitter.next());
        if (burnerOn && value >= degrees(78))
            burnerOn = false;
        else if (!burnerOn && value <= degrees(62))
            burnerOn = true;
        value += burnerOn ? degrees(1.5) : -degrees(0.625);
    }
    return log;
}

bool writeFile(const std::string &path, const Bytes &bytes)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct
    {
        const char *name;
        Bytes bytes;
    } logs[] = {
        { "day.log", dayLog() },
        { "cold-store.log", coldStoreLog() },
        { "still-writing.log", stillWritingLog() },
        { "bad-record.log", badRecordLog() },
    };
    for (const auto &log : logs) {
        const std::string path = folder + "/" + log.name;
        if (!writeFile(path, log.bytes)) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}
