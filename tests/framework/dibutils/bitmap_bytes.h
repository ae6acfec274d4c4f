#pragma once
// Bitmap files built byte by byte for the tests: any header form, colour table and pixel rows.

#include <cstdint>
#include <string>

namespace q71::test {

struct BitmapShape {
    uint32_t headerSize = 40; ///< 12 (core), 40 or 108
    int32_t width = 4;
    int32_t height = 2; ///< negative: rows stored top-down
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    uint32_t colors = 0; ///< colour-table entries written (RGBQUAD, or RGBTRIPLE after a core header)
    uint32_t masks[3] = {0x7C00, 0x03E0,
                         0x001F}; ///< after a 40-byte header with compression 3, or inside a 108-byte one
};

/// Bytes of one pixel row of a bitmap of that shape, padded to 4.
uint32_t rowBytes(const BitmapShape& shape);
/// The colour-table entry i as written: blue i, green 2i, red 3i (mod 256).
uint32_t tableEntry(uint32_t i);
/// A bitmap file of that shape whose pixel bytes count up from `firstPixel`.
std::string bitmapFile(const BitmapShape& shape, uint8_t firstPixel = 0);
/// Offset of the pixel rows in bitmapFile's result.
uint32_t bitsOffset(const BitmapShape& shape);

} // namespace q71::test
