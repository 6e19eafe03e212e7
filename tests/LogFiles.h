// Helpers for tests that need log files on disk: records, files and a temporary folder, with
// names in UTF-8 as the program's own file access takes them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

using RecordBytes = std::array<uint8_t, 4>;

// A well-formed record for a whole-degree temperature between -127 and +127.
inline RecordBytes recordForDegrees(int degrees)
{
    const int halves = degrees * 2;
    if (halves < 0)
        return { 255, uint8_t(halves & 0xFF), 12, 16 };
    return { 0, uint8_t(halves), 12, 16 };
}

inline void appendRecord(std::string &bytes, const RecordBytes &record)
{
    bytes.append(reinterpret_cast<const char *>(record.data()), 4);
}

// A UTF-8 name as a path for std::filesystem, which on Windows would read a plain string in the
// system's code page.
inline std::filesystem::path fsPath(const std::string &name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

inline void writeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream file(fsPath(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write test file " + path);
}

// A new folder in the system's temporary folder, removed with all it holds.
class TempDir
{
public:
    TempDir()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        while (!std::filesystem::create_directory(
                path_ = base / ("vok-test-" + std::to_string(random()))))
            ;
    }
    ~TempDir()
    {
        std::error_code error;
        // Windows keeps read-only files from being removed.
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path_, error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string filePath(const std::string &name) const
    {
        const std::u8string path = (path_ / fsPath(name)).generic_u8string();
        return std::string(path.begin(), path.end());
    }

private:
    std::filesystem::path path_;
};
