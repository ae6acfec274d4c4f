#include "media/movie/movie_codec.h"
#include "media/movie/transform_tables.h"
#include "movie_encoder/bit_writers.h"
#include "movie_encoder/intra_frames.h"
#include "movie_encoder/transform_frames.h"
#include "movie_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace q71 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes header(int width, int height, int quantiser, std::uint8_t flags = 0) {
    return {static_cast<std::uint8_t>(width),  static_cast<std::uint8_t>(width >> 8),
            static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8),
            static_cast<std::uint8_t>(quantiser), 0, 0, flags};
}

Bytes withMacroblocks(Bytes frame, std::initializer_list<Bytes> macroblocks) {
    for (const Bytes& m : macroblocks) {
        frame.push_back(static_cast<std::uint8_t>(m.size()));
        frame.insert(frame.end(), m.begin(), m.end());
    }
    return frame;
}

std::uint32_t tableColour(const MovieCodec& codec, int y, int cb, int cr) {
    return codec.luminance[y & 127] + codec.blueDifference[cb & 127] + codec.redDifference[cr & 127];
}

TEST(ByteCodedFrames, FlatMacroblocksUseTheirLevels) {
    MovieCodec codec = test::codecFor565();
    // Quantiser 100: DC factor 65536, so a level shows its half: 20 -> table level 10.
    Bytes flat = withMacroblocks(header(32, 16, 100), {{20, 6, 252}, {2, 4, 6, 8, 10, 12}});
    ASSERT_TRUE(codec_decode_frame(codec, flat, FrameKind::Transform));
    EXPECT_EQ(codec.current[0], tableColour(codec, 10, 3, -2));
    EXPECT_EQ(codec.current[15 * 32 + 15], tableColour(codec, 10, 3, -2));
    // Four luminance levels, left to right and top to bottom, then the two colour differences.
    EXPECT_EQ(codec.current[16], tableColour(codec, 1, 5, 6));
    EXPECT_EQ(codec.current[24], tableColour(codec, 2, 5, 6));
    EXPECT_EQ(codec.current[8 * 32 + 16], tableColour(codec, 3, 5, 6));
    EXPECT_EQ(codec.current[15 * 32 + 31], tableColour(codec, 4, 5, 6));

    // Twelve bytes: the levels from every second byte.
    Bytes twelve = withMacroblocks(header(16, 16, 100), {{2, 99, 4, 99, 6, 99, 8, 99, 10, 99, 12, 99}});
    ASSERT_TRUE(codec_decode_frame(codec, twelve, FrameKind::Transform));
    EXPECT_EQ(codec.current[0], tableColour(codec, 1, 5, 6));
    EXPECT_EQ(codec.current[15 * 16 + 15], tableColour(codec, 4, 5, 6));
}

TEST(ByteCodedFrames, OtherShortLengthsLeaveTheirPixels) {
    MovieCodec codec = test::codecFor565();
    for (int length : {0, 2, 4, 5, 7, 8, 9, 10, 11}) {
        std::fill(codec.current.begin(), codec.current.end(), 0xABCDu);
        Bytes frame = withMacroblocks(header(16, 16, 100), {Bytes(static_cast<std::size_t>(length), 7)});
        ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Transform)) << length;
        EXPECT_EQ(codec.current[0], 0xABCDu) << length;
        EXPECT_EQ(codec.current[255], 0xABCDu) << length;
    }
}

TEST(ByteCodedFrames, MotionCopiesShiftedMacroblocksOfThePreviousFrame) {
    MovieCodec codec = test::codecFor565();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            codec.previous[y * 32 + x] = static_cast<std::uint32_t>(x + 1000 * y);
    // Macroblock (1, 1) with dx = 3, dy = 2 copies from (16 - 3, 16 - 2).
    Bytes frame = withMacroblocks(header(32, 32, 100), {{0, 0}, {0, 0}, {0, 0}, {0x32}});
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Transform));
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            ASSERT_EQ(codec.current[(16 + r) * 32 + 16 + c], static_cast<std::uint32_t>(13 + c + 1000 * (14 + r)));
    // dx = -8 (high nibble 8) and dy = -1 (low nibble F) from macroblock (0, 0) copy (8, 1).
    frame = withMacroblocks(header(32, 32, 100), {{0x8F}, {0, 0}, {0, 0}, {0, 0}});
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Transform));
    EXPECT_EQ(codec.current[0], 8u + 1000);
    // dx = 1 from macroblock (0, 0) would read left of the frame: refused.
    frame = withMacroblocks(header(32, 32, 100), {{0x10}, {0, 0}, {0, 0}, {0, 0}});
    EXPECT_FALSE(codec_decode_frame(codec, frame, FrameKind::Transform));
}

// A transform-coded macroblock whose six blocks are written by `block` (DC then 63 positions).
Bytes codedMacroblock(const std::function<void(encoder::LowBitWriter&)>& block) {
    encoder::LowBitWriter bits;
    for (int b = 0; b < 6; ++b)
        block(bits);
    Bytes bytes = bits.bytes();
    bytes.resize(std::max<std::size_t>(bytes.size(), 13), 0);
    return bytes;
}

void zeros(encoder::LowBitWriter& bits, int n) { // "1, 0" and six bits of count
    bits.put(1, 1);
    bits.put(0, 1);
    bits.put(static_cast<std::uint32_t>(n), 6);
}

std::vector<std::uint32_t> decodeMacroblock(const Bytes& macroblock, int quantiser = 100) {
    MovieCodec codec = test::codecFor565();
    Bytes frame = withMacroblocks(header(16, 16, quantiser), {macroblock});
    EXPECT_TRUE(codec_decode_frame(codec, frame, FrameKind::Transform));
    return {codec.current.begin(), codec.current.begin() + 256};
}

TEST(ByteCodedFrames, DcOnlyBlocksShowTheirLevelThroughTheTables) {
    std::vector<std::uint32_t> pixels = decodeMacroblock(codedMacroblock([](encoder::LowBitWriter& bits) {
        bits.put(20, 8); // DC 20 x 65536: the sample 20, table level 10
        zeros(bits, 63);
    }));
    MovieCodec codec = test::codecFor565();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        ASSERT_EQ(pixels[i], tableColour(codec, 10, 10, 10)) << i;
}

TEST(ByteCodedFrames, EquivalentCodesGiveTheSamePicture) {
    auto withAc = [](const std::function<void(encoder::LowBitWriter&)>& ac, int zerosAfter) {
        return decodeMacroblock(codedMacroblock([&](encoder::LowBitWriter& bits) {
            bits.put(static_cast<std::uint32_t>(-30) & 0xFF, 8);
            ac(bits);
            zeros(bits, zerosAfter);
        }));
    };
    // A zero, then +1 at the third position, by the short codes; and by a 6-bit level field.
    auto shortCodes = withAc(
        [](encoder::LowBitWriter& b) {
            b.put(0, 1), b.put(0, 1), b.put(1, 1); // two zeros
            b.put(0, 1), b.put(1, 1), b.put(0, 1); // +1
        },
        60);
    auto longCodes = withAc(
        [](encoder::LowBitWriter& b) {
            zeros(b, 0); // a run of 0 takes 8 bits and fills nothing
            zeros(b, 2);
            b.put(1, 1), b.put(1, 1), b.put(1, 6); // level field +1
        },
        60);
    EXPECT_EQ(shortCodes, longCodes);
    // -1 cannot be a level field (all ones is the escape): the sign code and the escaped byte agree.
    auto signCode = withAc([](encoder::LowBitWriter& b) { b.put(0, 1), b.put(1, 1), b.put(1, 1); }, 62);
    auto escaped = withAc(
        [](encoder::LowBitWriter& b) {
            b.put(1, 1), b.put(1, 1), b.put(63, 6);
            b.put(0xFF, 8);
        },
        62);
    EXPECT_EQ(signCode, escaped);
    EXPECT_NE(signCode, shortCodes);
    // An escaped level within the field's range equals the field.
    auto field = withAc([](encoder::LowBitWriter& b) { b.put(1, 1), b.put(1, 1), b.put(25, 6); }, 62);
    auto escapedField = withAc(
        [](encoder::LowBitWriter& b) {
            b.put(1, 1), b.put(1, 1), b.put(63, 6);
            b.put(25, 8);
        },
        62);
    EXPECT_EQ(field, escapedField);
}

TEST(ByteCodedFrames, DamagedFramesAreRefused) {
    MovieCodec codec = test::codecFor565();
    Bytes cut = codedMacroblock([](encoder::LowBitWriter& bits) {
        bits.put(20, 8);
        zeros(bits, 63);
    });
    cut.resize(13); // six blocks need 96 bits; the codes run out, not past the chunk
    Bytes frame = withMacroblocks(header(16, 16, 100), {Bytes(13, 0xFF)});
    EXPECT_FALSE(codec_decode_frame(codec, frame, FrameKind::Transform)) << "codes past the macroblock";
    Bytes lengthPastEnd = header(16, 16, 100);
    lengthPastEnd.push_back(200);
    EXPECT_FALSE(codec_decode_frame(codec, lengthPastEnd, FrameKind::Transform));
    EXPECT_FALSE(codec_decode_frame(codec, header(16, 16, 100), FrameKind::Transform)) << "no macroblocks";
    EXPECT_FALSE(codec_decode_frame(codec, withMacroblocks(header(24, 16, 100), {{5}, {5}}), FrameKind::Transform));
    EXPECT_FALSE(codec_decode_frame(codec, withMacroblocks(header(16, 16, 101), {{5}}), FrameKind::Transform));
    EXPECT_FALSE(codec_decode_frame(codec, withMacroblocks(header(-16, 16, 100), {{5}}), FrameKind::Transform));
    EXPECT_FALSE(codec_decode_frame(codec, header(640, 512, 100), FrameKind::Transform)) << "larger than the buffers";
    EXPECT_FALSE(codec_decode_frame(codec, Bytes{16, 0, 16}, FrameKind::Transform));
}

TEST(ByteCodedFrames, OurEncoderRoundTripsMovingPictures) {
    encoder::TransformFrameEncoder encoder;
    MovieCodec codec = test::codecFor565();
    std::size_t firstSize = 0;
    for (int frame = 0; frame < 3; ++frame) {
        encoder::RgbImage picture = test::testPicture(96, 64, frame);
        encoder::Motion none;
        Bytes payload = encoder.encode(picture, std::span(&none, 1));
        ASSERT_TRUE(codec_decode_frame(codec, payload, FrameKind::Transform));
        EXPECT_GT(test::framePsnr(codec, picture, 10), 30.0) << "frame " << frame;
        if (frame == 0)
            firstSize = payload.size();
        else
            EXPECT_LT(payload.size(), firstSize / 2) << "unchanged macroblocks are copied";
        codec_swap_frames(codec);
    }
}

// An intra frame of one macroblock per block description: DC size code, difference bits, the
// coefficient codes, end of block.
struct IntraBlock {
    int dcDifference;
    std::function<void(encoder::WordBitWriter&)> coefficients;
};

void putDc(encoder::WordBitWriter& bits, int difference, bool luminance) {
    int size = 0;
    while ((1 << size) <= std::abs(difference))
        ++size;
    bits.putCode(luminance ? kLuminanceDcSizeCodes[size] : kChrominanceDcSizeCodes[size]);
    if (size)
        bits.put(static_cast<std::uint32_t>(difference > 0 ? difference : difference + (1 << size) - 1), size);
}

Bytes intraFrame(int macroblocks, bool studio, const std::vector<IntraBlock>& blocks) {
    encoder::WordBitWriter bits;
    for (int m = 0; m < macroblocks; ++m)
        for (int b = 0; b < 6; ++b) {
            const IntraBlock& block = blocks[static_cast<std::size_t>((m * 6 + b) % blocks.size())];
            putDc(bits, block.dcDifference, b < 4);
            if (block.coefficients)
                block.coefficients(bits);
            bits.putCode(kEndOfBlockCode);
        }
    Bytes frame = header(16 * macroblocks, 16, 100, studio ? 2 : 0);
    Bytes words = bits.finish();
    frame.insert(frame.end(), words.begin(), words.end());
    return frame;
}

TEST(IntraFrames, StudioRangeBlackAndWhite) {
    MovieCodec codec = test::codecFor565();
    // Luminance 16, both colour differences 128: black. The first difference is the absolute level.
    Bytes black = intraFrame(1, true, {{16, {}}, {0, {}}, {0, {}}, {0, {}}, {128, {}}, {128, {}}});
    ASSERT_TRUE(codec_decode_frame(codec, black, FrameKind::Intra));
    EXPECT_TRUE(codec.studioRange);
    EXPECT_EQ(codec.current[0], 0u);
    EXPECT_EQ(codec.current[255], 0u);
    Bytes white = intraFrame(1, true, {{235, {}}, {0, {}}, {0, {}}, {0, {}}, {128, {}}, {128, {}}});
    ASSERT_TRUE(codec_decode_frame(codec, white, FrameKind::Intra));
    EXPECT_EQ(codec.current[100], 0xFFFFFFFFu);
}

TEST(IntraFrames, PredictorsRunAcrossMacroblocksAndRestartEachFrame) {
    MovieCodec codec = test::codecFor565();
    // Three macroblocks: the later ones send differences of 0 and so keep the first one's colour.
    std::vector<IntraBlock> blocks = {{100, {}}, {0, {}}, {0, {}}, {0, {}}, {150, {}}, {90, {}}};
    Bytes frame = intraFrame(1, true, blocks);
    for (int i = 0; i < 6; ++i)
        blocks.push_back({0, {}});
    for (int i = 0; i < 6; ++i)
        blocks.push_back({0, {}});
    frame = intraFrame(3, true, blocks);
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Intra));
    std::uint32_t first = codec.current[0];
    EXPECT_EQ(codec.current[47], first);
    EXPECT_NE(first, 0u);
    ASSERT_TRUE(codec_decode_frame(codec, frame, FrameKind::Intra));
    EXPECT_EQ(codec.current[0], first) << "the predictors start again at 0";
}

TEST(IntraFrames, EscapedLevelsEqualTheirCodes) {
    auto decode = [](const std::function<void(encoder::WordBitWriter&)>& coefficient) {
        MovieCodec codec = test::codecFor565();
        Bytes frame = intraFrame(1, false, {{-20, coefficient}, {0, {}}, {0, {}}, {0, {}}, {0, {}}, {0, {}}});
        EXPECT_TRUE(codec_decode_frame(codec, frame, FrameKind::Intra));
        return std::vector<std::uint32_t>(codec.current.begin(), codec.current.begin() + 256);
    };
    auto code = [](int run, int level, bool negative) {
        return [=](encoder::WordBitWriter& bits) {
            for (const RunLevelCode& c : kCoefficientCodes)
                if (c.run == run && c.level == level)
                    bits.putCode(c.bits);
            bits.put(negative, 1);
        };
    };
    auto escape = [](int run, std::initializer_list<int> levelBytes) {
        return [=](encoder::WordBitWriter& bits) {
            bits.putCode(kEscapeCode);
            bits.put(static_cast<std::uint32_t>(run), 6);
            for (int b : levelBytes)
                bits.put(static_cast<std::uint32_t>(b), 8);
        };
    };
    auto plus3 = decode(code(1, 3, false));
    EXPECT_EQ(decode(escape(1, {3})), plus3) << "a plain signed byte";
    EXPECT_EQ(decode(escape(1, {0, 3})), plus3) << "0 then the level";
    auto minus3 = decode(code(1, 3, true));
    EXPECT_EQ(decode(escape(1, {253})), minus3);
    EXPECT_EQ(decode(escape(1, {128, 253})), minus3) << "128 then the level + 256";
    EXPECT_NE(plus3, minus3);
    // A run past the 63rd position ends the block without writing outside it.
    auto pastEnd = decode(escape(63, {5}));
    EXPECT_EQ(pastEnd, decode({}));
}

TEST(IntraFrames, DamagedFramesAreRefused) {
    MovieCodec codec = test::codecFor565();
    Bytes frame = intraFrame(2, true, {{16, {}}, {0, {}}, {0, {}}, {0, {}}, {128, {}}, {128, {}}});
    Bytes cut(frame.begin(), frame.begin() + 10);
    EXPECT_FALSE(codec_decode_frame(codec, cut, FrameKind::Intra));
    EXPECT_FALSE(codec_decode_frame(codec, header(16, 8, 100, 2), FrameKind::Intra));
}

TEST(IntraFrames, OurEncoderRoundTripsBothColourForms) {
    encoder::RgbImage picture = test::testPicture(64, 48);
    MovieCodec codec = test::codecFor565();
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeIntraFrame(picture, {80, true, 0}), FrameKind::Intra));
    EXPECT_GT(test::framePsnr(codec, picture, 0), 30.0);
    ASSERT_TRUE(codec_decode_frame(codec, encoder::encodeIntraFrame(picture, {80, false, 10}), FrameKind::Intra));
    EXPECT_FALSE(codec.studioRange);
    EXPECT_GT(test::framePsnr(codec, picture, 10), 30.0);
}

} // namespace
} // namespace q71
