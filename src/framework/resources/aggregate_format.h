#pragma once
// The layout of an aggregate container file: a 28-byte header (signature, heads of the free chain
// and the directory chain), blocks of a 12-byte header and a data area, and the directory that the
// directory chain holds (a member count, then a 24-byte record and the name of each member). All
// integers are little-endian.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71::agg {

inline constexpr uint32_t kHeaderSize = 28;
inline constexpr uint32_t kBlockHeaderSize = 12;
inline constexpr uint32_t kRecordSize = 24;
/// Smallest data area of a new block of member data and of the directory.
inline constexpr uint32_t kMemberBlockMinimum = 4000;
inline constexpr uint32_t kDirectoryBlockMinimum = 16000;

struct Header {
    uint32_t freeHead = 0;      ///< first block of the free chain, 0 = none
    uint32_t directoryHead = 0; ///< first block of the directory chain, 0 = none
};

/// The header's bytes, with the signature "Aggregate V", 0x01 and zeros.
std::array<uint8_t, kHeaderSize> encodeHeader(const Header& header);
/// The header of a container's first bytes; nullopt when the signature differs.
std::optional<Header> decodeHeader(std::span<const uint8_t, kHeaderSize> bytes);

struct BlockHeader {
    uint32_t next = 0; ///< next block of the same chain, 0 = last
    uint32_t used = 0; ///< bytes used of the data area
    uint32_t capacity = 0;
};

std::array<uint8_t, kBlockHeaderSize> encodeBlockHeader(const BlockHeader& block);
BlockHeader decodeBlockHeader(std::span<const uint8_t, kBlockHeaderSize> bytes);

struct DirectoryEntry {
    std::string name;
    uint32_t size = 0;
    uint32_t time = 0;       ///< seconds since 1970-01-01 UTC
    uint32_t firstBlock = 0; ///< 0 = empty member
};

/// The directory's bytes.
std::vector<uint8_t> encodeDirectory(std::span<const DirectoryEntry> entries);
/// The entries of a directory; nullopt when a count, a length or a name runs past the bytes or a
/// name lacks its terminating zero. Bytes after the last entry are ignored.
std::optional<std::vector<DirectoryEntry>> decodeDirectory(std::span<const uint8_t> bytes);

} // namespace q71::agg
