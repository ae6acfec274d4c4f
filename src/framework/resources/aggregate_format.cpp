#include "framework/resources/aggregate_format.h"

#include "platform/files/little_endian.h"

#include <algorithm>
#include <cstring>

namespace q71::agg {
namespace {

constexpr char kSignature[20] = {'A', 'g', 'g', 'r', 'e', 'g', 'a', 't', 'e', ' ', 'V', 0x01};

} // namespace

std::array<uint8_t, kHeaderSize> encodeHeader(const Header& header) {
    std::array<uint8_t, kHeaderSize> bytes{};
    std::memcpy(bytes.data(), kSignature, sizeof kSignature);
    storeLe32(bytes.data() + 20, header.freeHead);
    storeLe32(bytes.data() + 24, header.directoryHead);
    return bytes;
}

std::optional<Header> decodeHeader(std::span<const uint8_t, kHeaderSize> bytes) {
    if (std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0)
        return std::nullopt;
    return Header{loadLe32(bytes.data() + 20), loadLe32(bytes.data() + 24)};
}

std::array<uint8_t, kBlockHeaderSize> encodeBlockHeader(const BlockHeader& block) {
    std::array<uint8_t, kBlockHeaderSize> bytes{};
    storeLe32(bytes.data(), block.next);
    storeLe32(bytes.data() + 4, block.used);
    storeLe32(bytes.data() + 8, block.capacity);
    return bytes;
}

BlockHeader decodeBlockHeader(std::span<const uint8_t, kBlockHeaderSize> bytes) {
    return {loadLe32(bytes.data()), loadLe32(bytes.data() + 4), loadLe32(bytes.data() + 8)};
}

std::vector<uint8_t> encodeDirectory(std::span<const DirectoryEntry> entries) {
    std::vector<uint8_t> bytes(4);
    storeLe32(bytes.data(), static_cast<uint32_t>(entries.size()));
    for (const DirectoryEntry& entry : entries) {
        size_t at = bytes.size();
        uint32_t length = static_cast<uint32_t>(entry.name.size() + 1);
        bytes.resize(at + kRecordSize + length);
        uint8_t* record = bytes.data() + at;
        storeLe32(record, length);
        storeLe32(record + 4, entry.size);
        storeLe32(record + 8, entry.time);
        storeLe32(record + 20, entry.firstBlock);
        std::memcpy(record + kRecordSize, entry.name.data(), entry.name.size());
    }
    return bytes;
}

std::optional<std::vector<DirectoryEntry>> decodeDirectory(std::span<const uint8_t> bytes) {
    std::vector<DirectoryEntry> entries;
    if (bytes.empty())
        return entries; // a container without a directory chain has no members
    if (bytes.size() < 4)
        return std::nullopt;
    uint32_t count = loadLe32(bytes.data());
    size_t at = 4;
    // Each member takes at least a record and a terminating zero, which bounds the count.
    if (count > (bytes.size() - at) / (kRecordSize + 1))
        return std::nullopt;
    entries.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (bytes.size() - at < kRecordSize)
            return std::nullopt;
        const uint8_t* record = bytes.data() + at;
        uint32_t length = loadLe32(record);
        at += kRecordSize;
        if (length == 0 || length > bytes.size() - at)
            return std::nullopt;
        const uint8_t* name = bytes.data() + at;
        if (name[length - 1] != 0 || std::find(name, name + length - 1, 0) != name + length - 1)
            return std::nullopt;
        entries.push_back({std::string(reinterpret_cast<const char*>(name), length - 1), loadLe32(record + 4),
                           loadLe32(record + 8), loadLe32(record + 20)});
        at += length;
    }
    return entries;
}

} // namespace q71::agg
