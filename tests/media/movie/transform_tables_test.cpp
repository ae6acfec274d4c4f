#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace q71 {
namespace {

// The zig-zag scan walked diagonal by diagonal, in raster order (row * 8 + column).
std::array<int, 64> zigZagByWalking() {
    std::array<int, 64> scan{};
    int k = 0;
    for (int d = 0; d < 15; ++d)
        for (int i = 0; i <= d; ++i) {
            int row = d % 2 ? i : d - i;
            int column = d - row;
            if (row < 8 && column < 8)
                scan[k++] = row * 8 + column;
        }
    return scan;
}

TEST(TransformTables, CoefficientOrderIsTheTransposedZigZag) {
    std::array<int, 64> scan = zigZagByWalking();
    for (int k = 0; k < 64; ++k) {
        int row = scan[k] / 8, column = scan[k] % 8; // row = vertical frequency v, column = u
        EXPECT_EQ(kTransformOrder[k], column * 8 + row) << "k = " << k;
    }
}

TEST(TransformTables, PrescaleFollowsItsFormula) {
    auto f = [](int k) { return k == 0 ? 1.0 : 1.0 / (std::sqrt(2.0) * std::cos(k * M_PI / 16)); };
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(kTransformPrescale[r * 8 + c], std::lround(8192 * f(r) * f(c)));
    EXPECT_EQ(kTransformPrescale[63], 107619);
}

// The next 32 bits of a stream that starts with the code and continues with the given tail.
std::uint32_t streamStartingWith(const std::string& code, std::uint32_t tail) {
    std::uint32_t bits = 0;
    for (char c : code)
        bits = bits << 1 | (c == '1');
    int n = static_cast<int>(code.size());
    return n == 32 ? bits : bits << (32 - n) | (tail >> n);
}

TEST(TransformTables, DcSizeCodesDecodeToTheirSizes) {
    for (std::uint32_t tail : {0u, 0xFFFFFFFFu, 0x5A5A5A5Au}) {
        for (int size = 0; size < 9; ++size) {
            std::uint32_t lum = streamStartingWith(kLuminanceDcSizeCodes[size], tail);
            std::uint8_t e = kLuminanceDcSizes[lum >> 25];
            EXPECT_EQ(e >> 4, size);
            EXPECT_EQ(e & 15, static_cast<int>(std::strlen(kLuminanceDcSizeCodes[size])));
            std::uint32_t chroma = streamStartingWith(kChrominanceDcSizeCodes[size], tail);
            e = kChrominanceDcSizes[chroma >> 24];
            EXPECT_EQ(e >> 4, size);
            EXPECT_EQ(e & 15, static_cast<int>(std::strlen(kChrominanceDcSizeCodes[size])));
        }
    }
    EXPECT_EQ(kLuminanceDcSizes[127], 0); // the unused all-ones prefix reads no bits
    EXPECT_EQ(kChrominanceDcSizes[255], 0);
}

TEST(TransformTables, EveryCoefficientCodeDecodesWhateverFollows) {
    for (std::uint32_t tail : {0u, 0xFFFFFFFFu, 0x96969696u}) {
        for (const RunLevelCode& c : kCoefficientCodes) {
            CoefficientCode got = coefficientCodeAt(streamStartingWith(c.bits, tail));
            EXPECT_EQ(got.level, c.level) << c.bits;
            EXPECT_EQ(got.runPlusOne, c.run + 1) << c.bits;
            EXPECT_EQ(got.length, std::strlen(c.bits)) << c.bits;
        }
        CoefficientCode end = coefficientCodeAt(streamStartingWith(kEndOfBlockCode, tail));
        EXPECT_EQ(end.runPlusOne, kEndOfBlockRun);
        EXPECT_EQ(end.length, 2);
        CoefficientCode escape = coefficientCodeAt(streamStartingWith(kEscapeCode, tail));
        EXPECT_EQ(escape.runPlusOne, kEscapeRun);
        EXPECT_EQ(escape.length, 6);
    }
}

// Every 16-bit start of a stream decodes to a code that is a prefix of it, or, with twelve
// leading zeros, to the end of the block: the lookup groups leave no hole.
TEST(TransformTables, EveryStreamStartFindsItsPrefixCode) {
    auto codeOf = [](const CoefficientCode& e) -> std::string {
        if (e.runPlusOne == kEndOfBlockRun)
            return e.length ? kEndOfBlockCode : "";
        if (e.runPlusOne == kEscapeRun)
            return kEscapeCode;
        for (const RunLevelCode& c : kCoefficientCodes)
            if (c.run + 1 == e.runPlusOne && c.level == e.level)
                return c.bits;
        return "?";
    };
    for (std::uint32_t p = 0; p < 65536; ++p) {
        CoefficientCode e = coefficientCodeAt(p << 16);
        std::string code = codeOf(e);
        if (code.empty()) {
            EXPECT_LT(p, 16u) << "only twelve leading zeros end a block without a code";
            continue;
        }
        ASSERT_NE(code, "?");
        ASSERT_EQ(code.size(), e.length);
        for (std::size_t i = 0; i < code.size(); ++i)
            ASSERT_EQ(code[i] == '1', ((p >> (15 - i)) & 1) != 0) << "pattern " << p;
    }
}

TEST(Dequantisation, ByteCodedFramesAtQuantisers100And50And0) {
    // Finest: 8 x prescale at the top left rising to 10 x prescale at the bottom right.
    DequantisationTable fine = transformDequantisation(100);
    EXPECT_EQ(fine[0], 8192 * 8);
    EXPECT_EQ(fine[63], 107619 * 10);
    EXPECT_EQ(fine[7 * 8], 29692 * 9); // (7 + 0) * 2 / 14 = 1
    // a = 11, b = 25, step = 16: factor 19 + (r + c) * 16 / 14.
    DequantisationTable middle = transformDequantisation(50);
    EXPECT_EQ(middle[0], 8192 * 19);
    EXPECT_EQ(middle[1], 5906 * 20);
    EXPECT_EQ(middle[63], 107619 * 35);
    // a = 22, b = 50, step = 30: factor 30 + (r + c) * 30 / 14.
    DequantisationTable coarse = transformDequantisation(0);
    EXPECT_EQ(coarse[0], 8192 * 30);
    EXPECT_EQ(coarse[9], 4258 * 34);
    EXPECT_EQ(coarse[63], 107619 * 60);
}

TEST(Dequantisation, IntraFramesAtQuantisers100And50And0) {
    DequantisationTable fine = intraDequantisation(100);
    EXPECT_EQ(fine[1], 5906 * 8);
    EXPECT_EQ(fine[63], 107619 * 8);
    // m = matrix x (107 - q) / 16 x 65536, entry = m x prescale / 65536 rounded by bit 15.
    DequantisationTable middle = intraDequantisation(50);
    EXPECT_EQ(middle[1], 336642);
    EXPECT_EQ(middle[9], 242706);
    EXPECT_EQ(middle[63], 31821593);
    DequantisationTable coarse = intraDequantisation(0);
    EXPECT_EQ(coarse[1], 631942);
    EXPECT_EQ(coarse[9], 455606);
    EXPECT_EQ(coarse[63], 59735271);
    for (int q : {0, 50, 100})
        EXPECT_EQ(intraDequantisation(q)[0], 65536) << "the DC factor never depends on the quantiser";
}

} // namespace
} // namespace q71
