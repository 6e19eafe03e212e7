// The few calls on a file that each system makes its own way, under BinaryFile: one file per
// system defines them, and BinaryFile turns what they report into the program's messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace systemFile {

// What an opened name turned out to be.
enum class Kind { Regular, Folder, Other };

struct Opened
{
    intptr_t handle = -1; // the system's: a file descriptor, or a Windows file handle
    Kind kind = Kind::Regular;
    int64_t length = 0;
    const char *failedStep = nullptr; // "open" or "examine" when the system refused
    std::string reason; // the system's words for that refusal
};

// Opens an existing name for reading only, never creating or changing anything; a folder may
// come back with no handle at all.
Opened open(const std::string &path);

// Reads up to `size` bytes from 0-based `offset`: how many were there, 0 at the end of the file,
// or -1 with `reason` set.
int64_t readAt(intptr_t handle, int64_t offset, uint8_t *out, size_t size, std::string &reason);

void close(intptr_t handle);

} // namespace systemFile
