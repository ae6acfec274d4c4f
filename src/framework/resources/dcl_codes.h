#pragma once
// The fixed prefix codes of the compression format, built at compile time from their code
// lengths. The codes are canonical: within a table, shorter codes come first and codes of one
// length follow the symbol order, each code being the complement of the usual counting code. They
// are kept as integers whose bit 0 is the first bit sent, the order in which the bit stream packs
// them (from the least significant bit of each byte upwards).

#include <array>
#include <cstdint>

namespace q71::dcl {

struct PrefixCode {
    uint16_t bits;  ///< the code, first bit sent in bit 0
    uint8_t length; ///< bits in the code
};

/// Longest code of each table.
inline constexpr int kMaxLengthCodeBits = 7;
inline constexpr int kMaxDistanceCodeBits = 8;
inline constexpr int kMaxLiteralCodeBits = 13;

/// Matches are 2 to 518 bytes long; the length 519 marks the end of the stream.
inline constexpr int kMinMatch = 2;
inline constexpr int kMaxMatch = 518;
inline constexpr int kEndOfStream = 519;

/// Length groups: base length and number of extra bits that are added to it.
inline constexpr std::array<uint16_t, 16> kLengthBase = {2,  3,  4,  5,  6,  7,  8,   9,
                                                         10, 12, 16, 24, 40, 72, 136, 264};
inline constexpr std::array<uint8_t, 16> kLengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
inline constexpr std::array<uint8_t, 16> kLengthCodeLengths = {3, 2, 3, 3, 4, 4, 4, 5,
                                                               5, 5, 5, 6, 6, 6, 7, 7};

/// Code lengths of the 64 high parts of a distance.
inline constexpr std::array<uint8_t, 64> kDistanceCodeLengths = {
    2, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};

/// Code lengths of the 256 literal bytes in ASCII mode: short codes for letters and spaces.
inline constexpr std::array<uint8_t, 256> kLiteralCodeLengths = {
    11, 12, 12, 12, 12, 12, 12, 12, 12, 8,  7,  12, 12, 7,  12, 12, //
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 13, 12, 12, 12, 12, 12, //
    4,  10, 8,  12, 10, 12, 10, 8,  7,  7,  8,  9,  7,  6,  7,  8,  //
    7,  6,  7,  7,  7,  7,  8,  7,  7,  8,  8,  12, 11, 7,  9,  11, //
    12, 6,  7,  6,  6,  5,  7,  8,  8,  6,  11, 9,  6,  7,  6,  6,  //
    7,  11, 6,  6,  6,  7,  9,  8,  9,  9,  11, 8,  11, 9,  12, 8,  //
    12, 5,  6,  6,  6,  5,  6,  6,  6,  5,  11, 7,  5,  6,  5,  5,  //
    6,  10, 5,  5,  5,  5,  8,  7,  8,  8,  10, 11, 11, 12, 12, 12, //
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, //
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, //
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, //
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, //
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, //
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, //
    13, 12, 13, 13, 13, 12, 13, 13, 13, 12, 13, 13, 13, 13, 12, 13, //
    13, 13, 12, 12, 12, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13};

/// The canonical codes for a table of code lengths given in symbol order.
template <size_t N>
constexpr std::array<PrefixCode, N> canonicalCodes(const std::array<uint8_t, N>& lengths) {
    constexpr int kMaxBits = 16;
    std::array<int, kMaxBits + 1> count{};
    for (uint8_t length : lengths)
        ++count[length];
    std::array<int, kMaxBits + 1> next{};
    int code = 0;
    for (int length = 1; length <= kMaxBits; ++length) {
        code = (code + count[length - 1]) << 1;
        next[length] = code;
    }
    std::array<PrefixCode, N> codes{};
    for (size_t symbol = 0; symbol < N; ++symbol) {
        int length = lengths[symbol];
        int counting = next[length]++;
        // Complement the counting code, then reverse it so that its first bit sits in bit 0.
        int sent = ~counting & ((1 << length) - 1);
        int reversed = 0;
        for (int i = 0; i < length; ++i)
            reversed |= ((sent >> (length - 1 - i)) & 1) << i;
        codes[symbol] = {static_cast<uint16_t>(reversed), static_cast<uint8_t>(length)};
    }
    return codes;
}

inline constexpr auto kLengthCodes = canonicalCodes(kLengthCodeLengths);
inline constexpr auto kDistanceCodes = canonicalCodes(kDistanceCodeLengths);
inline constexpr auto kLiteralCodes = canonicalCodes(kLiteralCodeLengths);

/// A decoding table: for every value of the next `Bits` bits of the stream, the symbol whose code
/// they begin with and that code's length.
template <int Bits> struct DecodeTable {
    std::array<uint8_t, 1 << Bits> symbol{};
    std::array<uint8_t, 1 << Bits> length{};
};

template <int Bits, size_t N>
constexpr DecodeTable<Bits> decodeTable(const std::array<PrefixCode, N>& codes) {
    DecodeTable<Bits> table;
    for (size_t symbol = 0; symbol < N; ++symbol) {
        const PrefixCode& code = codes[symbol];
        // Every continuation of the code's bits up to `Bits` bits decodes to the symbol.
        for (int rest = 0; rest < (1 << (Bits - code.length)); ++rest) {
            int index = code.bits | (rest << code.length);
            table.symbol[index] = static_cast<uint8_t>(symbol);
            table.length[index] = code.length;
        }
    }
    return table;
}

} // namespace q71::dcl
