#pragma once
// The index of a group archive (the group name followed by ".ndx"): a headerless run of 92-byte
// entries naming the members packed one after another in the group file (".grp").

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

inline constexpr size_t kGroupIndexEntrySize = 92;
inline constexpr size_t kGroupNameFieldSize = 80;

struct GroupIndexEntry {
    std::string name;    ///< member name, at most 79 characters
    uint32_t offset = 0; ///< of the packed data in the group file
    uint32_t size = 0;   ///< unpacked size
    uint32_t packedSize = 0;
};

/// The entries of an index file's bytes, read until fewer than 92 bytes remain; nullopt when a
/// name field lacks its terminating zero.
std::optional<std::vector<GroupIndexEntry>> grpParseIndex(std::span<const uint8_t> bytes);

/// The 92 bytes of an entry; its name must be shorter than 80 characters.
std::array<uint8_t, kGroupIndexEntrySize> grpEncodeIndexEntry(const GroupIndexEntry& entry);

/// False when an entry's sizes cannot be true: its packed data runs past the group file's end, or
/// it claims more bytes than its packed bits can encode.
bool grpEntryPlausible(const GroupIndexEntry& entry, uint64_t groupFileSize);

} // namespace q71
