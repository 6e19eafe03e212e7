// The buffered reads every system's BinaryFile shares; each fills the buffer its own way.
#include "platform/BinaryFile.h"

#include <algorithm>
#include <cstring>

size_t BinaryFile::read(int64_t position, uint8_t *out, size_t size)
{
    const int64_t offset = position - 1;
    size_t copied = 0;
    while (copied < size) {
        const int64_t want = offset + static_cast<int64_t>(copied);
        if (want < bufferOffset_ || want >= bufferOffset_ + static_cast<int64_t>(bufferFill_)) {
            refill(want);
            if (bufferFill_ == 0)
                break;
        }
        const size_t at = static_cast<size_t>(want - bufferOffset_);
        const size_t chunk = std::min(size - copied, bufferFill_ - at);
        std::memcpy(out + copied, buffer_.data() + at, chunk);
        copied += chunk;
    }
    return copied;
}
