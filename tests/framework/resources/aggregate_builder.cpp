#include "aggregate_builder.h"

#include <algorithm>

namespace q71::test {

uint32_t peek32(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes.at(offset + i));
    return value;
}

void poke32(std::string& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<char>(value >> (8 * i));
}

AggregateBuilder& AggregateBuilder::member(std::string name, std::string data, uint32_t blockCapacity) {
    members_.push_back({std::move(name), std::move(data), blockCapacity});
    return *this;
}

AggregateBuilder& AggregateBuilder::freeBlock(uint32_t capacity) {
    freeCapacities_.push_back(capacity);
    return *this;
}

AggregateBuilder& AggregateBuilder::directoryCapacity(uint32_t capacity) {
    directoryCapacity_ = capacity;
    return *this;
}

std::string AggregateBuilder::bytes() {
    std::string file(28, '\0');
    file.replace(0, 12, "Aggregate V\x01");
    // Appends a chain holding `data` in blocks of `capacity`; returns the first block's offset.
    auto chain = [&file](const std::string& data, uint32_t capacity) -> uint32_t {
        if (capacity == 0)
            capacity = std::max<uint32_t>(static_cast<uint32_t>(data.size()), 1);
        uint32_t first = static_cast<uint32_t>(file.size());
        size_t at = 0;
        do {
            uint32_t used = static_cast<uint32_t>(std::min<size_t>(capacity, data.size() - at));
            size_t header = file.size();
            file.append(12 + capacity, '\0');
            poke32(file, header + 4, used);
            poke32(file, header + 8, capacity);
            file.replace(header + 12, used, data, at, used);
            at += used;
            if (at < data.size())
                poke32(file, header, static_cast<uint32_t>(file.size()));
        } while (at < data.size());
        return first;
    };
    std::string directory(4, '\0');
    poke32(directory, 0, static_cast<uint32_t>(members_.size()));
    memberBlocks_.clear();
    for (const Member& m : members_) {
        uint32_t first = m.data.empty() ? 0 : chain(m.data, m.blockCapacity);
        memberBlocks_.push_back(first);
        std::string record(24, '\0');
        poke32(record, 0, static_cast<uint32_t>(m.name.size() + 1));
        poke32(record, 4, static_cast<uint32_t>(m.data.size()));
        poke32(record, 8, 946684800); // 2000-01-01
        poke32(record, 20, first);
        directory += record + m.name + '\0';
    }
    directoryBlock_ = chain(directory, directoryCapacity_);
    poke32(file, 24, directoryBlock_);
    uint32_t previous = 0;
    for (uint32_t capacity : freeCapacities_) {
        uint32_t block = chain("", capacity);
        poke32(file, previous == 0 ? 20 : previous, block);
        previous = block;
    }
    return file;
}

std::vector<std::string> directoryNames(const std::string& bytes) {
    std::string directory;
    for (uint32_t block = peek32(bytes, 24); block != 0; block = peek32(bytes, block))
        directory += bytes.substr(block + 12, peek32(bytes, block + 4));
    std::vector<std::string> names;
    size_t at = 4;
    for (uint32_t i = 0; i < peek32(directory, 0); ++i) {
        uint32_t length = peek32(directory, at);
        names.push_back(directory.substr(at + 24, length - 1));
        at += 24 + length;
    }
    return names;
}

} // namespace q71::test
