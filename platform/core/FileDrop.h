// Which files a drop on a window opens: all that it carries, or none.
#pragma once

#include <span>
#include <string>
#include <vector>

struct DroppedItem
{
    std::string path; // UTF-8; empty for an item that is not a local file (a remote address)
    bool folder = false;
};

// The paths in the drag's order when every item is a local file and none is a folder;
// otherwise none, and the whole drop is refused rather than part of what the user picked
// opened. What cannot be read is still opened, and says why.
std::vector<std::string> droppableFiles(std::span<const DroppedItem> items);
