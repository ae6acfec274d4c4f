#pragma once
// Offsets and checks of the bitmap headers, shared by the loader and the in-memory check.

#include <cstdint>
#include <span>

namespace q71::dib {

inline constexpr uint16_t kFileType = 0x4D42; // "BM"
inline constexpr uint32_t kFileHeaderSize = 14;
inline constexpr uint32_t kFileBitsOffset = 10; // in the file header
inline constexpr uint32_t kCoreHeaderSize = 12;
inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kV4HeaderSize = 108;
inline constexpr uint32_t kCompressionBitfields = 3;

// Fields of the 40-byte info header (and of the first 40 bytes of the 108-byte one).
inline constexpr uint32_t kWidth = 4;
inline constexpr uint32_t kHeight = 8;
inline constexpr uint32_t kPlanes = 12;
inline constexpr uint32_t kBitCount = 14;
inline constexpr uint32_t kCompression = 16;
inline constexpr uint32_t kClrUsed = 32;
/// The bit-field masks inside a 108-byte header.
inline constexpr uint32_t kV4Masks = 40;

/// At most this many colour-table entries are read: more than any depth can use.
inline constexpr uint32_t kMaxColors = 256;

/// True when the header's colour count is one a bitmap can have (checked before any table is read).
bool colorCountPlausible(std::span<const uint8_t> info);

} // namespace q71::dib
