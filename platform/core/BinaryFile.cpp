// The buffered reads every system's BinaryFile shares; each fills the buffer its own way.
#include "platform/core/BinaryFile.h"

#include <algorithm>
#include <cstring>

std::span<const uint8_t> BinaryFile::buffered(int64_t position, size_t size)
{
    const int64_t offset = position - 1;
    if (offset < bufferOffset_ || offset >= bufferOffset_ + static_cast<int64_t>(bufferFill_))
        refill(offset);
    const size_t at = static_cast<size_t>(offset - bufferOffset_);
    return { buffer_.data() + at, std::min(size, bufferFill_ - at) };
}

size_t BinaryFile::read(int64_t position, uint8_t *out, size_t size)
{
    size_t copied = 0;
    while (copied < size) {
        const std::span<const uint8_t> run
                = buffered(position + static_cast<int64_t>(copied), size - copied);
        if (run.empty())
            break;
        std::memcpy(out + copied, run.data(), run.size());
        copied += run.size();
    }
    return copied;
}
