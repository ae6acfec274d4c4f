#include "platform/gdi/dib_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace q71 {
namespace {

std::vector<std::uint8_t> headerBytes(std::uint32_t size, int width, int height, int bitCount,
                                      std::uint32_t compression = kDibCompressionRgb,
                                      std::uint32_t clrUsed = 0) {
    std::vector<std::uint8_t> bytes(size);
    BitmapInfoHeader h;
    h.size = size;
    h.width = width;
    h.height = height;
    h.bitCount = static_cast<std::uint16_t>(bitCount);
    h.compression = compression;
    h.clrUsed = clrUsed;
    std::memcpy(bytes.data(), &h, std::min<size_t>(size, sizeof h));
    return bytes;
}

void append(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint32_t> words) {
    for (std::uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
}

TEST(DibHeaders, ColourTableSizeFollowsDepthAndColoursUsed) {
    auto info = headerBytes(40, 3, 2, 8, kDibCompressionRgb, 17);
    info.resize(40 + 17 * 4);
    auto format = dibParseInfo(info);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->paletteSize, 17);
    EXPECT_EQ(format->stride, 4u);
    EXPECT_FALSE(format->topDown);
    // With colours used 0 an 8-bit header needs all 256 entries.
    auto full = headerBytes(40, 3, -2, 8);
    full.resize(40 + 255 * 4);
    EXPECT_FALSE(dibParseInfo(full));
    full.resize(40 + 256 * 4);
    ASSERT_TRUE(dibParseInfo(full));
    EXPECT_TRUE(dibParseInfo(full)->topDown);
}

TEST(DibHeaders, BitFieldMasksFollowAFortyByteHeaderAndLieInsideALongerOne) {
    auto info = headerBytes(40, 17, 1, 16, kDibCompressionBitfields);
    append(info, {0xF800, 0x07E0, 0x001F});
    auto format = dibParseInfo(info);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->greenMask, 0x07E0u);
    EXPECT_EQ(format->stride, 36u); // 17 pixels of 2 bytes, padded to 4
    auto v4 = headerBytes(108, 2, 2, 32, kDibCompressionBitfields);
    std::uint32_t masks[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    std::memcpy(v4.data() + 40, masks, 12);
    format = dibParseInfo(v4);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->redMask, 0x0000FFu);
    EXPECT_EQ(format->blueMask, 0xFF0000u);
}

TEST(DibHeaders, CoreHeaderReadsThreeByteColourEntries) {
    std::vector<std::uint8_t> core = {12, 0, 0, 0, 4, 0, 2, 0, 1, 0, 1, 0};
    core.insert(core.end(), {1, 2, 3, 4, 5, 6});
    auto format = dibParseInfo(core);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->paletteSize, 2);
    EXPECT_EQ(format->palette[1], (RgbQuad{4, 5, 6, 0}));
}

TEST(DibHeaders, MalformedOrUnsupportedHeadersAreRefused) {
    auto ok = headerBytes(40, 4, 4, 24);
    ASSERT_TRUE(dibParseInfo(ok));
    EXPECT_FALSE(dibParseInfo(std::span(ok).first(39)));
    EXPECT_FALSE(dibParseInfo(headerBytes(64, 4, 4, 24)));     // unknown header size
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 0, 4, 24)));     // no width
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 4, 0, 24)));     // no height
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 40000, 4, 24))); // absurd width
    EXPECT_TRUE(dibParseInfo(headerBytes(40, 4096, -4096, 24)));
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 4097, -4096, 24))) << "gigabytes of pixels from a few bytes";
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 32768, 32768, 24)));
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 4, 4, 7)));      // no such depth
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 4, 4, 8, 1)));   // run-length compressed
    EXPECT_FALSE(dibParseInfo(headerBytes(40, 4, 4, 24, kDibCompressionBitfields)));
    EXPECT_FALSE(dibParseInfo(ok, kDibPalColors));
    auto holes = headerBytes(40, 4, 4, 16, kDibCompressionBitfields);
    append(holes, {0xF00F, 0x0F00, 0x00F0});
    EXPECT_FALSE(dibParseInfo(holes));
    auto overlap = headerBytes(40, 4, 4, 16, kDibCompressionBitfields);
    append(overlap, {0xFF00, 0x0FF0, 0x000F});
    EXPECT_FALSE(dibParseInfo(overlap));
    auto planes = headerBytes(40, 4, 4, 24);
    planes[12] = 2;
    EXPECT_FALSE(dibParseInfo(planes));
}

} // namespace
} // namespace q71
