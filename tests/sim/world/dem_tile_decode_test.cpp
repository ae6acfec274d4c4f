#include "sim/world/dem_code_tree.h"
#include "sim/world/dem_tile_decode.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

// Weights 0x00: 5, 0x05: 3, 0x45: 2, 0x64: 1 (and the end symbol 1) give, worked by hand
// with ties going to the lower node number, the codes
//   0x00 "0", 0x05 "10", 0x45 "110", 0x64 "1110", end "1111".
DemCodeTree handTree() {
    uint32_t weights[256] = {};
    weights[0x00] = 5;
    weights[0x05] = 3;
    weights[0x45] = 2;
    weights[0x64] = 1;
    return demBuildCodeTree(weights);
}

TEST(DemCodeTree, TiesGoToTheLowerNodeNumber) {
    DemCodeTree tree = handTree();
    EXPECT_EQ(tree.root, 260);
    EXPECT_EQ(tree.nodes[257].left, 0x64); // the end symbol ties with 0x64 and comes second
    EXPECT_EQ(tree.nodes[257].right, 256);
    EXPECT_EQ(tree.nodes[258].left, 0x45);
    EXPECT_EQ(tree.nodes[258].right, 257); // 257 (weight 2) ties with 0x45 and comes second
    EXPECT_EQ(tree.nodes[259].left, 0x05);
    EXPECT_EQ(tree.nodes[260].left, 0x00);
    EXPECT_EQ(tree.nodes[260].right, 259);
}

TEST(DemCodeTree, NoWeightsLeaveTheEndSymbolAlone) {
    uint32_t weights[256] = {};
    DemCodeTree tree = demBuildCodeTree(weights);
    EXPECT_EQ(tree.root, DemCodeTree::kEndSymbol);
    std::vector<uint8_t> out{1, 2};
    EXPECT_TRUE(demHuffmanDecode(tree, bytes({0xFF}), out));
    EXPECT_TRUE(out.empty());
}

TEST(DemCodeTree, HugeWeightsStillBuildOneTree) {
    uint32_t weights[256];
    for (uint32_t& w : weights)
        w = 0xF0000000u;
    DemCodeTree tree = demBuildCodeTree(weights);
    EXPECT_EQ(tree.root, 512); // every byte value and the end symbol joined
}

TEST(DemHuffman, DecodesMostSignificantBitFirst) {
    DemCodeTree tree = handTree();
    std::vector<uint8_t> out;
    // 1110 0 10 110 1111 (+2 ignored bits) = 0xE5 0xBF
    ASSERT_TRUE(demHuffmanDecode(tree, bytes({0xE5, 0xBF}), out));
    EXPECT_EQ(out, bytes({0x64, 0x00, 0x05, 0x45}));
}

TEST(DemHuffman, RejectsAStreamWithoutEndOrTooLong) {
    DemCodeTree tree = handTree();
    std::vector<uint8_t> out;
    EXPECT_FALSE(demHuffmanDecode(tree, bytes({0xE5}), out)); // runs out of bits
    EXPECT_FALSE(demHuffmanDecode(tree, {}, out));
    std::vector<uint8_t> zeros(DemCodeTree::kMaxStream / 8 + 1, 0x00); // one bit per 0x00 byte
    EXPECT_FALSE(demHuffmanDecode(tree, zeros, out));
    std::vector<uint8_t> exact(DemCodeTree::kMaxStream / 8, 0x00);
    exact.push_back(0xF0); // the end code after exactly the longest stream
    EXPECT_TRUE(demHuffmanDecode(tree, exact, out));
    EXPECT_EQ(out.size(), DemCodeTree::kMaxStream);
}

TEST(DemTileDecode, DeltaCodesOfOneAndTwoBytes) {
    std::vector<int16_t> samples;
    const DemCoding delta{false, true, nullptr};
    // 100, +5, -6 (the worked example), then +129 (two bytes) and -16384 (the most negative).
    ASSERT_TRUE(demDecodeTile(delta, bytes({100, 0, 0x05, 0x45, 0x81, 0x01, 0xFF, 0xFF}), 1, 5, samples));
    EXPECT_EQ(samples, (std::vector<int16_t>{100, 105, 99, 228, 228 - 16384}));
}

TEST(DemTileDecode, RowsStartFromTheRowAbove) {
    std::vector<int16_t> samples;
    const DemCoding delta{false, true, nullptr};
    // Row 0: -2000, -1990; row 1 starts at -2000 - 3, then +63; row 2 starts at -2003 + 0x2000.
    ASSERT_TRUE(demDecodeTile(delta, bytes({0x30, 0xF8, 0x0A, 0x42, 0x3F, 0x80, 0x80, 0x00}), 3, 2, samples));
    EXPECT_EQ(samples, (std::vector<int16_t>{-2000, -1990, -2003, -1940, -2003 + 0x2000, -2003 + 0x2000}));
}

TEST(DemTileDecode, SumsWrapAtSixteenBits) {
    std::vector<int16_t> samples;
    const DemCoding delta{false, true, nullptr};
    ASSERT_TRUE(demDecodeTile(delta, bytes({0xFF, 0x7F, 0x01}), 1, 2, samples)); // 32767 + 1
    EXPECT_EQ(samples[1], -32768);
}

TEST(DemTileDecode, PlainSamplesAreLittleEndian) {
    std::vector<int16_t> samples;
    ASSERT_TRUE(
        demDecodeTile({}, bytes({0x18, 0xFC, 0x64, 0x00, 9}), 1, 2, samples)); // a spare byte is ignored
    EXPECT_EQ(samples, (std::vector<int16_t>{-1000, 100}));
}

TEST(DemTileDecode, HuffmanThenDelta) {
    DemCodeTree tree = handTree();
    std::vector<int16_t> samples;
    ASSERT_TRUE(demDecodeTile({true, true, &tree}, bytes({0xE5, 0xBF}), 1, 3, samples));
    EXPECT_EQ(samples, (std::vector<int16_t>{100, 105, 99}));
}

TEST(DemTileDecode, ShortStreamsFail) {
    std::vector<int16_t> samples;
    EXPECT_FALSE(demDecodeTile({}, bytes({1, 0, 2}), 1, 2, samples));
    EXPECT_FALSE(demDecodeTile({false, true, nullptr}, bytes({100, 0, 0x81}), 1, 2, samples)); // half a code
    EXPECT_FALSE(demDecodeTile({false, true, nullptr}, bytes({100}), 1, 1, samples));
    DemCodeTree tree = handTree();
    EXPECT_FALSE(demDecodeTile({true, true, &tree}, bytes({0xE5, 0xBF}), 1, 4, samples));
    EXPECT_FALSE(demDecodeTile({true, false, nullptr}, bytes({0xE5, 0xBF}), 1, 1, samples)); // no tree
    EXPECT_FALSE(demDecodeTile({}, bytes({1, 0}), 0, 1, samples));
}

} // namespace
} // namespace q71
