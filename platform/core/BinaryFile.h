// A log file opened read-only for binary reads at 1-based byte positions; closed by its destructor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class BinaryFile
{
public:
    // Opens an existing regular file for reading only: a missing name, a directory, a FIFO or a
    // device is a file error, and nothing is ever created or changed. Others may rename or
    // delete the file meanwhile; what was opened is read to its end.
    explicit BinaryFile(const std::string &path);
    ~BinaryFile();
    BinaryFile(const BinaryFile &) = delete;
    BinaryFile &operator=(const BinaryFile &) = delete;

    // Length in bytes, taken when the file was opened, so that a log still being written
    // cannot keep a load running for ever.
    int64_t length() const { return length_; }

    // Reads up to `size` bytes starting at 1-based `position`; returns how many were there.
    // Reads at ascending positions are served from one buffer.
    size_t read(int64_t position, uint8_t *out, size_t size);

    // Up to `size` bytes from 1-based `position` where the buffer holds them, without a copy:
    // fewer where the buffer or the file ends first, none past the end. Valid until the next
    // read.
    std::span<const uint8_t> buffered(int64_t position, size_t size);

    const std::string &path() const { return path_; }

private:
    void refill(int64_t offset);

    std::string path_;
    intptr_t handle_ = -1; // the system's: a file descriptor, or a Windows file handle
    int64_t length_ = 0;
    std::vector<uint8_t> buffer_;
    int64_t bufferOffset_ = 0; // 0-based file offset of buffer_[0]
    size_t bufferFill_ = 0;
};
