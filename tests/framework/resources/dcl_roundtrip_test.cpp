// Compression and decompression together: every input comes back, in both literal modes and all
// three dictionary sizes, whatever pieces the callbacks move.
#include "dcl_test_support.h"
#include "framework/resources/dcl.h"

#include <gtest/gtest.h>

#include <random>

namespace q71 {
namespace {

using test::explodeAll;
using test::implodeAll;

std::string randomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(random());
    return s;
}

std::string text(size_t size) {
    static const char* const kWords[] = {"cap ",     "immersion ", "vitesse ", "relèvement ", "distance ",
                                         "contact ", "torpille ",  "barre ",   "\r\n",        "1852 "};
    std::mt19937 random(7);
    std::string s;
    while (s.size() < size)
        s += kWords[random() % 10];
    s.resize(size);
    return s;
}

// Rows of 16-bit pixels: flat panels with bevels and seeded noise, as the data set's bitmaps.
std::string bitmapLike(int width, int height) {
    std::mt19937 random(11);
    std::string s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint16_t pixel = (x < 4 || y < 4) ? 0x4A69 : (x % 97 < 3 ? 0x2104 : 0x3186);
            if (random() % 16 == 0)
                pixel ^= 0x0021;
            s.push_back(static_cast<char>(pixel & 0xFF));
            s.push_back(static_cast<char>(pixel >> 8));
        }
    }
    return s;
}

// A random block repeated at a period longer than some dictionaries reach.
std::string periodic(size_t size, size_t period) {
    std::string unit = randomBytes(period, 3);
    std::string s;
    while (s.size() < size)
        s += unit;
    s.resize(size);
    return s;
}

void expectRoundTrip(const std::string& plain, const char* what) {
    for (int mode : {kDclBinary, kDclAscii}) {
        for (uint32_t dictionary : {1024u, 2048u, 4096u}) {
            auto packed = implodeAll(plain, mode, dictionary);
            ASSERT_EQ(packed.result, kDclOk);
            auto unpacked = explodeAll(packed.bytes);
            ASSERT_EQ(unpacked.result, kDclOk) << what << " mode " << mode << " dictionary " << dictionary;
            ASSERT_EQ(unpacked.bytes, plain) << what << " mode " << mode << " dictionary " << dictionary;
        }
    }
}

TEST(DclRoundTrip, SmallInputs) {
    expectRoundTrip("", "empty");
    expectRoundTrip("x", "one byte");
    expectRoundTrip("xy", "two bytes");
    expectRoundTrip("xyxyxy", "short repeat");
    expectRoundTrip(std::string(1, '\0'), "zero byte");
}

TEST(DclRoundTrip, RandomInputsAcrossBlockBoundaries) {
    for (size_t size : {4095u, 4096u, 4097u, 8191u, 8192u, 8193u, 100000u})
        expectRoundTrip(randomBytes(size, static_cast<uint32_t>(size)), "random");
}

TEST(DclRoundTrip, StructuredInputs) {
    expectRoundTrip(text(50000), "text");
    expectRoundTrip(bitmapLike(200, 120), "bitmap");
    expectRoundTrip(std::string(70000, '\0'), "zeros");
    expectRoundTrip(periodic(60000, 3000), "period 3000");
    expectRoundTrip(periodic(60000, 4096), "period 4096");
    expectRoundTrip(periodic(60000, 517), "period 517");
}

TEST(DclRoundTrip, ALongestMatchEndingOnTheLastByteReadSoFarIsNotTheEnd) {
    // Noise, then a run that the compressor takes in longest matches: for some length of the
    // noise one of them ends exactly where the input read so far ends.
    for (size_t noise = 300; noise < 460; ++noise)
        expectRoundTrip(randomBytes(noise, 3) + std::string(20000, '\0'), "noise then zeros");
}

TEST(DclRoundTrip, CallbacksMayMoveAnyPieceSize) {
    std::string plain = text(20000) + randomBytes(5000, 9) + std::string(9000, 'z');
    for (uint32_t piece : {1u, 3u, 777u, 5000u}) {
        auto packed = implodeAll(plain, kDclBinary, 2048, piece);
        ASSERT_EQ(packed.result, kDclOk);
        auto unpacked = explodeAll(packed.bytes, piece);
        EXPECT_EQ(unpacked.result, kDclOk) << piece;
        EXPECT_EQ(unpacked.bytes, plain) << piece;
    }
}

TEST(DclImplode, RefusesOtherDictionarySizesAndModes) {
    EXPECT_EQ(implodeAll("abc", kDclBinary, 512).result, kDclBadDictionary);
    EXPECT_EQ(implodeAll("abc", kDclBinary, 4097).result, kDclBadDictionary);
    EXPECT_EQ(implodeAll("abc", 2, 4096).result, kDclBadMode);
    EXPECT_TRUE(implodeAll("abc", 2, 4096).writes.empty());
}

TEST(DclImplode, FindsRepeatsAndKeepsTextSmall) {
    EXPECT_LT(implodeAll(std::string(100000, '\0'), kDclBinary, 4096).bytes.size(), 600u);
    std::string words = text(50000);
    EXPECT_LT(implodeAll(words, kDclAscii, 4096).bytes.size(), words.size() / 3);
    // Repeats 3000 bytes back are out of reach of the smallest dictionary only.
    std::string far = periodic(60000, 3000);
    EXPECT_LT(implodeAll(far, kDclBinary, 4096).bytes.size(), 8000u);
    EXPECT_GT(implodeAll(far, kDclBinary, 1024).bytes.size(), 50000u);
}

TEST(DclCodec, OutputMovesInWholeBlocks) {
    std::string plain = randomBytes(30000, 5);
    auto packed = implodeAll(plain, kDclBinary, 4096);
    ASSERT_GT(packed.writes.size(), 2u);
    for (size_t i = 0; i + 1 < packed.writes.size(); ++i)
        EXPECT_EQ(packed.writes[i], 2048u);
    auto unpacked = explodeAll(packed.bytes);
    ASSERT_EQ(unpacked.writes.size(), 8u);
    for (size_t i = 0; i + 1 < unpacked.writes.size(); ++i)
        EXPECT_EQ(unpacked.writes[i], 4096u);
    EXPECT_EQ(unpacked.writes.back(), 30000u - 7 * 4096u);
}

} // namespace
} // namespace q71
