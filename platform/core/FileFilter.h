// The open-file dialog's filter as forms write it: "Description|pattern;pattern|Description|...".
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FileFilterEntry
{
    std::string description;
    std::vector<std::string> patterns; // trimmed, none empty
};

// The entries in order; an empty filter has none. A description without its patterns is a
// dialog error naming the filter.
std::vector<FileFilterEntry> parseFileFilter(std::string_view filter);
