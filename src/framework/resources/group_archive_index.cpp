#include "framework/resources/group_archive_index.h"

#include "platform/files/little_endian.h"

#include <algorithm>
#include <cstring>

namespace q71 {

std::optional<std::vector<GroupIndexEntry>> grpParseIndex(std::span<const uint8_t> bytes) {
    std::vector<GroupIndexEntry> entries;
    for (size_t at = 0; bytes.size() - at >= kGroupIndexEntrySize; at += kGroupIndexEntrySize) {
        const uint8_t* entry = bytes.data() + at;
        const uint8_t* end = std::find(entry, entry + kGroupNameFieldSize, 0);
        if (end == entry + kGroupNameFieldSize)
            return std::nullopt;
        entries.push_back(
            {std::string(reinterpret_cast<const char*>(entry), static_cast<size_t>(end - entry)),
             loadLe32(entry + 80), loadLe32(entry + 84), loadLe32(entry + 88)});
    }
    return entries;
}

std::array<uint8_t, kGroupIndexEntrySize> grpEncodeIndexEntry(const GroupIndexEntry& entry) {
    std::array<uint8_t, kGroupIndexEntrySize> bytes{};
    std::memcpy(bytes.data(), entry.name.data(), std::min(entry.name.size(), kGroupNameFieldSize - 1));
    storeLe32(bytes.data() + 80, entry.offset);
    storeLe32(bytes.data() + 84, entry.size);
    storeLe32(bytes.data() + 88, entry.packedSize);
    return bytes;
}

bool grpEntryPlausible(const GroupIndexEntry& entry, uint64_t groupFileSize) {
    // The cheapest token is a match of 518 bytes in 22 bits, so a packed byte yields at most
    // 8 * 518 / 22 < 189 bytes.
    constexpr uint64_t kMostBytesPerPackedByte = 189;
    return uint64_t{entry.offset} + entry.packedSize <= groupFileSize &&
           entry.size <= uint64_t{entry.packedSize} * kMostBytesPerPackedByte;
}

} // namespace q71
