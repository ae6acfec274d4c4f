#pragma once
// A region is a set of pixels kept as disjoint rectangles in y-x bands: rectangles are sorted
// by top, then left; those of one band share top and bottom, and vertically adjacent bands with
// the same spans are merged. This canonical form makes equal regions compare equal and lets the
// drawing layer clip against the rectangles in order. The window system uses regions for visible
// and update regions and for window shapes; the drawing layer for clip regions.

#include "platform/geometry/rect.h"

#include <span>
#include <vector>

namespace q71 {

/// How a polygon decides which pixels are inside (the window system's numeric values).
enum class PolygonFillMode { Alternate = 1, Winding = 2 };

class Region {
public:
    /// The empty region.
    Region() = default;
    /// The pixels of a rectangle; left/right and top/bottom may be given in either order.
    explicit Region(const Rect& rect);

    /// The pixels of the ellipse inscribed in the rectangle (corners in either order).
    static Region ellipse(const Rect& bounds);
    /// The pixels whose centres lie inside the closed polygon, under the given fill mode.
    static Region polygon(std::span<const Point> points, PolygonFillMode mode);

    /// True when the region holds no pixel.
    bool isEmpty() const { return rects_.empty(); }
    /// The smallest rectangle holding every pixel; all zeros when empty.
    Rect boundingBox() const { return bounds_; }
    /// The disjoint rectangles of the region in band order.
    const std::vector<Rect>& rects() const { return rects_; }
    /// True when the pixel at p belongs to the region.
    bool contains(Point p) const;
    /// True when the region and the rectangle share at least one pixel.
    bool intersects(const Rect& rect) const;

    /// Pixels in either region.
    Region united(const Region& other) const;
    /// Pixels in both regions.
    Region intersected(const Region& other) const;
    /// Pixels of this region that are not in the other.
    Region subtracted(const Region& other) const;
    /// Pixels in exactly one of the regions.
    Region xored(const Region& other) const;
    /// The region moved by (dx, dy).
    Region offsetBy(int dx, int dy) const;

    friend bool operator==(const Region& a, const Region& b) { return a.rects_ == b.rects_; }

private:
    // Walks both regions band by band; `rule` says whether a pixel in a and/or b is in the result.
    static Region combine(const Region& a, const Region& b, bool (*rule)(bool inA, bool inB));
    // Appends one band of half-open spans [x0, x1), merging it into the band above when equal.
    void appendBand(int top, int bottom, const std::vector<int>& edges);
    void finish();

    std::vector<Rect> rects_;
    Rect bounds_;
};

} // namespace q71
