// UTF-8 inside the program, UTF-16 at the Windows API, names past MAX_PATH, and the system's own
// words for an error.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);
// The name to hand to the file calls: absolute, in the \\?\ form (\\?\UNC\ for a share) that
// takes names longer than MAX_PATH, with separators, "." and ".." settled first since that form
// takes every character literally. A name already in that form, or a device's, is kept.
std::wstring longPathForm(std::wstring_view name);

// The system's description of an error code (GetLastError's), in UTF-8, without the trailing
// full stop and line break, so that it can end a sentence of ours.
std::string systemMessage(DWORD error);
