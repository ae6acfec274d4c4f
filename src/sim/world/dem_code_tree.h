#pragma once
// The Huffman code tree of the terrain database: built from the 256 byte weights of the
// file's header the same way by every reader and writer, so that the codes agree.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

struct DemCodeNode {
    uint32_t weight = 0;
    int16_t left = -1;  ///< the child reached by a 0 bit
    int16_t right = -1; ///< the child reached by a 1 bit
};

struct DemCodeTree {
    static constexpr int kEndSymbol = 256;      ///< ends a tile's byte stream
    static constexpr int kSentinel = 513;       ///< weight 0xFFFFFFFF, never picked
    static constexpr size_t kMaxStream = 57600; ///< longest decoded byte stream of one tile

    std::array<DemCodeNode, 514> nodes{};
    int root = kEndSymbol;
};

/// Builds the tree from the weights of the byte values 0 to 255 (the end symbol weighs 1).
DemCodeTree demBuildCodeTree(std::span<const uint32_t, 256> weights);

/// Decodes a payload (codes read from the most significant bit of each byte) into `out`;
/// false when the stream has no end symbol or would exceed kMaxStream bytes.
bool demHuffmanDecode(const DemCodeTree& tree, std::span<const uint8_t> payload, std::vector<uint8_t>& out);

} // namespace q71
