#pragma once
// The layout of device-independent bitmaps: the info header block (a header of 12, 40, 108 or
// 124 bytes followed by the colour table or the three bit-field masks) and rows of bits padded
// to 4 bytes, stored bottom-up when the height is positive and top-down when it is negative.
// dibParseInfo checks a header block against the bytes it came in, so that nothing downstream
// reads past them.

#include "platform/gdi/colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace q71 {

/// Compression codes of the info header.
constexpr std::uint32_t kDibCompressionRgb = 0;
constexpr std::uint32_t kDibCompressionBitfields = 3;
/// Colour-use codes of the DIB calls: the colour table holds RGB values or palette indices.
constexpr unsigned kDibRgbColors = 0;
constexpr unsigned kDibPalColors = 1;

/// The 40-byte info header, field for field in its stored order.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kDibCompressionRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

/// What a checked header block says about the pixels it describes.
struct DibFormat {
    int width = 0;
    int height = 0; ///< always positive
    bool topDown = false;
    int bitCount = 0;
    std::size_t stride = 0; ///< bytes per stored row
    /// Channel masks of 16- and 32-bit pixels.
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    /// Colour table of 1-, 4- and 8-bit pixels; indices at or past paletteSize show black.
    std::array<RgbQuad, 256> palette{};
    int paletteSize = 0;

    /// Bytes that `height` stored rows take.
    std::size_t imageSize() const { return stride * static_cast<std::size_t>(height); }
};

/// Largest width or height accepted, which keeps every size computation far from overflow.
constexpr int kDibMaxDimension = 32768;
/// Largest number of pixels of one bitmap (4096 by 4096): a header from a file cannot make the
/// program take gigabytes for one picture.
constexpr std::int64_t kDibMaxPixels = std::int64_t{1} << 24;

/// True for sizes a bitmap may have.
constexpr bool dibSizeAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kDibMaxDimension && height <= kDibMaxDimension &&
           width * height <= kDibMaxPixels;
}

/// Bytes per stored row of a DIB of this width and depth (padded to 4 bytes).
constexpr std::size_t dibStride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

/// Checks and reads a header block; nullopt when it is short, malformed or of an unsupported kind
/// (compressed bits, palette indices instead of colours, masks that are not contiguous).
std::optional<DibFormat> dibParseInfo(std::span<const std::uint8_t> info, unsigned colorUse = kDibRgbColors);

/// What dibMakeInfo builds: a negative height is a top-down DIB; masks all zero mean plain
/// RGB pixels, otherwise bit fields (16 and 32 bits only).
struct DibSpec {
    int width = 0;
    int height = 0;
    int bitCount = 8;
    std::span<const RgbQuad> palette = {};
    std::array<std::uint32_t, 3> masks{}; ///< red, green, blue
};

/// A header block (40-byte header, then the colour table or the masks) for a DIB of this kind.
std::vector<std::uint8_t> dibMakeInfo(const DibSpec& spec);

} // namespace q71
