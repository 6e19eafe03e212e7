// Conversions between UTF-8 and UTF-16, and error descriptions from the system.
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
