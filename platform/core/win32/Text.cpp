// Conversions between UTF-8 and UTF-16, file names for long paths, and error descriptions
// from the system.
#include "platform/core/win32/Text.h"

std::wstring toWide(std::string_view text)
{
    if (text.empty())
        return {};
    // Invalid UTF-8 becomes U+FFFD rather than failing, so a message is never lost.
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::wstring longPathForm(std::wstring_view name)
{
    const auto literal = [](std::wstring_view text) {
        return text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\");
    };
    if (literal(name))
        return std::wstring(name);
    // The system's own rules make the name absolute against the current folder and settle it.
    const std::wstring given(name);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(given.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(given.c_str(), DWORD(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size())
        return given; // the open says what is wrong with it
    full.resize(length);
    if (literal(full))
        return full; // a device name such as NUL
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string toUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::string systemMessage(DWORD error)
{
    wchar_t *buffer = nullptr;
    const DWORD length
            = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                     | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    if (length == 0)
        return "system error " + std::to_string(error);
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (!text.empty() && text.back() == L'.')
        text.pop_back();
    return toUtf8(text);
}
