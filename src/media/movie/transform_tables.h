#pragma once
// Constant tables of the block-transform frames: the coefficient order, the prescale factors
// of the scaled inverse transform, the intra quantiser matrix, and the variable-length codes of
// the DC sizes and of the coefficients. The code lists are written out once here; the decoder's
// lookup tables are built from them at compile time and our encoder reads the same lists, so
// the two always agree.

#include <array>
#include <cstdint>

namespace q71 {

/// kTransformOrder[k] is the stored position (u * 8 + v) of the k-th coded coefficient; entry 0 is DC.
extern const std::array<std::uint8_t, 64> kTransformOrder;

/// Prescale of the inverse transform per stored position, in units of 1/8192.
extern const std::array<std::int32_t, 64> kTransformPrescale;

/// The intra quantiser matrix of the published coding, row after row.
extern const std::array<std::uint8_t, 64> kIntraQuantiserMatrix;

/// A code as written in the published tables: its bits, first-transmitted bit leftmost.
struct RunLevelCode {
    std::uint8_t run;
    std::uint8_t level;
    const char* bits; ///< without the sign bit that follows it
};

/// Every run/level pair with a code of its own, for coefficients after the first.
inline constexpr RunLevelCode kCoefficientCodes[] = {
    {0, 1, "11"}, {0, 2, "0100"}, {0, 3, "00101"}, {0, 4, "0000110"}, {0, 5, "00100110"},
    {0, 6, "00100001"}, {0, 7, "0000001010"}, {0, 8, "000000011101"}, {0, 9, "000000011000"},
    {0, 10, "000000010011"}, {0, 11, "000000010000"}, {0, 12, "0000000011010"}, {0, 13, "0000000011001"},
    {0, 14, "0000000011000"}, {0, 15, "0000000010111"}, {0, 16, "00000000011111"},
    {0, 17, "00000000011110"}, {0, 18, "00000000011101"}, {0, 19, "00000000011100"},
    {0, 20, "00000000011011"}, {0, 21, "00000000011010"}, {0, 22, "00000000011001"},
    {0, 23, "00000000011000"}, {0, 24, "00000000010111"}, {0, 25, "00000000010110"},
    {0, 26, "00000000010101"}, {0, 27, "00000000010100"}, {0, 28, "00000000010011"},
    {0, 29, "00000000010010"}, {0, 30, "00000000010001"}, {0, 31, "00000000010000"},
    {0, 32, "000000000011000"}, {0, 33, "000000000010111"}, {0, 34, "000000000010110"},
    {0, 35, "000000000010101"}, {0, 36, "000000000010100"}, {0, 37, "000000000010011"},
    {0, 38, "000000000010010"}, {0, 39, "000000000010001"}, {0, 40, "000000000010000"}, {1, 1, "011"},
    {1, 2, "000110"}, {1, 3, "00100101"}, {1, 4, "0000001100"}, {1, 5, "000000011011"},
    {1, 6, "0000000010110"}, {1, 7, "0000000010101"}, {1, 8, "000000000011111"}, {1, 9, "000000000011110"},
    {1, 10, "000000000011101"}, {1, 11, "000000000011100"}, {1, 12, "000000000011011"},
    {1, 13, "000000000011010"}, {1, 14, "000000000011001"}, {1, 15, "0000000000010011"},
    {1, 16, "0000000000010010"}, {1, 17, "0000000000010001"}, {1, 18, "0000000000010000"}, {2, 1, "0101"},
    {2, 2, "0000100"}, {2, 3, "0000001011"}, {2, 4, "000000010100"}, {2, 5, "0000000010100"},
    {3, 1, "00111"}, {3, 2, "00100100"}, {3, 3, "000000011100"}, {3, 4, "0000000010011"}, {4, 1, "00110"},
    {4, 2, "0000001111"}, {4, 3, "000000010010"}, {5, 1, "000111"}, {5, 2, "0000001001"},
    {5, 3, "0000000010010"}, {6, 1, "000101"}, {6, 2, "000000011110"}, {6, 3, "0000000000010100"},
    {7, 1, "000100"}, {7, 2, "000000010101"}, {8, 1, "0000111"}, {8, 2, "000000010001"}, {9, 1, "0000101"},
    {9, 2, "0000000010001"}, {10, 1, "00100111"}, {10, 2, "0000000010000"}, {11, 1, "00100011"},
    {11, 2, "0000000000011010"}, {12, 1, "00100010"}, {12, 2, "0000000000011001"}, {13, 1, "00100000"},
    {13, 2, "0000000000011000"}, {14, 1, "0000001110"}, {14, 2, "0000000000010111"}, {15, 1, "0000001101"},
    {15, 2, "0000000000010110"}, {16, 1, "0000001000"}, {16, 2, "0000000000010101"},
    {17, 1, "000000011111"}, {18, 1, "000000011010"}, {19, 1, "000000011001"}, {20, 1, "000000010111"},
    {21, 1, "000000010110"}, {22, 1, "0000000011111"}, {23, 1, "0000000011110"}, {24, 1, "0000000011101"},
    {25, 1, "0000000011100"}, {26, 1, "0000000011011"}, {27, 1, "0000000000011111"},
    {28, 1, "0000000000011110"}, {29, 1, "0000000000011101"}, {30, 1, "0000000000011100"},
    {31, 1, "0000000000011011"},
};
inline constexpr const char* kEndOfBlockCode = "10";
inline constexpr const char* kEscapeCode = "000001";

/// DC size codes for sizes 0 to 8.
inline constexpr const char* kLuminanceDcSizeCodes[9] = {"100",  "00",    "01",     "101",    "110",
                                                         "1110", "11110", "111110", "1111110"};
inline constexpr const char* kChrominanceDcSizeCodes[9] = {"00",    "01",     "10",      "110",     "1110",
                                                           "11110", "111110", "1111110", "11111110"};

/// One entry of the DC size tables: size * 16 + code length; 0 for the unused all-ones index.
/// Luminance is indexed by the next 7 bits of the stream, colour difference by the next 8.
extern const std::array<std::uint8_t, 128> kLuminanceDcSizes;
extern const std::array<std::uint8_t, 256> kChrominanceDcSizes;

/// A decoded coefficient code: its level, run + 1 (65 end of block, 66 escape) and length
/// without the sign bit.
struct CoefficientCode {
    std::uint8_t level;
    std::uint8_t runPlusOne;
    std::uint8_t length;
};

inline constexpr std::uint8_t kEndOfBlockRun = 65;
inline constexpr std::uint8_t kEscapeRun = 66;

/// The code that the 32 bits at the read position begin with (first bit in bit 31). Twelve or
/// more leading zeros read as the end of the block.
CoefficientCode coefficientCodeAt(std::uint32_t next32);

} // namespace q71
