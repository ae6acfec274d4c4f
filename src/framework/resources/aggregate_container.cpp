#include "framework/resources/aggregate_container.h"

#include "framework/resources/resource_names.h"
#include "platform/files/path.h"
#include "platform/mmio/mmio_file_proc.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <set>

namespace q71 {
namespace {

using namespace agg;

constexpr uint32_t kZeroPiece = 8000; // new blocks are cleared in pieces of this size

MmioHandle openFile(const std::string& path, uint32_t flags) {
    // Always the file procedure: a container's own path may hold a plus sign.
    MmioInfo info;
    info.ioProcCode = kMmioFileProcCode;
    return mmioOpen(path, &info, flags);
}

uint32_t usedBytes(const std::vector<AggBlock>& blocks) {
    uint32_t total = 0;
    for (const AggBlock& block : blocks)
        total += block.used;
    return total;
}

// The index of the last block holding data, or -1. Blocks from there on may grow into their
// capacity; blocks before it are only overwritten, so that a write never shifts later data.
int lastBlockWithData(const std::vector<AggBlock>& blocks) {
    for (int i = static_cast<int>(blocks.size()) - 1; i >= 0; --i)
        if (blocks[i].used > 0)
            return i;
    return -1;
}

} // namespace

AggContainer::AggContainer(std::string path, MmioHandle file, bool writable)
    : path_(std::move(path)), file_(file), writable_(writable) {}

AggContainer::~AggContainer() {
    mmioClose(file_);
}

std::unique_ptr<AggContainer> AggContainer::open(const std::string& path, bool writable) {
    MmioHandle file = MmioHandle::none;
    if (writable && !fileExists(path)) {
        file = openFile(path, MMIO_READWRITE | MMIO_EXCLUSIVE | MMIO_CREATE);
        auto header = encodeHeader({});
        if (file != MmioHandle::none && mmioWrite(file, header.data(), kHeaderSize) != int32_t(kHeaderSize)) {
            mmioClose(file);
            return nullptr;
        }
    } else {
        file = openFile(path, writable ? MMIO_READWRITE | MMIO_EXCLUSIVE : MMIO_READ | MMIO_DENYWRITE);
    }
    if (file == MmioHandle::none)
        return nullptr;
    std::unique_ptr<AggContainer> container(new AggContainer(path, file, writable));
    if (!container->readHeaderAndDirectory())
        return nullptr;
    return container;
}

bool AggContainer::readBytes(uint32_t offset, void* buffer, uint32_t count) {
    return mmioSeek(file_, static_cast<int32_t>(offset), SEEK_SET) == static_cast<int32_t>(offset) &&
           mmioRead(file_, buffer, static_cast<int32_t>(count)) == static_cast<int32_t>(count);
}

bool AggContainer::writeBytes(uint32_t offset, const void* buffer, uint32_t count) {
    return mmioSeek(file_, static_cast<int32_t>(offset), SEEK_SET) == static_cast<int32_t>(offset) &&
           mmioWrite(file_, buffer, static_cast<int32_t>(count)) == static_cast<int32_t>(count);
}

bool AggContainer::readHeaderAndDirectory() {
    int32_t end = mmioSeek(file_, 0, SEEK_END);
    std::array<uint8_t, kHeaderSize> bytes;
    if (end < int32_t(kHeaderSize) || !readBytes(0, bytes.data(), kHeaderSize))
        return false;
    fileEnd_ = static_cast<uint32_t>(end);
    std::optional<Header> header = decodeHeader(bytes);
    if (!header || !readChain(header->directoryHead, directoryBlocks_))
        return false;
    if (writable_ && !readChain(header->freeHead, freeBlocks_))
        return false;

    std::vector<uint8_t> directory(usedBytes(directoryBlocks_));
    uint32_t at = 0;
    for (const AggBlock& block : directoryBlocks_) {
        if (!readBytes(block.offset + kBlockHeaderSize, directory.data() + at, block.used))
            return false;
        at += block.used;
    }
    std::optional<std::vector<DirectoryEntry>> entries = decodeDirectory(directory);
    if (!entries)
        return false;
    for (DirectoryEntry& entry : *entries) {
        auto place = sortedPlace(entry.name);
        if (place != members_.end() && namesEqualIgnoringCase((*place)->name, entry.name))
            return false; // two members of one name: the directory is damaged
        auto member = std::make_unique<AggMember>();
        member->name = std::move(entry.name);
        member->size = entry.size;
        member->time = entry.time;
        member->firstBlock = entry.firstBlock;
        member->container = this;
        members_.insert(place, std::move(member));
    }
    return true;
}

// Reads a chain's block headers; false when a block lies outside the file, claims more than its
// capacity, or the chain comes back on itself.
bool AggContainer::readChain(uint32_t head, std::vector<AggBlock>& blocks) {
    std::vector<AggBlock> chain;
    std::set<uint32_t> seen;
    for (uint32_t offset = head; offset != 0;) {
        if (offset < kHeaderSize || offset > fileEnd_ - kBlockHeaderSize || !seen.insert(offset).second)
            return false;
        std::array<uint8_t, kBlockHeaderSize> bytes;
        if (!readBytes(offset, bytes.data(), kBlockHeaderSize))
            return false;
        BlockHeader header = decodeBlockHeader(bytes);
        if (header.capacity > fileEnd_ - offset - kBlockHeaderSize || header.used > header.capacity)
            return false;
        chain.push_back({offset, header.used, header.capacity});
        offset = header.next;
    }
    blocks = std::move(chain);
    return true;
}

bool AggContainer::makeWritable() {
    if (writable_)
        return true;
    MmioHandle file = openFile(path_, MMIO_READWRITE | MMIO_EXCLUSIVE);
    if (file == MmioHandle::none)
        return false;
    std::swap(file, file_);
    std::array<uint8_t, kHeaderSize> bytes;
    std::optional<Header> header;
    if (readBytes(0, bytes.data(), kHeaderSize) && (header = decodeHeader(bytes)) &&
        readChain(header->freeHead, freeBlocks_)) {
        mmioClose(file);
        writable_ = true;
        return true;
    }
    std::swap(file, file_);
    mmioClose(file);
    return false;
}

std::vector<std::unique_ptr<AggMember>>::iterator AggContainer::sortedPlace(std::string_view name) {
    return std::lower_bound(
        members_.begin(), members_.end(), name,
        [](const auto& member, std::string_view n) { return compareNamesIgnoringCase(member->name, n) < 0; });
}

AggMember* AggContainer::find(std::string_view name) {
    auto place = sortedPlace(name);
    return place != members_.end() && namesEqualIgnoringCase((*place)->name, name) ? place->get() : nullptr;
}

AggMember* AggContainer::add(std::string_view name) {
    auto member = std::make_unique<AggMember>();
    member->name = std::string(name);
    member->modified = true;
    member->blocksLoaded = true;
    member->container = this;
    dirty_ = true;
    return members_.insert(sortedPlace(name), std::move(member))->get();
}

bool AggContainer::loadBlocks(AggMember& member) {
    if (member.blocksLoaded)
        return true;
    if (!readChain(member.firstBlock, member.blocks))
        return false;
    member.blocksLoaded = true;
    return true;
}

void AggContainer::empty(AggMember& member) {
    for (AggBlock& block : member.blocks)
        block.used = 0;
    member.modified = true;
    dirty_ = true;
}

uint32_t AggContainer::sizeOf(const AggMember& member) const {
    return usedBytes(member.blocks);
}

int32_t AggContainer::read(const AggMember& member, uint32_t offset, uint8_t* buffer, uint32_t count) {
    uint32_t done = 0;
    for (const AggBlock& block : member.blocks) {
        if (done == count)
            break;
        if (offset >= block.used) {
            offset -= block.used;
            continue;
        }
        uint32_t take = std::min(block.used - offset, count - done);
        if (!readBytes(block.offset + kBlockHeaderSize + offset, buffer + done, take))
            return -1;
        done += take;
        offset = 0;
    }
    return static_cast<int32_t>(done);
}

int32_t AggContainer::write(AggMember& member, uint32_t offset, const uint8_t* buffer, uint32_t count) {
    // A write starting past the end would leave a hole that blocks cannot hold.
    if (!writable_ || offset > sizeOf(member))
        return -1;
    member.modified = true;
    dirty_ = true;
    return writeChain(member.blocks, offset, buffer, count, true);
}

int32_t AggContainer::writeChain(std::vector<AggBlock>& blocks, uint32_t offset, const uint8_t* buffer,
                                 uint32_t count, bool memberData) {
    int lastData = lastBlockWithData(blocks);
    size_t index = 0;
    uint32_t at = offset;
    while (index < blocks.size() && at >= blocks[index].used && static_cast<int>(index) < lastData) {
        at -= blocks[index].used;
        ++index;
    }
    uint32_t done = 0;
    while (done < count) {
        if (index == blocks.size()) {
            if (memberData && !freeBlocks_.empty()) {
                AggBlock reused = freeBlocks_.front();
                freeBlocks_.erase(freeBlocks_.begin());
                freeDirty_ = true;
                reused.used = 0;
                blocks.push_back(reused);
            } else if (!appendBlock(blocks, std::max(count - done, memberData ? kMemberBlockMinimum
                                                                              : kDirectoryBlockMinimum))) {
                return -1;
            }
            at = 0;
        }
        AggBlock& block = blocks[index];
        uint32_t limit = static_cast<int>(index) >= lastData ? block.capacity : block.used;
        if (at < limit) {
            uint32_t n = std::min(limit - at, count - done);
            if (!writeBytes(block.offset + kBlockHeaderSize + at, buffer + done, n))
                return -1;
            at += n;
            done += n;
            block.used = std::max(block.used, at);
            lastData = std::max(lastData, static_cast<int>(index));
        } else {
            ++index;
            at = 0;
        }
    }
    return static_cast<int32_t>(done);
}

bool AggContainer::appendBlock(std::vector<AggBlock>& blocks, uint32_t capacity) {
    if (capacity > INT32_MAX - kBlockHeaderSize - fileEnd_)
        return false;
    uint32_t offset = fileEnd_;
    auto header = encodeBlockHeader({0, 0, capacity});
    if (!writeBytes(offset, header.data(), kBlockHeaderSize))
        return false;
    static const std::array<uint8_t, kZeroPiece> kZeros{};
    for (uint32_t cleared = 0; cleared < capacity;) {
        uint32_t n = std::min(capacity - cleared, kZeroPiece);
        if (mmioWrite(file_, kZeros.data(), static_cast<int32_t>(n)) != static_cast<int32_t>(n))
            return false;
        cleared += n;
    }
    fileEnd_ += kBlockHeaderSize + capacity;
    blocks.push_back({offset, 0, capacity});
    return true;
}

bool AggContainer::writeChainHeaders(const std::vector<AggBlock>& blocks) {
    for (size_t i = 0; i < blocks.size(); ++i) {
        uint32_t next = i + 1 < blocks.size() ? blocks[i + 1].offset : 0;
        auto header = encodeBlockHeader({next, blocks[i].used, blocks[i].capacity});
        if (!writeBytes(blocks[i].offset, header.data(), kBlockHeaderSize))
            return false;
    }
    return true;
}

void AggContainer::giveToFreeChain(const AggBlock& block) {
    freeBlocks_.insert(freeBlocks_.begin(), {block.offset, 0, block.capacity});
    freeDirty_ = true;
}

bool AggContainer::closeMember(AggMember& member) {
    if (member.modified) {
        auto empty = std::stable_partition(member.blocks.begin(), member.blocks.end(),
                                           [](const AggBlock& block) { return block.used > 0; });
        std::for_each(empty, member.blocks.end(), [this](const AggBlock& block) { giveToFreeChain(block); });
        member.blocks.erase(empty, member.blocks.end());
    }
    return flush();
}

bool AggContainer::remove(AggMember& member) {
    if (!writable_ || member.openCount > 0 || !loadBlocks(member))
        return false;
    for (const AggBlock& block : member.blocks)
        giveToFreeChain(block);
    members_.erase(sortedPlace(member.name));
    dirty_ = true;
    return flush();
}

bool AggContainer::rename(AggMember& member, std::string_view newName) {
    AggMember* existing = find(newName);
    if (!writable_ || newName.empty() || (existing && existing != &member))
        return false;
    auto place = sortedPlace(member.name);
    std::unique_ptr<AggMember> moving = std::move(*place);
    members_.erase(place);
    moving->name = std::string(newName);
    members_.insert(sortedPlace(moving->name), std::move(moving));
    dirty_ = true;
    return flush();
}

bool AggContainer::flush() {
    if (!dirty_ && !freeDirty_)
        return true;
    if (!writable_)
        return false;
    uint32_t now = static_cast<uint32_t>(std::time(nullptr));
    std::vector<DirectoryEntry> entries;
    for (const auto& member : members_) {
        if (member->modified) {
            member->size = sizeOf(*member);
            member->time = now;
            member->firstBlock = member->blocks.empty() ? 0 : member->blocks.front().offset;
            if (!writeChainHeaders(member->blocks))
                return false;
            member->modified = false;
        }
        entries.push_back({member->name, member->size, member->time, member->firstBlock});
    }
    if (dirty_) {
        std::vector<uint8_t> directory = encodeDirectory(entries);
        for (AggBlock& block : directoryBlocks_)
            block.used = 0;
        if (writeChain(directoryBlocks_, 0, directory.data(), static_cast<uint32_t>(directory.size()),
                       false) < 0 ||
            !writeChainHeaders(directoryBlocks_))
            return false;
        dirty_ = false;
    }
    if (freeDirty_) {
        if (!writeChainHeaders(freeBlocks_))
            return false;
        freeDirty_ = false;
    }
    Header header{freeBlocks_.empty() ? 0 : freeBlocks_.front().offset,
                  directoryBlocks_.empty() ? 0 : directoryBlocks_.front().offset};
    auto bytes = encodeHeader(header);
    return writeBytes(0, bytes.data(), kHeaderSize);
}

} // namespace q71
