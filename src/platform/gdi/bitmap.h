#pragma once
// Bitmaps that device contexts draw into: compatible bitmaps in the screen's format (RGB565,
// top-down) and DIB sections of 8 bits with a colour table, 16 bits (5-5-5 or 5-6-5), 24 or
// 32 bits, whose bits the program reaches directly in their DIB order. A bitmap lives as long
// as someone holds it; a device context holds the one selected into it.

#include "platform/gdi/dib_format.h"
#include "platform/gdi/pixel_surface.h"

#include <memory>
#include <span>
#include <vector>

namespace q71 {

class Bitmap {
public:
    /// A bitmap in the screen's format, cleared to black; null for a size outside 1..32768.
    static std::shared_ptr<Bitmap> createCompatible(int width, int height);
    /// A DIB section described by a header block, its bits zeroed; null when the header is
    /// malformed or of a kind that cannot be drawn into (1 or 4 bits, unusual masks).
    static std::shared_ptr<Bitmap> createDibSection(std::span<const std::uint8_t> info);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    PixelFormat format() const { return format_; }
    /// Bits per pixel: 8, 16, 24 or 32.
    int bitCount() const { return pixelBytes(format_) * 8; }
    /// True for a DIB section, whose bits() keep DIB order.
    bool isDibSection() const { return dibSection_; }
    /// True when the top row is stored first.
    bool isTopDown() const { return topDown_; }
    /// Bytes per stored row (a multiple of 4).
    std::size_t stride() const { return stride_; }
    /// The bits in stored order: for a bottom-up DIB section the bottom row comes first.
    std::span<std::uint8_t> bits() { return bits_; }
    std::span<const std::uint8_t> bits() const { return bits_; }

    /// The colour table of an 8-bit bitmap (empty otherwise).
    const std::vector<RgbQuad>& colorTable() const { return palette_.entries(); }
    /// Replaces colour-table entries from `first` on; returns how many were set (0 unless 8-bit).
    int setColorTable(int first, std::span<const RgbQuad> entries);

    /// The pixels as a drawing surface (callers holding a const bitmap only read through it).
    PixelSurface surface() const;

private:
    Bitmap(int width, int height, PixelFormat format, bool topDown, bool dibSection);

    int width_;
    int height_;
    PixelFormat format_;
    bool topDown_;
    bool dibSection_;
    std::size_t stride_;
    mutable std::vector<std::uint8_t> bits_;
    IndexedPalette palette_;
};

using BitmapRef = std::shared_ptr<Bitmap>;

} // namespace q71
