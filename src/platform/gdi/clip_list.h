#pragma once
// The pixels one drawing call may touch, as the sorted band rectangles of a region already
// limited to the surface. Spans are cut against the rectangles of the band that holds their row.

#include "platform/geometry/region.h"

#include <algorithm>
#include <vector>

namespace q71 {

class ClipList {
public:
    /// Clips everything away.
    ClipList() = default;
    /// The region's pixels (the caller limits it to the surface).
    explicit ClipList(const Region& region) : rects_(region.rects()), bounds_(region.boundingBox()) {}

    bool isEmpty() const { return rects_.empty(); }
    const Rect& bounds() const { return bounds_; }
    const std::vector<Rect>& rects() const { return rects_; }

    /// The same clip narrowed to a rectangle.
    ClipList clippedTo(const Rect& rect) const {
        ClipList out;
        for (const Rect& r : rects_) {
            Rect part = r.intersected(rect);
            if (!part.isEmpty()) {
                out.rects_.push_back(part);
                out.bounds_ = out.bounds_.united(part);
            }
        }
        return out;
    }

    /// True when the pixel may be drawn.
    bool contains(int x, int y) const {
        bool inside = false;
        forEachSpan(y, x, x + 1, [&](int, int) { inside = true; });
        return inside;
    }

    /// Calls f(from, to) for each piece of the span [x0, x1) of row y that may be drawn (the ends
    /// may lie anywhere: they are cut to the clip before anything else).
    template <typename F> void forEachSpan(long long y, long long left, long long right, F&& f) const {
        if (left >= right || y < bounds_.top || y >= bounds_.bottom || right <= bounds_.left ||
            left >= bounds_.right)
            return;
        int x0 = static_cast<int>(std::max<long long>(left, bounds_.left));
        int x1 = static_cast<int>(std::min<long long>(right, bounds_.right));
        if (rects_.size() == 1) {
            int a = std::max(x0, bounds_.left), b = std::min(x1, bounds_.right);
            if (a < b)
                f(a, b);
            return;
        }
        auto it =
            std::partition_point(rects_.begin(), rects_.end(), [y](const Rect& r) { return r.bottom <= y; });
        for (; it != rects_.end() && it->top <= y; ++it) {
            if (it->left >= x1)
                break;
            int a = std::max(x0, it->left), b = std::min(x1, it->right);
            if (a < b)
                f(a, b);
        }
    }

private:
    std::vector<Rect> rects_;
    Rect bounds_;
};

} // namespace q71
