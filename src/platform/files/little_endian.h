#pragma once
// Little-endian integers of the program's binary files, read and written byte by byte so that
// neither the host's byte order nor the alignment of the bytes matters.

#include <cstdint>

namespace q71 {

/// The 16-bit value at p.
constexpr uint16_t loadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

/// The 32-bit value at p.
constexpr uint32_t loadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

/// Stores a 16-bit value at p.
constexpr void storeLe16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

/// Stores a 32-bit value at p.
constexpr void storeLe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace q71
