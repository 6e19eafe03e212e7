// Which files a drop on a window opens.
#include "platform/core/FileDrop.h"

std::vector<std::string> droppableFiles(std::span<const DroppedItem> items)
{
    std::vector<std::string> paths;
    for (const DroppedItem &item : items) {
        if (item.path.empty() || item.folder)
            return {};
        paths.push_back(item.path);
    }
    return paths;
}
