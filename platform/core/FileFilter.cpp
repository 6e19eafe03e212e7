// Parsing the open-file dialog's filter.
#include "platform/core/FileFilter.h"

#include "platform/core/Error.h"

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::vector<FileFilterEntry> parseFileFilter(std::string_view filter)
{
    if (filter.empty())
        return {};
    const std::vector<std::string_view> parts = split(filter, '|');
    if (parts.size() % 2 != 0)
        throw Error(ErrorKind::Dialog,
                    "the file filter \"" + std::string(filter) + "\" lacks a pattern");
    std::vector<FileFilterEntry> entries;
    for (size_t i = 0; i < parts.size(); i += 2) {
        FileFilterEntry &entry
                = entries.emplace_back(FileFilterEntry { std::string(parts[i]), {} });
        for (const std::string_view pattern : split(parts[i + 1], ';'))
            if (!trimmed(pattern).empty())
                entry.patterns.emplace_back(trimmed(pattern));
    }
    return entries;
}
