#include "platform/geometry/region.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

// Collects the x edges of the band of `rects` that covers row y, starting the search at `index`
// (advanced past bands wholly above y, so a top-to-bottom walk costs one pass).
void spansAtRow(const std::vector<Rect>& rects, size_t& index, int y, std::vector<int>& edges) {
    edges.clear();
    while (index < rects.size() && rects[index].bottom <= y)
        ++index;
    for (size_t i = index; i < rects.size() && rects[i].top <= y && rects[i].top == rects[index].top; ++i) {
        edges.push_back(rects[i].left);
        edges.push_back(rects[i].right);
    }
}

// Sweeps two sorted edge lists and keeps the x positions where the combined inside-ness changes.
void combineSpans(const std::vector<int>& a, const std::vector<int>& b, bool (*rule)(bool, bool),
                  std::vector<int>& out) {
    out.clear();
    size_t i = 0, j = 0;
    bool inA = false, inB = false, inside = false;
    while (i < a.size() || j < b.size()) {
        int x = std::min(i < a.size() ? a[i] : b[j], j < b.size() ? b[j] : a[i]);
        for (; i < a.size() && a[i] == x; ++i)
            inA = !inA;
        for (; j < b.size() && b[j] == x; ++j)
            inB = !inB;
        bool now = rule(inA, inB);
        if (now != inside) {
            out.push_back(x);
            inside = now;
        }
    }
}

// Pixels whose centres lie in [from, to) along one row.
void addCentredSpan(double from, double to, std::vector<int>& edges) {
    edges.push_back(static_cast<int>(std::ceil(from - 0.5)));
    edges.push_back(static_cast<int>(std::ceil(to - 0.5)));
}

} // namespace

Region::Region(const Rect& rect) {
    Rect r = rect.normalized();
    if (!r.isEmpty())
        rects_.push_back(r);
    bounds_ = rects_.empty() ? Rect{} : r;
}

Region Region::ellipse(const Rect& bounds) {
    Rect r = bounds.normalized();
    Region out;
    if (r.isEmpty())
        return out;
    double rx = r.width() / 2.0, ry = r.height() / 2.0, cy = r.top + ry;
    std::vector<int> edges(2);
    for (int y = r.top; y < r.bottom; ++y) {
        double dy = (y + 0.5 - cy) / ry;
        double t = 1.0 - dy * dy;
        if (t <= 0.0)
            continue;
        // The same inset on both sides keeps the shape symmetric about its centre.
        int inset = static_cast<int>(std::floor(rx - rx * std::sqrt(t) + 0.5));
        edges[0] = r.left + inset;
        edges[1] = r.right - inset;
        out.appendBand(y, y + 1, edges);
    }
    out.finish();
    return out;
}

Region Region::polygon(std::span<const Point> points, PolygonFillMode mode) {
    Region out;
    if (points.size() < 3)
        return out;
    auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(), [](Point a, Point b) { return a.y < b.y; });
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    std::vector<int> edges;
    for (int y = lowest->y; y < highest->y; ++y) {
        double row = y + 0.5; // rows are sampled at pixel centres, never at a vertex
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            Point p = points[i], q = points[(i + 1) % points.size()];
            if ((p.y < row) == (q.y < row))
                continue;
            double x = p.x + (row - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y);
            crossings.push_back({x, q.y > p.y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        edges.clear();
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += mode == PolygonFillMode::Winding ? crossings[i].direction : 1;
            bool inside = mode == PolygonFillMode::Winding ? winding != 0 : (winding & 1) != 0;
            if (inside)
                addCentredSpan(crossings[i].x, crossings[i + 1].x, edges);
        }
        out.appendBand(y, y + 1, edges);
    }
    out.finish();
    return out;
}

void Region::appendBand(int top, int bottom, const std::vector<int>& edges) {
    // Drop empty spans and join touching ones so the band is canonical.
    size_t bandStart = rects_.size();
    for (size_t i = 0; i + 1 < edges.size(); i += 2) {
        if (edges[i + 1] <= edges[i])
            continue;
        if (rects_.size() > bandStart && edges[i] <= rects_.back().right)
            rects_.back().right = std::max(rects_.back().right, edges[i + 1]);
        else
            rects_.push_back({edges[i], top, edges[i + 1], bottom});
    }
    size_t count = rects_.size() - bandStart;
    if (count == 0 || bandStart == 0)
        return;
    // Merge into the band above when it ends here and has the same spans.
    const Rect& above = rects_[bandStart - 1];
    if (above.bottom != top || bandStart < count)
        return;
    size_t aboveStart = bandStart - count;
    if (rects_[aboveStart].top != above.top || (aboveStart > 0 && rects_[aboveStart - 1].top == above.top))
        return;
    for (size_t i = 0; i < count; ++i) {
        if (rects_[aboveStart + i].left != rects_[bandStart + i].left ||
            rects_[aboveStart + i].right != rects_[bandStart + i].right)
            return;
    }
    for (size_t i = aboveStart; i < bandStart; ++i)
        rects_[i].bottom = bottom;
    rects_.resize(bandStart);
}

void Region::finish() {
    bounds_ = {};
    for (const Rect& r : rects_)
        bounds_ = bounds_.united(r);
}

bool Region::contains(Point p) const {
    if (!bounds_.contains(p))
        return false;
    // Bottoms never decrease from band to band, so the band of row y is found by bisection.
    auto it =
        std::partition_point(rects_.begin(), rects_.end(), [&](const Rect& r) { return r.bottom <= p.y; });
    for (; it != rects_.end() && it->top <= p.y; ++it) {
        if (it->contains(p))
            return true;
    }
    return false;
}

bool Region::intersects(const Rect& rect) const {
    if (!bounds_.intersects(rect))
        return false;
    return std::any_of(rects_.begin(), rects_.end(), [&](const Rect& r) { return r.intersects(rect); });
}

Region Region::combine(const Region& a, const Region& b, bool (*rule)(bool, bool)) {
    std::vector<int> rows;
    rows.reserve(2 * (a.rects_.size() + b.rects_.size()));
    for (const Region* region : {&a, &b}) {
        for (const Rect& r : region->rects_) {
            rows.push_back(r.top);
            rows.push_back(r.bottom);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    Region out;
    size_t ia = 0, ib = 0;
    std::vector<int> spansA, spansB, spans;
    for (size_t k = 0; k + 1 < rows.size(); ++k) {
        spansAtRow(a.rects_, ia, rows[k], spansA);
        spansAtRow(b.rects_, ib, rows[k], spansB);
        combineSpans(spansA, spansB, rule, spans);
        out.appendBand(rows[k], rows[k + 1], spans);
    }
    out.finish();
    return out;
}

Region Region::united(const Region& other) const {
    return combine(*this, other, [](bool a, bool b) { return a || b; });
}

Region Region::intersected(const Region& other) const {
    return combine(*this, other, [](bool a, bool b) { return a && b; });
}

Region Region::subtracted(const Region& other) const {
    return combine(*this, other, [](bool a, bool b) { return a && !b; });
}

Region Region::xored(const Region& other) const {
    return combine(*this, other, [](bool a, bool b) { return a != b; });
}

Region Region::offsetBy(int dx, int dy) const {
    Region out = *this;
    for (Rect& r : out.rects_)
        r = r.offsetBy(dx, dy);
    out.bounds_ = rects_.empty() ? Rect{} : bounds_.offsetBy(dx, dy);
    return out;
}

} // namespace q71
