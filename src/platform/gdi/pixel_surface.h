#pragma once
// A view of pixels that can be drawn on: a bitmap's bits or the screen. Rows are reached
// through a pitch that is negative for bitmaps stored bottom-up, so drawing code always counts
// rows from the top. Pixels are handled in their native form (a palette index, a 16-bit value,
// or 24 or 32 bits of blue, green and red) and converted from and to COLORREF at the edges.

#include "platform/gdi/colour.h"
#include "platform/geometry/rect.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace q71 {

enum class PixelFormat { Indexed8, Rgb555, Rgb565, Bgr24, Bgrx32 };

/// Bytes one pixel of the format takes.
constexpr int pixelBytes(PixelFormat f) {
    switch (f) {
    case PixelFormat::Indexed8:
        return 1;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565:
        return 2;
    case PixelFormat::Bgr24:
        return 3;
    case PixelFormat::Bgrx32:
        return 4;
    }
    return 1;
}

/// The colour table of an 8-bit bitmap, with the nearest-entry lookup that drawing in a colour
/// needs (an exact entry always wins; among equally near ones, the first).
class IndexedPalette {
public:
    /// Replaces entries from `first` on; entries past 256 are ignored. Returns how many were set.
    int set(int first, const RgbQuad* entries, int count);
    /// The entries in use.
    const std::vector<RgbQuad>& entries() const { return entries_; }
    /// The index whose colour is nearest to c.
    std::uint8_t nearest(ColorRef c) const;
    /// The colour of an index; black past the table.
    ColorRef colour(std::uint8_t index) const {
        return index < entries_.size() ? colorFromQuad(entries_[index]) : 0;
    }

private:
    std::vector<RgbQuad> entries_;
    mutable std::unordered_map<ColorRef, std::uint8_t> cache_;
};

/// A native pixel value; never a real pixel, marks "leave the destination as it is".
constexpr std::uint32_t kTransparentPixel = 0xFFFFFFFFu;

struct PixelSurface {
    std::uint8_t* top = nullptr; ///< first byte of the top row
    std::ptrdiff_t pitch = 0;    ///< bytes from a row to the row below it
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Rgb565;
    const IndexedPalette* palette = nullptr; ///< Indexed8 only

    Rect bounds() const { return {0, 0, width, height}; }
    std::uint8_t* row(int y) const { return top + pitch * y; }

    /// The native pixel of a colour.
    std::uint32_t encode(ColorRef c) const;
    /// The colour of a native pixel.
    ColorRef decode(std::uint32_t pixel) const;
    /// The native pixel at (x, y), which must lie inside.
    std::uint32_t read(int x, int y) const;
    /// Writes a native pixel at (x, y), which must lie inside.
    void write(int x, int y, std::uint32_t pixel) const;
    /// The bits of a native pixel that carry colour (the fourth byte of 32-bit pixels stays 0).
    std::uint32_t valueMask() const;
};

} // namespace q71
