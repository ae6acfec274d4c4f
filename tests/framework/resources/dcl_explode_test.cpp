// Decompression of streams built bit by bit from the published code tables, so that an error shared
// by the codec's encoder and decoder cannot hide.
#include "dcl_published_codes.h"
#include "dcl_test_support.h"
#include "framework/resources/dcl.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::BitStream;
using test::explodeAll;
using test::kPublishedDistanceCodes;
using test::kPublishedLengthCodes;
using test::kPublishedLiteralCodes;

std::string bytes(std::initializer_list<uint8_t> list) {
    return std::string(list.begin(), list.end());
}

// A binary-mode literal: flag 0, then the byte's eight bits.
BitStream& literal(BitStream& stream, uint8_t byte) {
    return stream.code("0").field(byte, 8);
}

// A match: flag 1, the length group's code and extra bits, the distance's high code and low bits.
BitStream& match(BitStream& stream, int length, int distance, int dictionaryBits) {
    static constexpr int kBase[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 40, 72, 136, 264, 520};
    static constexpr int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    int group = 0;
    while (length >= kBase[group + 1])
        ++group;
    stream.code("1").code(kPublishedLengthCodes[group]).field(length - kBase[group], kExtra[group]);
    int lowBits = length == 2 ? 2 : dictionaryBits;
    return stream.code(kPublishedDistanceCodes[(distance - 1) >> lowBits])
        .field((distance - 1) & ((1 << lowBits) - 1), lowBits);
}

TEST(DclExplode, HeaderAndEndMarkerAloneGiveNothing) {
    EXPECT_EQ(BitStream(0, 6).end().bytes(), bytes({0, 6, 0x01, 0xFF}));
    for (uint8_t mode : {0, 1}) {
        for (uint8_t dictionary : {4, 5, 6}) {
            auto out = explodeAll(bytes({mode, dictionary, 0x01, 0xFF}));
            EXPECT_EQ(out.result, kDclOk);
            EXPECT_EQ(out.bytes, "");
        }
    }
    // The four bytes may come one at a time.
    EXPECT_EQ(explodeAll(bytes({0, 4, 0x01, 0xFF}), 1).result, kDclOk);
}

TEST(DclExplode, BadHeadersAreRefusedBeforeAnyOutput) {
    BitStream body(0, 7);
    literal(body, 'x').end();
    auto out = explodeAll(body.bytes());
    EXPECT_EQ(out.result, kDclBadDictionary);
    EXPECT_TRUE(out.writes.empty());
    EXPECT_EQ(explodeAll(bytes({0, 3, 0x01, 0xFF})).result, kDclBadDictionary);
    out = explodeAll(bytes({2, 6, 0x01, 0xFF}));
    EXPECT_EQ(out.result, kDclBadMode);
    EXPECT_TRUE(out.writes.empty());
}

TEST(DclExplode, InputShorterThanTheSmallestStreamIsRefused) {
    EXPECT_EQ(explodeAll("").result, kDclShortInput);
    EXPECT_EQ(explodeAll(bytes({0})).result, kDclShortInput);
    EXPECT_EQ(explodeAll(bytes({0, 6, 0x01})).result, kDclShortInput);
    EXPECT_EQ(explodeAll(bytes({0, 6, 0x01}), 1).result, kDclShortInput);
}

TEST(DclExplode, StreamCutBeforeItsEndMarkerHandsOutWhatWasDecoded) {
    BitStream stream(0, 6);
    literal(literal(literal(stream, 'a'), 'b'), 'c');
    auto out = explodeAll(stream.bytes());
    EXPECT_EQ(out.result, kDclBrokenStream);
    EXPECT_EQ(out.bytes, "abc");

    // Cut inside the end marker.
    std::string whole = stream.end().bytes();
    out = explodeAll(whole.substr(0, whole.size() - 1));
    EXPECT_EQ(out.result, kDclBrokenStream);
    EXPECT_EQ(out.bytes, "abc");
}

TEST(DclExplode, MatchOfLength18AtDistance1RepeatsOneByte) {
    BitStream stream(0, 4);
    literal(stream, 'z');
    // Length 18 is the group 16..23 (code 00010) with extra bits 2; distance 1 is high 0, low 0.
    stream.code("1").code("00010").field(2, 3).code("11").field(0, 4).end();
    auto out = explodeAll(stream.bytes());
    EXPECT_EQ(out.result, kDclOk);
    EXPECT_EQ(out.bytes, std::string(19, 'z'));
}

TEST(DclExplode, PublishedTestVector) {
    auto out = explodeAll(bytes({0x00, 0x04, 0x82, 0x24, 0x25, 0x8F, 0x80, 0x7F}));
    EXPECT_EQ(out.result, kDclOk);
    EXPECT_EQ(out.bytes, "AIAIAIAIAIAIA");
}

TEST(DclExplode, DistanceBeforeTheFirstByteBreaksTheStream) {
    BitStream stream(0, 4);
    literal(stream, 'q');
    match(stream, 3, 2, 4).end();
    auto out = explodeAll(stream.bytes());
    EXPECT_EQ(out.result, kDclBrokenStream);
    EXPECT_EQ(out.bytes, "q");
}

TEST(DclPublishedCodes, EveryAsciiLiteralDecodes) {
    BitStream stream(1, 5);
    std::string expected;
    for (int byte = 0; byte < 256; ++byte) {
        stream.code("0").code(kPublishedLiteralCodes[byte]);
        expected.push_back(static_cast<char>(byte));
    }
    auto out = explodeAll(stream.end().bytes());
    EXPECT_EQ(out.result, kDclOk);
    EXPECT_EQ(out.bytes, expected);
}

TEST(DclPublishedCodes, EveryMatchLengthDecodes) {
    BitStream stream(0, 6);
    literal(stream, 'a');
    size_t total = 1;
    for (int length = 2; length <= 518; ++length) {
        match(stream, length, 1, 6);
        total += length;
    }
    auto out = explodeAll(stream.end().bytes());
    EXPECT_EQ(out.result, kDclOk);
    EXPECT_EQ(out.bytes, std::string(total, 'a'));
}

TEST(DclPublishedCodes, EveryDistanceDecodesInEachDictionarySize) {
    for (int dictionaryBits : {4, 5, 6}) {
        BitStream stream(0, static_cast<uint8_t>(dictionaryBits));
        std::string expected;
        for (int i = 0; i < 4096; ++i) {
            uint8_t byte = static_cast<uint8_t>(i * 7 % 251);
            literal(stream, byte);
            expected.push_back(static_cast<char>(byte));
        }
        for (int high = 0; high < 64; ++high) {
            for (int length : {2, 3}) {
                int lowBits = length == 2 ? 2 : dictionaryBits;
                int distance = (high << lowBits) + (high % (1 << lowBits)) + 1;
                match(stream, length, distance, dictionaryBits);
                for (int k = 0; k < length; ++k)
                    expected.push_back(expected[expected.size() - distance]);
            }
        }
        auto out = explodeAll(stream.end().bytes());
        EXPECT_EQ(out.result, kDclOk) << dictionaryBits;
        EXPECT_EQ(out.bytes, expected) << dictionaryBits;
    }
}

TEST(DclImplode, ChoosesThePublishedEncodingOfTheTestVector) {
    auto packed = test::implodeAll("AIAIAIAIAIAIA", kDclBinary, 1024);
    EXPECT_EQ(packed.result, kDclOk);
    EXPECT_EQ(packed.bytes, bytes({0x00, 0x04, 0x82, 0x24, 0x25, 0x8F, 0x80, 0x7F}));
}

TEST(DclImplode, WritesAsciiLiteralsWithThePublishedCodes) {
    std::string plain;
    BitStream expected(1, 6);
    for (int byte = 0; byte < 256; ++byte) {
        plain.push_back(static_cast<char>(byte));
        expected.code("0").code(kPublishedLiteralCodes[byte]);
    }
    auto packed = test::implodeAll(plain, kDclAscii, 4096);
    EXPECT_EQ(packed.result, kDclOk);
    EXPECT_EQ(packed.bytes, expected.end().bytes());
}

} // namespace
} // namespace q71
