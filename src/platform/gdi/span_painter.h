#pragma once
// The lowest level of drawing: filling clipped runs of one row with a colour or a repeated
// pattern, combined with what is there by a binary raster operation. Every primitive ends here.

#include "platform/gdi/clip_list.h"
#include "platform/gdi/pixel_surface.h"

#include <cstdint>
#include <vector>

namespace q71 {

/// Binary raster operations (how a pen or brush pixel P meets the destination D).
enum Rop2 : int {
    kRop2Black = 1,
    kRop2NotMergePen = 2,
    kRop2MaskNotPen = 3,
    kRop2NotCopyPen = 4,
    kRop2MaskPenNot = 5,
    kRop2Not = 6,
    kRop2XorPen = 7,
    kRop2NotMaskPen = 8,
    kRop2MaskPen = 9,
    kRop2NotXorPen = 10,
    kRop2Nop = 11,
    kRop2MergeNotPen = 12,
    kRop2CopyPen = 13,
    kRop2MergePenNot = 14,
    kRop2MergePen = 15,
    kRop2White = 16,
};

/// The result of a binary raster operation on native pixel values, limited to `mask`.
std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t destination, std::uint32_t mask);

/// What a run is filled with: one native pixel, or a pattern of native pixels (kTransparentPixel
/// entries leave the destination alone) repeated from an origin in surface coordinates.
struct FillSource {
    std::uint32_t solid = 0;
    const std::vector<std::uint32_t>* pattern = nullptr;
    int patternWidth = 0;
    int patternHeight = 0;
    Point patternOrigin;
    int rop2 = kRop2CopyPen;
};

class SpanPainter {
public:
    /// Paints into the surface through the clip; coordinates given to it are moved by `offset`.
    SpanPainter(const PixelSurface& surface, const ClipList& clip, Point offset)
        : surface_(surface), clip_(clip), offset_(offset) {}

    /// Fills [x0, x1) of row y.
    void fill(int y, int x0, int x1, const FillSource& source) const;
    /// Fills the rows of a rectangle (only those the clip lets through are visited).
    void fillRect(const Rect& rect, const FillSource& source) const;
    /// The clip's bounding box in the coordinates given to the painter.
    Rect reach() const { return clip_.bounds().offsetBy(-offset_.x, -offset_.y); }
    /// Paints one pixel.
    void pixel(int x, int y, const FillSource& source) const { fill(y, x, x + 1, source); }

    const PixelSurface& surface() const { return surface_; }
    const ClipList& clip() const { return clip_; }
    Point offset() const { return offset_; }

private:
    void fillClipped(int y, int x0, int x1, const FillSource& source) const;

    const PixelSurface& surface_;
    const ClipList& clip_;
    Point offset_;
};

} // namespace q71
