// POSIX file access for BinaryFile; the only file input of the program.
#include "platform/core/BinaryFile.h"

#include "platform/core/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t bufferSize = 64 * 1024;

[[noreturn]] void throwFileError(const std::string &path, const std::string &what, int error)
{
    throw Error(ErrorKind::File, "cannot " + what + " \"" + path + "\": " + std::strerror(error));
}

} // namespace

BinaryFile::BinaryFile(const std::string &path) : path_(path)
{
    // Non-blocking so that opening a FIFO never waits for a writer; refused just below.
    handle_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle_ < 0)
        throwFileError(path, "open", errno);

    struct stat status = {};
    if (::fstat(handle_, &status) != 0) {
        const int error = errno;
        ::close(handle_);
        throwFileError(path, "examine", error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(handle_);
        const char *what = S_ISDIR(status.st_mode) ? "a folder" : "not a regular file";
        throw Error(ErrorKind::File, "cannot read \"" + path + "\": it is " + what);
    }
    length_ = status.st_size;
    buffer_.resize(bufferSize);
}

BinaryFile::~BinaryFile()
{
    if (handle_ >= 0)
        ::close(handle_);
}

void BinaryFile::refill(int64_t offset)
{
    bufferOffset_ = offset;
    bufferFill_ = 0;
    while (bufferFill_ < buffer_.size()) {
        const ssize_t got
                = ::pread(handle_, buffer_.data() + bufferFill_, buffer_.size() - bufferFill_,
                          static_cast<off_t>(offset + static_cast<int64_t>(bufferFill_)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwFileError(path_, "read", errno);
        }
        if (got == 0)
            break;
        bufferFill_ += static_cast<size_t>(got);
    }
}
