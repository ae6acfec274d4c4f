#include "media/movie/colour_tables.h"
#include "media/movie/movie_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

MovieCodec codecFor(std::uint32_t red, std::uint32_t green, std::uint32_t blue, int bits) {
    MovieSurface surface;
    surface.redMask = red;
    surface.greenMask = green;
    surface.blueMask = blue;
    surface.bitsPerPixel = bits;
    MovieCodec codec;
    codec_setup(codec, displayFormatOf(surface));
    return codec;
}

MovieCodec codec565() { return codecFor(0xF800, 0x07E0, 0x001F, 16); }

struct Rgb {
    int r, g, b;
};

Rgb unpack565(std::uint32_t pixel) {
    return {static_cast<int>(pixel >> 11 & 31), static_cast<int>(pixel >> 5 & 63), static_cast<int>(pixel & 31)};
}

TEST(ColourTables, LuminanceLevelsAreGreysRoundedLeftAndTruncatedRight) {
    MovieCodec codec = codec565();
    // Level 0 is Y = 129: 129 / 8 -> 16, 129 / 4 -> 32 either way.
    EXPECT_EQ(codec.luminance[0], 0x84108410u);
    // Level 2 is Y = 133: rounded 17, 33, 17 on the left; truncated 16, 33, 16 on the right.
    Rgb left = unpack565(codec.luminance[2] & 0xFFFF);
    Rgb right = unpack565(codec.luminance[2] >> 16);
    EXPECT_EQ(left.r, 17);
    EXPECT_EQ(left.g, 33);
    EXPECT_EQ(right.r, 16);
    EXPECT_EQ(right.g, 33);
    // Level 63 is Y = 255: the rounded half is clamped to the channel's top.
    EXPECT_EQ(codec.luminance[63], 0xFFFFFFFFu);
    // Level 64 is the signed level -64: Y = 1.
    EXPECT_EQ(codec.luminance[64] & 0xFFFF, 0u);
}

// Adding one entry of each table must give the colour of the summed channels, the borrows
// between packed fields doing the work of signed channels.
TEST(ColourTables, SumOfThreeEntriesIsThePixel) {
    MovieCodec codec = codec565();
    int checked = 0;
    for (int y = 0; y < 128; y += 3)
        for (int cb = 0; cb < 128; cb += 5)
            for (int cr = 0; cr < 128; cr += 7) {
                ChannelValues l = luminanceLevel(y), c1 = blueDifferenceLevel(cb), c2 = redDifferenceLevel(cr);
                int red = l.red + c2.red, green = l.green + c1.green + c2.green, blue = l.blue + c1.blue;
                if (std::min({red, green, blue}) < 8 || std::max({red, green, blue}) > 247)
                    continue; // outside the range the tables are made for: the sum is not clamped
                std::uint32_t sum = codec.luminance[y] + codec.blueDifference[cb] + codec.redDifference[cr];
                Rgb left = unpack565(sum & 0xFFFF);
                EXPECT_NEAR(left.r, red / 8.0, 1.5);
                EXPECT_NEAR(left.g, green / 4.0, 1.5);
                EXPECT_NEAR(left.b, blue / 8.0, 1.5);
                // Each entry's right half is truncated on its own, and a negative red on the left
                // borrows from the right's blue: a few steps low at most.
                Rgb right = unpack565(sum >> 16);
                EXPECT_NEAR(right.r, red / 8.0, 3);
                EXPECT_NEAR(right.b, blue / 8.0, 3);
                ++checked;
            }
    EXPECT_GT(checked, 1000);
}

TEST(ColourTables, ColourDifferencesFollowTheStudioFactors) {
    // c = 2i + 1 as a signed byte; blue gets 1.772 c, green -0.344 c; red 1.402 c, green -0.714 c.
    ChannelValues c1 = blueDifferenceLevel(20); // c = 41
    EXPECT_EQ(c1.red, 0);
    EXPECT_EQ(c1.blue, 73);   // 41 x 116129 / 65536 = 72.65
    EXPECT_EQ(c1.green, -14); // 41 x -22550 / 65536 = -14.1
    ChannelValues c2 = redDifferenceLevel(100); // c = 201 as a signed byte = -55
    EXPECT_EQ(c2.red, -77);   // -55 x 91881 / 65536 = -77.1
    EXPECT_EQ(c2.green, 39);  // -55 x -46799 / 65536 = 39.3
    EXPECT_EQ(c2.blue, 0);
}

TEST(ColourTables, FiveFiveFiveEntriesHaveBothTopBitsSet) {
    MovieCodec codec = codecFor(0x7C00, 0x03E0, 0x001F, 16);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(codec.luminance[i] & 0x80008000u, 0x80008000u);
        EXPECT_EQ(codec.blueDifference[i] & 0x80008000u, 0x80008000u);
        EXPECT_EQ(codec.redDifference[i] & 0x80008000u, 0x80008000u);
    }
}

TEST(ColourTables, SaturationClampsAroundIndex384) {
    MovieCodec codec = codec565();
    EXPECT_EQ(codec.redSaturation[0], 0u);
    EXPECT_EQ(codec.redSaturation[383], 0u);
    EXPECT_EQ(codec.redSaturation[384 + 100], ((100u >> 3) << 11) * 0x10001u);
    EXPECT_EQ(codec.greenSaturation[384 + 100], ((100u >> 2) << 5) * 0x10001u);
    EXPECT_EQ(codec.blueSaturation[639], 31u * 0x10001u);
    EXPECT_EQ(codec.blueSaturation[1023], 31u * 0x10001u);
}

TEST(ColourTables, ThirtyTwoBitDisplaysUseWholeBytes) {
    MovieCodec codec = codecFor(0xFF0000, 0x00FF00, 0x0000FF, 32);
    EXPECT_FALSE(codec.format.isSixteenBit());
    EXPECT_EQ(codec.luminance[0], 0xFF818181u); // Y = 129 in each channel, top byte 255
    EXPECT_EQ(codec.redSaturation[384 + 200], 200u << 16);
    EXPECT_EQ(codec.greenSaturation[2000 % 1024], 255u << 8);
    // A negative blue borrows from green: blue difference of c = -1 is (0, 0, -2) -> green 0xFF, blue 0xFE.
    ChannelValues c1 = blueDifferenceLevel(127);
    EXPECT_EQ(codec.blueDifference[127], colourTableEntry(c1, codec.format, false));
    EXPECT_EQ(codec.blueDifference[127], 0xFFFFFFFEu);
}

} // namespace
} // namespace q71
