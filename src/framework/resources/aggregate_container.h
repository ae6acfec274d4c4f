#pragma once
// One open aggregate container: its file, its directory as a member array sorted by name (ignoring
// case), and its free chain. Members' data live in chains of blocks; writing fills a member's
// blocks, then takes blocks off the free chain, then appends new blocks to the file. The directory
// and the block headers are written back by `flush`. Not locked: the store serialises all calls.

#include "framework/resources/aggregate_format.h"
#include "platform/mmio/mmio.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class AggContainer;

/// A block of a chain as it stands in memory.
struct AggBlock {
    uint32_t offset = 0; ///< of the block's header in the file
    uint32_t used = 0;
    uint32_t capacity = 0;
};

struct AggMember {
    std::string name;
    uint32_t size = 0; ///< as the directory says; the block list is the truth once loaded
    uint32_t time = 0;
    uint32_t firstBlock = 0;
    bool modified = false;
    bool blocksLoaded = false;
    std::vector<AggBlock> blocks;
    int openCount = 0;
    AggContainer* container = nullptr;
};

class AggContainer {
public:
    /// Opens the container at `path` read only, or read-write (creating it when missing); null when
    /// it cannot be opened or its header, directory or free chain is damaged.
    static std::unique_ptr<AggContainer> open(const std::string& path, bool writable);
    ~AggContainer();
    AggContainer(const AggContainer&) = delete;
    AggContainer& operator=(const AggContainer&) = delete;

    const std::string& path() const { return path_; }
    bool writable() const { return writable_; }
    /// Reopens a read-only container read-write; false when the file cannot be opened so.
    bool makeWritable();

    /// Members of this container that are open; the store counts them.
    int openMembers = 0;

    /// The members in directory order (sorted by name, ignoring case).
    const std::vector<std::unique_ptr<AggMember>>& members() const { return members_; }
    /// The member of that name (ignoring case), or null.
    AggMember* find(std::string_view name);
    /// Adds an empty member at its sorted place (the container becomes dirty).
    AggMember* add(std::string_view name);
    /// Reads the member's block list if it is not loaded; false when its chain is damaged.
    bool loadBlocks(AggMember& member);
    /// Empties a member: every block's used count becomes 0.
    void empty(AggMember& member);
    /// The member's size: the bytes used in its blocks.
    uint32_t sizeOf(const AggMember& member) const;

    /// Reads up to `count` bytes of the member from `offset`; the count read, -1 on a file error.
    int32_t read(const AggMember& member, uint32_t offset, uint8_t* buffer, uint32_t count);
    /// Writes the bytes into the member at `offset` (at most its size); the count, -1 on failure.
    int32_t write(AggMember& member, uint32_t offset, const uint8_t* buffer, uint32_t count);

    /// After a member's last close: blocks without data go to the free chain; then `flush`.
    bool closeMember(AggMember& member);
    /// Deletes a member that is not open: its blocks go to the free chain.
    bool remove(AggMember& member);
    /// Renames a member and moves it to its sorted place; false when another member has the name.
    bool rename(AggMember& member, std::string_view newName);
    /// Writes back what changed: modified members' block headers, the directory, the free chain
    /// and the header. False on a file error or when the container is read only and dirty.
    bool flush();

private:
    AggContainer(std::string path, MmioHandle file, bool writable);
    bool readHeaderAndDirectory();
    bool readChain(uint32_t head, std::vector<AggBlock>& blocks);
    bool readBytes(uint32_t offset, void* buffer, uint32_t count);
    bool writeBytes(uint32_t offset, const void* buffer, uint32_t count);
    int32_t writeChain(std::vector<AggBlock>& blocks, uint32_t offset, const uint8_t* buffer, uint32_t count,
                       bool memberData);
    bool appendBlock(std::vector<AggBlock>& blocks, uint32_t capacity);
    bool writeChainHeaders(const std::vector<AggBlock>& blocks);
    void giveToFreeChain(const AggBlock& block);
    std::vector<std::unique_ptr<AggMember>>::iterator sortedPlace(std::string_view name);

    std::string path_;
    MmioHandle file_;
    bool writable_;
    bool dirty_ = false;
    bool freeDirty_ = false;
    uint32_t fileEnd_ = 0;
    std::vector<AggBlock> directoryBlocks_;
    std::vector<AggBlock> freeBlocks_;
    std::vector<std::unique_ptr<AggMember>> members_;
};

} // namespace q71
