#pragma once
// Builds aggregate container files for the tests, independently of the store's own writer: the
// header, each member's data in blocks of a chosen capacity, the directory in one block, and blocks
// on the free chain. Offsets are exposed so that tests can damage a container on purpose.

#include <cstdint>
#include <string>
#include <vector>

namespace q71::test {

class AggregateBuilder {
public:
    /// A member whose data is cut into blocks of `blockCapacity` bytes (0: one block of the data's size).
    AggregateBuilder& member(std::string name, std::string data, uint32_t blockCapacity = 0);
    /// A block of that capacity on the free chain.
    AggregateBuilder& freeBlock(uint32_t capacity);
    /// Capacity of the directory's block (0: the directory's size).
    AggregateBuilder& directoryCapacity(uint32_t capacity);
    /// The container file.
    std::string bytes();

    /// After bytes(): offset of the header of member i's first block, of the directory block.
    uint32_t memberBlock(size_t i) const { return memberBlocks_.at(i); }
    uint32_t directoryBlock() const { return directoryBlock_; }

private:
    struct Member {
        std::string name;
        std::string data;
        uint32_t blockCapacity;
    };
    std::vector<Member> members_;
    std::vector<uint32_t> freeCapacities_;
    uint32_t directoryCapacity_ = 0;
    std::vector<uint32_t> memberBlocks_;
    uint32_t directoryBlock_ = 0;
};

/// Little-endian 32-bit value at `offset` of a file's bytes, and its replacement.
uint32_t peek32(const std::string& bytes, size_t offset);
void poke32(std::string& bytes, size_t offset, uint32_t value);

/// The member names of a container file in directory order, read straight from its bytes.
std::vector<std::string> directoryNames(const std::string& bytes);

} // namespace q71::test
