#pragma once
// One member of a group archive read into memory, and the bitmap inside it once checked.

#include <atomic>
#include <cstdint>
#include <span>

namespace q71 {

struct ResourceRef {
    const char* name = nullptr;         ///< the member's name (the caller's string)
    std::span<const uint8_t> dibHeader; ///< info header and colour table, set by grpMakeDib
    std::span<const uint8_t> dibBits;   ///< pixel rows, set by grpMakeDib
    uint8_t* data = nullptr;            ///< the member, allocated by the read
    std::atomic<uint32_t> delivered{0}; ///< bytes unpacked so far; may grow on a worker thread
    uint32_t size = 0;                  ///< the member's unpacked size

    /// True when the whole member has arrived.
    bool complete() const { return delivered.load(std::memory_order_acquire) == size; }
};

} // namespace q71
