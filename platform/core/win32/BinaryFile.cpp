// Windows file access for BinaryFile; the only file input of the program.
#include "platform/core/BinaryFile.h"

#include "platform/core/Error.h"
#include "platform/core/win32/Text.h"

namespace {

constexpr size_t bufferSize = 64 * 1024;

HANDLE handleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

[[noreturn]] void throwFileError(const std::string &path, const std::string &what, DWORD error)
{
    throw Error(ErrorKind::File, "cannot " + what + " \"" + path + "\": " + systemMessage(error));
}

[[noreturn]] void refuse(const std::string &path, const char *what)
{
    throw Error(ErrorKind::File, "cannot read \"" + path + "\": it is " + what);
}

} // namespace

BinaryFile::BinaryFile(const std::string &path) : path_(path)
{
    const std::wstring name = toWide(path);
    // Others may go on writing the log while it is read (its length is taken now); nothing
    // here ever writes. Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            refuse(path, "a folder");
        throwFileError(path, "open", error);
    }
    handle_ = reinterpret_cast<intptr_t>(file);

    // A device or a pipe never has a length to stop at.
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK) {
        CloseHandle(file);
        refuse(path, "not a regular file");
    }
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(file, &size)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        throwFileError(path, "examine", error);
    }
    length_ = size.QuadPart;
    buffer_.resize(bufferSize);
}

BinaryFile::~BinaryFile()
{
    if (handle_ != -1)
        CloseHandle(handleOf(handle_));
}

void BinaryFile::refill(int64_t offset)
{
    bufferOffset_ = offset;
    bufferFill_ = 0;
    while (bufferFill_ < buffer_.size()) {
        const uint64_t at = uint64_t(offset) + bufferFill_;
        OVERLAPPED position {};
        position.Offset = DWORD(at);
        position.OffsetHigh = DWORD(at >> 32);
        DWORD got = 0;
        if (!ReadFile(handleOf(handle_), buffer_.data() + bufferFill_,
                      DWORD(buffer_.size() - bufferFill_), &got, &position)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break;
            throwFileError(path_, "read", error);
        }
        if (got == 0)
            break;
        bufferFill_ += got;
    }
}
