// Loading log files: which records are read, how loads stop, and which files are refused.
#include "LogFiles.h"
#include "core/Checks.h"
#include "log/LoadLog.h"
#include "platform/core/BinaryFile.h"

#include <iterator>
#include <optional>
#include <string_view>
#ifdef _WIN32
#include "platform/core/win32/Text.h"
#else
#include <sys/stat.h>
#endif

namespace {

struct LoadResult
{
    int plottingSteps = 0;
    std::optional<ErrorKind> error;
    std::string message;
};

// Loads `path` with a plotting step that only counts, as the window's step does past sample 140.
LoadResult load(WindowState &state, const std::string &path)
{
    LoadResult result;
    state.LogFileName = path;
    try {
        LoadLog(state, [&] {
            ++result.plottingSteps;
            ++state.SampleNo;
        });
    } catch (const Error &error) {
        result.error = error.kind();
        result.message = error.message();
    }
    return result;
}

// The process's open files (on Windows, its handles of every kind).
int openDescriptors()
{
#ifdef _WIN32
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return int(handles);
#else
    return int(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator()));
#endif
}

// Readings of 0 to 99 degrees, over and over.
std::string risingLog(int records)
{
    std::string bytes;
    for (int i = 0; i < records; ++i)
        appendRecord(bytes, recordForDegrees(i % 100));
    return bytes;
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Whole records are all read; a 2- or 3-byte tail is read as one more (zero-padded, so faulty)
// record; a single trailing byte is never read.
struct Length
{
    std::string_view name;
    int length;
    int plottingSteps;
    std::optional<ErrorKind> error;
    std::string_view messagePart;
};

const Length fileLengths[] = {
    { "empty", 0, 0, ErrorKind::FloatingPointFault, "the file is empty" },
    { "1 byte", 1, 0, ErrorKind::FloatingPointFault, "incomplete record of 1 byte" },
    { "3 bytes", 3, 0, ErrorKind::Overflow, "incomplete record of 3 bytes" },
    { "4 bytes", 4, 1, std::nullopt, "" },
    { "5 bytes", 5, 1, std::nullopt, "" },
    { "8 bytes", 8, 2, std::nullopt, "" },
    { "9 bytes", 9, 2, std::nullopt, "" },
    { "10 bytes", 10, 2, ErrorKind::FloatingPointFault,
      "record 2 (byte position 9): the file ends in an incomplete record of 2 bytes" },
};

} // namespace

TEST_CASE("fileLengths")
{
    TempDir dir;
    for (const Length &row : fileLengths) {
        INFO("row: ", row.name);
        // Valid records throughout; bytes past a whole record are a sign byte and a 0, so a
        // tail is faulty only through the zero padding of the missing count bytes.
        std::string bytes;
        while (int(bytes.size()) < row.length)
            appendRecord(bytes, recordForDegrees(20));
        bytes.resize(size_t(row.length));
        writeFile(dir.filePath("log.bin"), bytes);

        WindowState state;
        state.SampleNo = 77;
        const int descriptors = openDescriptors();
        const LoadResult result = load(state, dir.filePath("log.bin"));
        CHECK(result.plottingSteps == row.plottingSteps);
        CHECK(result.error == row.error);
        CHECK_MESSAGE(contains(result.message, row.messagePart), result.message);
        CHECK(state.SampleNo == row.plottingSteps);
        CHECK(openDescriptors() == descriptors);
    }
}

TEST_CASE("malformedRecordStopsTheLoad")
{
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 600; ++i)
        appendRecord(bytes, i == 400 ? RecordBytes { 0, 10, 17, 16 } : recordForDegrees(i % 100));
    writeFile(dir.filePath("600.bin"), bytes);

    WindowState state;
    const LoadResult result = load(state, dir.filePath("600.bin"));
    CHECK(result.plottingSteps == 400);
    CHECK(result.error == ErrorKind::Overflow);
    CHECK_MESSAGE(contains(result.message, "record 400 (byte position 1601)"), result.message);
    CHECK(contains(result.message, dir.filePath("600.bin")));
    // RawTemp already holds the faulty record's reading; Temp the last good one.
    CHECK(state.RawTemp == 5.0f);
    CHECK(state.Temp == 99.0f);
}

TEST_CASE("everyRecordIsRead")
{
    TempDir dir;
    writeFile(dir.filePath("600ok.bin"), risingLog(600));
    WindowState state;
    const LoadResult result = load(state, dir.filePath("600ok.bin"));
    CHECK(result.plottingSteps == 600);
    CHECK(!result.error);
    CHECK(state.Temp == 99.0f);
}

// The length is taken at the open: a log cut short while loading reads zeros past its new end,
// and says so.
TEST_CASE("fileShortenedWhileLoading")
{
    TempDir dir;
    const std::string path = dir.filePath("shrinking.bin");
    writeFile(path, risingLog(100000));

    WindowState state;
    state.LogFileName = path;
    int steps = 0;
    try {
        LoadLog(state, [&] {
            if (++steps == 2)
                std::filesystem::resize_file(fsPath(path), 4);
            ++state.SampleNo;
        });
        FAIL_CHECK("no error for the missing records");
    } catch (const Error &error) {
        CHECK(error.kind() == ErrorKind::FloatingPointFault);
        // Reads are buffered, so the cut shows at the next buffer's first record.
        CHECK_MESSAGE(
                contains(error.what(), "record 16384 (byte position 65537): the file ended early"),
                error.what());
    }
    CHECK(steps == 16384);
}

// Names that are no readable log are refused before anything is read, with the name and the
// reason, and nothing is created; SampleNo is not reset by a load that never opened its file.
struct Refusal
{
    std::string_view name; // in the test's folder, or a device
    std::string_view message; // "%" stands for the name as given
};

const Refusal refusals[] = {
    { "missing.bin", "File error: cannot open \"%\": " },
    { "folder", "File error: cannot read \"%\": it is a folder" },
#ifdef _WIN32
    { "NUL", "File error: cannot read \"%\": it is not a regular file" },
#else
    // A FIFO with no writer would block an ordinary open for ever.
    { "fifo", "File error: cannot read \"%\": it is not a regular file" },
    { "/dev/zero", "File error: cannot read \"%\": it is not a regular file" },
#endif
};

TEST_CASE("refusedNames")
{
    TempDir dir;
    std::filesystem::create_directory(fsPath(dir.filePath("folder")));
#ifndef _WIN32
    REQUIRE(::mkfifo(dir.filePath("fifo").c_str(), 0600) == 0);
#endif
    for (const Refusal &row : refusals) {
        INFO("row: ", row.name);
        const std::string name(row.name);
        const std::string path = contains(name, "/") || name == "NUL" ? name : dir.filePath(name);
        std::string message(row.message);
        message.replace(message.find('%'), 1, path);
        const bool existed = std::filesystem::exists(fsPath(path));
        WindowState state;
        state.SampleNo = 5;
        const LoadResult result = load(state, path);
        CHECK(result.error == ErrorKind::File);
        CHECK_MESSAGE(result.message.starts_with(message), result.message);
        CHECK(std::filesystem::exists(fsPath(path)) == existed);
        CHECK(result.plottingSteps == 0);
        CHECK(state.SampleNo == 5);
    }
}

// A name past the old 260-character limit, with "." and ".." parts, loads like any other.
TEST_CASE("longName")
{
    TempDir dir;
    const std::string top = dir.filePath("a folder named at some length");
    std::string folder = top;
    while (folder.size() < 300)
        folder += "/a folder named at some length";
    std::filesystem::create_directories(fsPath(folder + "/sub"));
    writeFile(folder + "/log.bin", risingLog(3));
    WindowState state;
    const LoadResult result = load(state, folder + "/./sub/../log.bin");
    CHECK_MESSAGE(!result.error, result.message);
    CHECK(result.plottingSteps == 3);
    // Removed here, deepest first: a listing of so long a name fails under Wine.
    std::filesystem::remove(fsPath(folder + "/log.bin"));
    for (std::string at = folder + "/sub"; at.size() >= top.size(); at.resize(at.rfind('/')))
        std::filesystem::remove(fsPath(at));
}

// A logger that rolls its file over to another name, then deletes it, while it is loaded: the
// load reads on to the end of what it opened.
TEST_CASE("renamedThenDeletedWhileLoading")
{
    TempDir dir;
    const std::string path = dir.filePath("current.log");
    writeFile(path, risingLog(40000));
    const std::filesystem::path current = fsPath(path), dated = fsPath(path + ".1");
    WindowState state;
    state.LogFileName = path;
    int steps = 0;
    std::error_code renamed, deleted;
    LoadLog(state, [&] {
        if (++steps == 2)
            std::filesystem::rename(current, dated, renamed);
        else if (steps == 20000) // past the first buffer
            std::filesystem::remove(dated, deleted);
        ++state.SampleNo;
    });
    CHECK_MESSAGE(!renamed, renamed.message());
    CHECK_MESSAGE(!deleted, deleted.message());
    CHECK(steps == 40000);
    CHECK(!std::filesystem::exists(dated));
}

#ifdef _WIN32
// The name the file calls get: the long form, settled first, since it is taken literally.
// "%" stands for the current folder.
TEST_CASE("longPathForm")
{
    const std::string_view rows[][2] = {
        { "C:\\logs\\a.log", "\\\\?\\C:\\logs\\a.log" },
        { "C:/logs/./2026/../device 7/current.log", "\\\\?\\C:\\logs\\device 7\\current.log" },
        { "\\\\server\\share\\logs\\..\\a.log", "\\\\?\\UNC\\server\\share\\a.log" },
        { "//server/share/a.log", "\\\\?\\UNC\\server\\share\\a.log" },
        { "logs\\a.log", "\\\\?\\%\\logs\\a.log" },
        { "\\\\?\\C:\\x\\..\\a.log", "\\\\?\\C:\\x\\..\\a.log" },
    };
    wchar_t current[MAX_PATH] {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::string folder = toUtf8(current);
    if (folder.ends_with('\\'))
        folder.pop_back();
    for (const auto &[name, form] : rows) {
        INFO("name: ", name);
        std::string expected(form);
        if (const size_t at = expected.find('%'); at != std::string::npos)
            expected.replace(at, 1, folder);
        CHECK(toUtf8(longPathForm(toWide(name))) == expected);
    }
}
#endif

TEST_CASE("readOnlyFileLoads")
{
    TempDir dir;
    std::string bytes;
    appendRecord(bytes, recordForDegrees(-20));
    appendRecord(bytes, recordForDegrees(30));
    const std::string path = dir.filePath("readonly.bin");
    writeFile(path, bytes);
    std::filesystem::permissions(fsPath(path), std::filesystem::perms::owner_read);
    const auto modified = std::filesystem::last_write_time(fsPath(path));

    WindowState state;
    const LoadResult result = load(state, path);
    CHECK(!result.error);
    CHECK(result.plottingSteps == 2);
    CHECK(std::filesystem::last_write_time(fsPath(path)) == modified);
}

// Positions are 64-bit: a record beyond 4 GiB is read from its own place.
TEST_CASE("positionsBeyondTwoGigabytes")
{
    TempDir dir;
    const std::string path = dir.filePath("sparse.bin");
    const int64_t offset = (int64_t(1) << 32) + 8;
    {
        std::ofstream file(fsPath(path), std::ios::binary);
        REQUIRE(file.seekp(offset));
        REQUIRE(file.write("\x01\x02\x03\x04", 4));
    }

    BinaryFile binary(path);
    CHECK(binary.length() == offset + 4);
    uint8_t bytes[4] = {};
    CHECK(binary.read(offset + 1, bytes, 4) == size_t(4));
    CHECK(bytes[0] == uint8_t(1));
    CHECK(bytes[3] == uint8_t(4));
    CHECK(binary.read(offset + 3, bytes, 4) == size_t(2));
}
