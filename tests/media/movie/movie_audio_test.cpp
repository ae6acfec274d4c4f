#include "media/movie/movie_audio_decode.h"
#include "movie_encoder/audio_encoders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes blockChunk(int left1, int left2, int right1, int right2, std::initializer_list<std::uint8_t> block) {
    Bytes chunk = {0, 0, 0, 0};
    for (int v : {left1, left2, right1, right2}) {
        chunk.push_back(static_cast<std::uint8_t>(v));
        chunk.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    chunk.insert(chunk.end(), block);
    chunk.resize(kXaHeaderSize + kXaBlockSize, 0);
    return chunk;
}

TEST(MovieSoundBlocks, HandWorkedBlock) {
    // Left: filter 1 (240, 0), shift 12; right: filter 0, shift 8.
    Bytes chunk = blockChunk(100, 50, 0, 0, {0x10, 0xC8, 0x3F, 0x80});
    std::vector<std::int16_t> out;
    ASSERT_TRUE(adpcmDecodeBlocks(chunk, out));
    ASSERT_EQ(out.size(), 56u);
    // (3 << 28 >> 20) + 100 * 240 + 128 = 24896 -> 97; (-1 << 28 >> 16) + 128 = -3968 -> -16.
    EXPECT_EQ(out[0], 97);
    EXPECT_EQ(out[1], -16);
    // (-8 << 28 >> 20) + 97 * 240 + 128 = 21360 -> 83; right: 0 + 128 -> 0.
    EXPECT_EQ(out[2], 83);
    EXPECT_EQ(out[3], 0);
}

TEST(MovieSoundBlocks, SecondFilterUsesBothPreviousSamples) {
    // Filter 2 (460, -208) on the left with nibble 0: (1000 * 460 - 800 * 208 + 128) >> 8 = 1147.
    Bytes chunk = blockChunk(1000, 800, 0, 0, {0x20, 0x00, 0x00});
    std::vector<std::int16_t> out;
    ASSERT_TRUE(adpcmDecodeBlocks(chunk, out));
    EXPECT_EQ(out[0], 1147);
    // Next: (1147 * 460 - 1000 * 208 + 128) >> 8 = 1249.
    EXPECT_EQ(out[2], 1249);
}

TEST(MovieSoundBlocks, DamagedChunksStayInBounds) {
    std::vector<std::int16_t> out;
    EXPECT_FALSE(adpcmDecodeBlocks(Bytes(11, 0), out));
    Bytes chunk = blockChunk(32000, 32000, 0, 0, {0xF1, 0x00, 0x77, 0x77});
    chunk.resize(chunk.size() + 17, 0x77); // a partial block at the end is not decoded
    ASSERT_TRUE(adpcmDecodeBlocks(chunk, out));
    EXPECT_EQ(out.size(), 56u);
    // A filter index past the table predicts nothing: (7 << 28 >> 8) + 128 >> 8 = 28672.
    EXPECT_EQ(out[0], 28672);
    // Right filter 1 from 0: nibble 7 with shift 0 gives 7 << 12 = 28672; the next one,
    // 28672 + 28672 * 240 / 256, clamps.
    EXPECT_EQ(out[1], 28672);
    EXPECT_EQ(out[3], 32767);
}

TEST(MovieSoundSteps, HandWorkedCodes) {
    ImaChannel left, right;
    std::vector<std::int16_t> out;
    adpcmDecodeSteps(Bytes{0x7B, 0xB0}, left, right, out);
    // Left 7 from step 7: 0 + 1 + 3 + 7 = 11, index 8. Right 0xB: -(0 + 1 + 3) = -4, index 0.
    EXPECT_EQ(out[0], 11);
    EXPECT_EQ(out[1], -4);
    // Left 0xB from step 16: -(2 + 4 + 8) = 11 - 14 = -3. Right 0 from step 7: -4 + 0 = -4.
    EXPECT_EQ(out[2], -3);
    EXPECT_EQ(out[3], -4);
    EXPECT_EQ(left.stepIndex, 7);
    EXPECT_EQ(right.stepIndex, 0);
}

TEST(MovieSoundSteps, StateCarriesAcrossChunksAndClamps) {
    ImaChannel left, right;
    std::vector<std::int16_t> out;
    for (int i = 0; i < 40; ++i)
        adpcmDecodeSteps(Bytes{0x77}, left, right, out);
    EXPECT_EQ(left.stepIndex, 88);
    EXPECT_EQ(out.back(), 32767);
}

std::vector<std::int16_t> tone(int pairs) {
    std::vector<std::int16_t> pcm;
    for (int i = 0; i < pairs; ++i) {
        double t = i / 22050.0;
        pcm.push_back(static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * t)));
        pcm.push_back(static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 660 * t) + 3000 * std::sin(2 * M_PI * 90 * t)));
    }
    return pcm;
}

double snr(const std::vector<std::int16_t>& want, const std::vector<std::int16_t>& got) {
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        signal += double(want[i]) * want[i];
        noise += double(want[i] - got[i]) * (want[i] - got[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST(MovieSoundEncoders, BothFormsRoundTripAcrossChunks) {
    std::vector<std::int16_t> pcm = tone(1470 * 4);
    encoder::BlockAdpcmEncoder blocks;
    encoder::StepAdpcmEncoder steps;
    std::vector<std::int16_t> fromBlocks, fromSteps;
    ImaChannel left, right;
    for (int chunk = 0; chunk < 4; ++chunk) {
        std::span<const std::int16_t> part(pcm.data() + chunk * 1470 * 2, 1470 * 2);
        ASSERT_TRUE(adpcmDecodeBlocks(blocks.encodeChunk(part), fromBlocks));
        fromBlocks.resize((chunk + 1) * 1470 * 2); // the last block of a chunk is padded
        adpcmDecodeSteps(steps.encodeChunk(part), left, right, fromSteps);
    }
    EXPECT_GT(snr(pcm, fromBlocks), 30.0);
    EXPECT_GT(snr(pcm, fromSteps), 20.0);
}

} // namespace
} // namespace q71
