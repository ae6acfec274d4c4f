#include "framework/resources/dcl_pipe.h"

#include <algorithm>
#include <cstring>

namespace q71 {

uint32_t DclMemorySource::take(uint8_t* buffer, uint32_t wanted) {
    uint32_t given = std::min(wanted, size - position);
    if (given > 0)
        std::memcpy(buffer, data + position, given);
    position += given;
    return given;
}

void DclMemorySink::put(const uint8_t* buffer, uint32_t size) {
    uint32_t at = delivered->load(std::memory_order_relaxed);
    uint32_t fits = std::min(size, capacity - at);
    if (fits < size)
        overflowed = true;
    if (fits > 0)
        std::memcpy(data + at, buffer, fits);
    // Release: a thread that sees the new count also sees the bytes.
    delivered->store(at + fits, std::memory_order_release);
}

} // namespace q71
