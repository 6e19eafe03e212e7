// Windows file calls under BinaryFile; the only file input of the program.
#include "platform/core/SystemFile.h"

#include "platform/core/win32/Text.h"

namespace systemFile {

Opened open(const std::string &path)
{
    Opened opened;
    // The long form, so that a name past MAX_PATH opens as any other does.
    const std::wstring name = longPathForm(toWide(path));
    // Others may go on writing the log while it is read (its length is taken now), and a logger
    // may rename or delete it: this handle reads on what it opened. Nothing here ever writes.
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            opened.kind = Kind::Folder;
        } else {
            opened.failedStep = "open";
            opened.reason = systemMessage(error);
        }
        return opened;
    }
    opened.handle = reinterpret_cast<intptr_t>(file);
    if (GetFileType(file) != FILE_TYPE_DISK) {
        opened.kind = Kind::Other;
        return opened;
    }
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(file, &size)) {
        opened.failedStep = "examine";
        opened.reason = systemMessage(GetLastError());
        CloseHandle(file);
        opened.handle = -1;
        return opened;
    }
    opened.length = size.QuadPart;
    return opened;
}

int64_t readAt(intptr_t handle, int64_t offset, uint8_t *out, size_t size, std::string &reason)
{
    OVERLAPPED position {};
    position.Offset = DWORD(uint64_t(offset));
    position.OffsetHigh = DWORD(uint64_t(offset) >> 32);
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), out, DWORD(size), &got, &position)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF)
            return 0;
        reason = systemMessage(error);
        return -1;
    }
    return got;
}

void close(intptr_t handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

} // namespace systemFile
