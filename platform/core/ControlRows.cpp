#include "platform/core/ControlRows.h"

namespace {

bool overlap(const ControlRow &a, const ControlRow &b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
            && b.top < a.top + a.height;
}

} // namespace

bool overlapsEarlierControl(std::span<const ControlRow> rows, std::size_t index)
{
    for (std::size_t earlier = 0; earlier < index && earlier < rows.size(); ++earlier)
        if (overlap(rows[earlier], rows[index]))
            return true;
    return false;
}
