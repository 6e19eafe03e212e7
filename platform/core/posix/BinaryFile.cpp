// POSIX file calls under BinaryFile; the only file input of the program.
#include "platform/core/SystemFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace systemFile {

Opened open(const std::string &path)
{
    Opened opened;
    // Non-blocking so that opening a FIFO never waits for a writer; it is refused as not a
    // regular file.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file < 0) {
        opened.failedStep = "open";
        opened.reason = std::strerror(errno);
        return opened;
    }
    struct stat status = {};
    if (::fstat(file, &status) != 0) {
        opened.failedStep = "examine";
        opened.reason = std::strerror(errno);
        ::close(file);
        return opened;
    }
    opened.handle = file;
    opened.kind = S_ISREG(status.st_mode) ? Kind::Regular
            : S_ISDIR(status.st_mode)     ? Kind::Folder
                                          : Kind::Other;
    opened.length = status.st_size;
    return opened;
}

int64_t readAt(intptr_t handle, int64_t offset, uint8_t *out, size_t size, std::string &reason)
{
    ssize_t got;
    do
        got = ::pread(int(handle), out, size, static_cast<off_t>(offset));
    while (got < 0 && errno == EINTR);
    if (got < 0)
        reason = std::strerror(errno);
    return got;
}

void close(intptr_t handle) { ::close(int(handle)); }

} // namespace systemFile
