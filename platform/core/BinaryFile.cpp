// What every system's BinaryFile shares: the refusals and their messages, and the buffered
// reads; platform/core/<system>/BinaryFile.cpp holds the system's own calls.
#include "platform/core/BinaryFile.h"

#include "platform/core/Error.h"
#include "platform/core/SystemFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t bufferSize = 64 * 1024;

[[noreturn]] void throwFileError(const std::string &path, const std::string &what,
                                 const std::string &reason)
{
    throw Error(ErrorKind::File, "cannot " + what + " \"" + path + "\": " + reason);
}

} // namespace

BinaryFile::BinaryFile(const std::string &path) : path_(path)
{
    const systemFile::Opened opened = systemFile::open(path);
    if (opened.failedStep)
        throwFileError(path, opened.failedStep, opened.reason);
    // A folder has no records, and a device or a pipe never has a length to stop at.
    if (opened.kind != systemFile::Kind::Regular) {
        if (opened.handle != -1)
            systemFile::close(opened.handle);
        throwFileError(path, "read",
                       opened.kind == systemFile::Kind::Folder ? "it is a folder"
                                                               : "it is not a regular file");
    }
    handle_ = opened.handle;
    length_ = opened.length;
    buffer_.resize(bufferSize);
}

BinaryFile::~BinaryFile()
{
    if (handle_ != -1)
        systemFile::close(handle_);
}

void BinaryFile::refill(int64_t offset)
{
    bufferOffset_ = offset;
    bufferFill_ = 0;
    while (bufferFill_ < buffer_.size()) {
        std::string reason;
        const int64_t got = systemFile::readAt(handle_, offset + int64_t(bufferFill_),
                                               buffer_.data() + bufferFill_,
                                               buffer_.size() - bufferFill_, reason);
        if (got < 0)
            throwFileError(path_, "read", reason);
        if (got == 0)
            break;
        bufferFill_ += size_t(got);
    }
}

std::span<const uint8_t> BinaryFile::buffered(int64_t position, size_t size)
{
    const int64_t offset = position - 1;
    if (offset < bufferOffset_ || offset >= bufferOffset_ + static_cast<int64_t>(bufferFill_))
        refill(offset);
    const size_t at = static_cast<size_t>(offset - bufferOffset_);
    return { buffer_.data() + at, std::min(size, bufferFill_ - at) };
}

size_t BinaryFile::read(int64_t position, uint8_t *out, size_t size)
{
    size_t copied = 0;
    while (copied < size) {
        const std::span<const uint8_t> run
                = buffered(position + static_cast<int64_t>(copied), size - copied);
        if (run.empty())
            break;
        std::memcpy(out + copied, run.data(), run.size());
        copied += run.size();
    }
    return copied;
}
