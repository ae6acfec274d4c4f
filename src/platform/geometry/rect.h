#pragma once
// Points and rectangles in the window system's convention: a rectangle holds the pixels from
// (left, top) up to but not including (right, bottom), so width = right - left.

#include <algorithm>

namespace q71 {

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    /// Width in pixels (right - left).
    constexpr int width() const { return right - left; }
    /// Height in pixels (bottom - top).
    constexpr int height() const { return bottom - top; }
    /// True when the rectangle holds no pixel (right <= left or bottom <= top).
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    /// True when the pixel at p lies inside (left and top inclusive, right and bottom exclusive).
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    /// True when the rectangles share at least one pixel.
    constexpr bool intersects(const Rect& o) const { return !intersected(o).isEmpty(); }

    /// The common part; an empty result is normalised to all zeros.
    constexpr Rect intersected(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.isEmpty() ? Rect{} : r;
    }
    /// The smallest rectangle holding both; an empty operand is ignored.
    constexpr Rect united(const Rect& o) const {
        if (isEmpty())
            return o.isEmpty() ? Rect{} : o;
        if (o.isEmpty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    /// The rectangle moved by (dx, dy).
    constexpr Rect offsetBy(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    /// The rectangle grown by dx on the left and right and dy on the top and bottom (negative shrinks).
    constexpr Rect inflatedBy(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    /// The same pixels with left <= right and top <= bottom.
    constexpr Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace q71
