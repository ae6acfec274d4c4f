#include "media/movie/lz77_unpack.h"
#include "media/movie/movie_codec.h"
#include "movie_encoder/lz77_pack.h"
#include "movie_encoder/palette_frames.h"
#include "movie_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string unpack(const Bytes& in, std::size_t room = 64) {
    std::vector<std::uint8_t> out(room);
    std::ptrdiff_t n = lz77Unpack(in, out);
    if (n < 0)
        return "<malformed>";
    return std::string(out.begin(), out.begin() + n);
}

TEST(KeyFrameUnpacking, EachCommandFormCarriesItsLiteralsAndCopy) {
    // 0xE0: four literals. 0x09: one literal, copy 2 + 3 = 5 from 4 back.
    EXPECT_EQ(unpack({0, 0, 0, 0, 10, 0xE0, 'a', 'b', 'c', 'd', 0x09, 3, 'e', 0xFC}), "abcdebcdeb");
    // 0x80-0xBF: 3 bytes; literals b1 >> 6 = 2, copy (0x81 & 0x3F) + 4 = 5, distance 1.
    EXPECT_EQ(unpack({0, 0, 0, 0, 7, 0x81, 0x80, 0x00, 'x', 'y', 0xFC}), "xyyyyyy");
    // 0xC0-0xDF: 4 bytes; literals 1, copy ((0xC5 >> 2) & 3) << 8 + 3 + 5 = 264, distance 1.
    std::string run = unpack({0, 0, 0, 1, 9, 0xC5, 0x00, 0x00, 0x03, 'z', 0xFC}, 300);
    EXPECT_EQ(run, std::string(265, 'z'));
    // 0xFC-0xFF: the end, with up to three literals.
    EXPECT_EQ(unpack({0, 0, 0, 0, 3, 0xFF, '1', '2', '3'}), "123");
    // A flags word with bit 0 set is followed by three bytes more before the size.
    EXPECT_EQ(unpack({1, 0, 9, 9, 9, 0, 0, 2, 0xFE, 'o', 'k'}), "ok");
}

// A stream of `count` literal bytes (a multiple of 4) sent in runs of 112 and less.
Bytes literalRuns(std::size_t count, Bytes& written) {
    Bytes commands;
    while (count) {
        std::size_t run = std::min<std::size_t>(112, count);
        commands.push_back(static_cast<std::uint8_t>(0xE0 + run / 4 - 1));
        for (std::size_t i = 0; i < run; ++i) {
            auto b = static_cast<std::uint8_t>((written.size() * 31 + 7) % 251);
            commands.push_back(b);
            written.push_back(b);
        }
        count -= run;
    }
    return commands;
}

TEST(KeyFrameUnpacking, FourByteCommandsReachSeventeenBitsBack) {
    Bytes expected;
    Bytes commands = literalRuns(70000, expected);
    // Literals 0, copy ((0xD4 >> 2) & 3) << 8 + 0x10 + 5 = 277, distance (0x10 << 12) + 0x0203 + 1 = 66052.
    for (std::uint8_t b : {0xD4, 0x02, 0x03, 0x10, 0xFC})
        commands.push_back(b);
    for (std::size_t i = 0; i < 277; ++i)
        expected.push_back(expected[expected.size() - 66052]);
    Bytes in = {0, 0, static_cast<std::uint8_t>(expected.size() >> 16), static_cast<std::uint8_t>(expected.size() >> 8),
                static_cast<std::uint8_t>(expected.size())};
    in.insert(in.end(), commands.begin(), commands.end());
    Bytes out(expected.size());
    ASSERT_EQ(lz77Unpack(in, out), static_cast<std::ptrdiff_t>(expected.size()));
    EXPECT_EQ(out, expected);

    in[5 + commands.size() - 5 + 1] = 0xFF; // distance 0x1FF03 + 1: before the start
    EXPECT_EQ(lz77Unpack(in, out), -1);
}

TEST(KeyFrameUnpacking, MalformedStreamsAreRefused) {
    EXPECT_EQ(unpack({0, 0, 0, 0, 4, 0x00, 5, 0xFC}), "<malformed>") << "copy before the start";
    EXPECT_EQ(unpack({0, 0, 0, 0, 4, 0xE0, 'a', 'b'}), "<malformed>") << "literals past the input";
    EXPECT_EQ(unpack({0, 0, 0, 0, 2, 0xE0, 'a', 'b', 'c', 'd', 0xFC}), "<malformed>") << "more than announced";
    EXPECT_EQ(unpack({0, 0, 0, 0, 4, 0xE0, 'a', 'b', 'c', 'd'}), "<malformed>") << "no end command";
    EXPECT_EQ(unpack({0, 0, 0, 1, 0, 0xFC}, 64), "<malformed>") << "announces more than the frame holds";
    EXPECT_EQ(unpack({0, 0, 0}), "<malformed>");
}

TEST(KeyFrameUnpacking, PackerOutputUnpacksToItsInput) {
    Bytes repetitive, noisy;
    std::uint32_t state = 12345;
    for (int i = 0; i < 70000; ++i) {
        repetitive.push_back(static_cast<std::uint8_t>(i % 1000 < 500 ? (i * 7) % 13 : (i / 300) % 256));
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        noisy.push_back(static_cast<std::uint8_t>(state % 50)); // short matches far back, long literal runs
    }
    for (const Bytes& data : {repetitive, noisy}) {
        Bytes packed = encoder::lz77Pack(data);
        Bytes out(data.size());
        ASSERT_EQ(lz77Unpack(packed, out), static_cast<std::ptrdiff_t>(data.size()));
        EXPECT_EQ(out, data);
    }
    EXPECT_LT(encoder::lz77Pack(repetitive).size(), repetitive.size() / 4);
}

encoder::IndexedImage testIndexed(int w, int h, int shift) {
    encoder::IndexedImage image(w, h);
    for (int i = 0; i < 256; ++i) {
        image.palette[i * 3] = static_cast<std::uint8_t>(i);
        image.palette[i * 3 + 1] = static_cast<std::uint8_t>(255 - i);
        image.palette[i * 3 + 2] = static_cast<std::uint8_t>(i * 7);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.at(x, y) = static_cast<std::uint8_t>(((x + shift) / 8 + y / 8) % 2 ? (x + shift + y) % 200 : 3);
    return image;
}

void expectFrameShows(const MovieCodec& codec, const encoder::IndexedImage& image) {
    ASSERT_EQ(codec.width, image.width);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t i = image.at(x, y);
            std::uint32_t pixel = (image.palette[i * 3] >> 3) << 11 | (image.palette[i * 3 + 1] >> 2) << 5 |
                                  image.palette[i * 3 + 2] >> 3;
            ASSERT_EQ(codec.current[y * image.width + x], pixel * 0x10001u) << x << "," << y;
        }
}

TEST(PaletteFrames, KeyAndBlockFramesFromOurEncoderDecodeExactly) {
    MovieCodec codec = test::codecFor565();
    encoder::IndexedImage first = testIndexed(64, 48, 0);
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeKeyFrame(first), FrameKind::Key));
    expectFrameShows(codec, first);
    codec_swap_frames(codec);

    encoder::IndexedImage panned = testIndexed(64, 48, 3); // the scene moved 3 pixels left
    panned.at(10, 10) = 250;                               // and one pixel changed
    encoder::Motion hint{3, 0};
    Bytes following = encoder::encodeBlockFrame(first, panned, std::span(&hint, 1));
    ASSERT_TRUE(codec_decode_frame(codec, following, FrameKind::Blocks));
    expectFrameShows(codec, panned);
    EXPECT_LT(following.size(), 64u * 48 / 4);
}

// A following frame written by hand: one vector, one full block, one block of four colours.
TEST(PaletteFrames, BlockMapPicksVectorsFullBlocksAndFourColourBlocks) {
    MovieCodec codec = test::codecFor565();
    encoder::IndexedImage key = testIndexed(8, 4, 0); // two blocks side by side
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            key.at(x, y) = static_cast<std::uint8_t>(y * 8 + x);
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeKeyFrame(key), FrameKind::Key));

    Bytes frame = {1, 0, 1, 0, 1, 0, 2, 0, 0, 0, 0, 0};
    // Vector 0: dx = -4, dy = 0 as 10-bit fields (0x3FC, 0), padded to 4 bytes.
    frame.insert(frame.end(), {0xFC, 0x03, 0, 0});
    for (int i = 0; i < 16; ++i) // the full block: 100..115
        frame.push_back(static_cast<std::uint8_t>(100 + i));
    // Four colours 200-203, then sixteen 2-bit indices with the first pixel in the top bits.
    frame.insert(frame.end(), {200, 201, 202, 203, 0xE4, 0xE4, 0xE4, 0xE4});
    // Map of the two blocks, 2 bits each: block 0 the four-colour block (code 2), block 1 vector 0.
    frame.push_back(0x02);
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Blocks));
    // The word 0xE4E4E4E4 read from its top bits: indices 3, 2, 1, 0, 3, 2, 1, 0, ...
    EXPECT_EQ(codec.current8[0], 203);
    EXPECT_EQ(codec.current8[1], 202);
    EXPECT_EQ(codec.current8[2], 201);
    EXPECT_EQ(codec.current8[3], 200);
    // Block 1 is block 0 of the key frame, four pixels to the left.
    EXPECT_EQ(codec.current8[4], 0);
    EXPECT_EQ(codec.current8[8 * 3 + 7], 24 + 3);

    // Code 1 takes the full block; the vector for block 0 would reach left of the frame.
    frame.back() = 0x01 | 0x00 << 2;
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Blocks));
    EXPECT_EQ(codec.current8[0], 100);
    EXPECT_EQ(codec.current8[8 + 1], 105);
    frame.back() = 0x00;
    EXPECT_FALSE(codec_decode_frame(codec, frame, FrameKind::Blocks));
}

TEST(PaletteFrames, DamagedFollowingFramesAreRefused) {
    MovieCodec codec = test::codecFor565();
    Bytes following = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(codec_decode_frame(codec, following, FrameKind::Blocks)) << "before any key frame";

    encoder::IndexedImage key = testIndexed(8, 4, 0);
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeKeyFrame(key), FrameKind::Key));
    Bytes outside = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    outside.insert(outside.end(), {0xFF, 0xFF, 0x0F, 0}); // vector (-1, -1) leaves the frame at block 0
    outside.push_back(0);
    EXPECT_FALSE(codec_decode_frame(codec, outside, FrameKind::Blocks));
    Bytes pastCodes = {0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0};
    pastCodes.insert(pastCodes.end(), 16, 7);
    pastCodes.push_back(0x03); // code 3 with one block defined
    EXPECT_FALSE(codec_decode_frame(codec, pastCodes, FrameKind::Blocks));
    Bytes shortMap = {0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0, 0};
    shortMap.insert(shortMap.end(), 16, 7);
    EXPECT_FALSE(codec_decode_frame(codec, shortMap, FrameKind::Blocks)) << "map past the chunk's end";
}

TEST(PaletteFrames, EveryKeyFrameRebuildsAllPaletteValues) {
    MovieCodec codec = test::codecFor565();
    encoder::IndexedImage full = testIndexed(8, 4, 0);
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeKeyFrame(full), FrameKind::Key));
    encoder::IndexedImage two = full;
    two.colours = 2;
    two.palette[0] = two.palette[1] = two.palette[2] = 255;
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeKeyFrame(two), FrameKind::Key));
    EXPECT_EQ(codec.paletteValues[0], 0xFFFFFFFFu);
    // Entry 5 keeps the colour the first key frame stored: (5, 250, 35).
    EXPECT_EQ(codec.paletteValues[5], ((5u >> 3) << 11 | (250u >> 2) << 5 | 35u >> 3) * 0x10001u);
}

TEST(PaletteFrames, DamagedKeyFramesAreRefused) {
    MovieCodec codec = test::codecFor565();
    Bytes good = encoder::encodeKeyFrame(testIndexed(8, 4, 0));
    Bytes tooManyColours = good;
    tooManyColours[6] = 1;
    tooManyColours[7] = 1; // 257 colours
    EXPECT_FALSE(codec_decode_frame(codec, tooManyColours, FrameKind::Key));
    Bytes oddWidth = good;
    oddWidth[0] = 7;
    EXPECT_FALSE(codec_decode_frame(codec, oddWidth, FrameKind::Key));
    Bytes huge = good;
    huge[1] = 0x40;
    huge[2] = 16; // 16392 x 16 pixels: more than the frame buffers hold
    EXPECT_FALSE(codec_decode_frame(codec, huge, FrameKind::Key));
    Bytes cut(good.begin(), good.end() - 3);
    EXPECT_FALSE(codec_decode_frame(codec, cut, FrameKind::Key));
    EXPECT_FALSE(codec.hasKeyFrame);
}

} // namespace
} // namespace q71
