// Lines, rectangles, ellipses, arcs and polygons of a device context.
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_stroke.h"
#include "platform/gdi/polygon_fill.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace q71 {
namespace {

// A shape that meets each row in at most one run (ellipses): rows top.. with [from, to).
struct RowShape {
    int top = 0;
    std::vector<std::pair<int, int>> rows;
};

RowShape rowShapeOf(const Region& region) {
    RowShape shape;
    Rect box = region.boundingBox();
    shape.top = box.top;
    shape.rows.assign(static_cast<size_t>(std::max(box.height(), 0)), {0, 0});
    for (const Rect& r : region.rects())
        for (int y = r.top; y < r.bottom; ++y)
            shape.rows[static_cast<size_t>(y - box.top)] = {r.left, r.right};
    return shape;
}

// Pixels of the shape whose four neighbours all belong to it, applied `times` times.
RowShape erode(RowShape shape, int times) {
    for (int t = 0; t < times; ++t) {
        RowShape next = shape;
        size_t n = shape.rows.size();
        for (size_t i = 0; i < n; ++i) {
            if (i == 0 || i + 1 == n) {
                next.rows[i] = {0, 0};
                continue;
            }
            auto [from, to] = shape.rows[i];
            from = std::max({from + 1, shape.rows[i - 1].first, shape.rows[i + 1].first});
            to = std::min({to - 1, shape.rows[i - 1].second, shape.rows[i + 1].second});
            next.rows[i] = from < to ? std::pair{from, to} : std::pair{0, 0};
        }
        shape = std::move(next);
    }
    return shape;
}

bool rowEmpty(const std::pair<int, int>& row) {
    return row.first >= row.second;
}

// Ellipses are built row by row over their whole box: one larger than this on a side is refused
// rather than taking unbounded time and memory.
constexpr int kMaxEllipseSide = 1 << 15;

bool drawableBox(const Rect& box) {
    return static_cast<long long>(box.right) - box.left <= kMaxEllipseSide &&
           static_cast<long long>(box.bottom) - box.top <= kMaxEllipseSide;
}

// The band a pen of width w draws round an ellipse: the ellipse of the box, grown so that the
// pen is centred on the box's outline (or kept inside it for an inside-frame pen), less the
// same ellipse worn down by w pixels.
struct EllipseBand {
    RowShape outer;
    RowShape inner;
};

EllipseBand ellipseBand(const Rect& box, const Pen& pen) {
    int w = std::max(pen.width, 1);
    Rect outerBox = box;
    if (pen.style != PenStyle::InsideFrame) {
        int lo = PenStroker::stampLow(w), hi = PenStroker::stampHigh(w);
        outerBox = {box.left + lo, box.top + lo, box.right + hi, box.bottom + hi};
    }
    EllipseBand band{rowShapeOf(Region::ellipse(outerBox)), {}};
    band.inner = erode(band.outer, w);
    return band;
}

// Calls f(y, from, to) for the runs of `outer` that are not in `inner` (same rows).
template <typename F> void forEachBandRun(const RowShape& outer, const RowShape& inner, F&& f) {
    for (size_t i = 0; i < outer.rows.size(); ++i) {
        auto o = outer.rows[i], in = inner.rows[i];
        int y = outer.top + static_cast<int>(i);
        if (rowEmpty(o))
            continue;
        if (rowEmpty(in)) {
            f(y, o.first, o.second);
            continue;
        }
        if (o.first < in.first)
            f(y, o.first, in.first);
        if (in.second < o.second)
            f(y, in.second, o.second);
    }
}

// Angle of a pixel's centre about a centre, counterclockwise as seen on the screen, in [0, 2 pi).
double screenAngle(double x, double y, double cx, double cy) {
    double a = std::atan2(-(y - cy), x - cx);
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

} // namespace

Point DeviceContext::moveTo(Point to) {
    return std::exchange(position_, to);
}

void DeviceContext::strokePath(std::span<const Point> points, bool closed) {
    const Resolved* now = resolve();
    if (!now || pen_.style == PenStyle::Null || points.size() < 2)
        return;
    SpanPainter painter(now->surface, now->clip, now->origin);
    std::uint32_t gap = bkMode_ == kOpaque ? now->surface.encode(bkColour_) : kTransparentPixel;
    PenStroker stroker(painter, pen_, now->surface.encode(pen_.colour), gap, rop2_);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        stroker.segment(points[i], points[i + 1]);
    if (closed)
        stroker.segment(points.back(), points.front());
    notifyDrawn();
}

bool DeviceContext::lineTo(Point to) {
    Point path[2] = {position_, to};
    strokePath(path, false);
    position_ = to;
    return true;
}

bool DeviceContext::polyline(std::span<const Point> points) {
    if (points.size() < 2)
        return false;
    strokePath(points, false);
    return true;
}

void DeviceContext::fillParts(std::span<const Rect> parts, bool withBrush) {
    const Resolved* now = resolve();
    if (!now)
        return;
    FillSource fill;
    std::vector<std::uint32_t> pattern;
    if (withBrush) {
        if (!brushFill(brush_, now->surface, now->origin, fill, pattern))
            return;
    } else {
        fill.solid = now->surface.encode(pen_.colour);
        fill.rop2 = rop2_;
    }
    SpanPainter painter(now->surface, now->clip, now->origin);
    for (const Rect& part : parts)
        painter.fillRect(part, fill);
    notifyDrawn();
}

bool DeviceContext::rectangle(const Rect& rect) {
    Rect r = rect.normalized();
    if (pen_.style == PenStyle::Null) {
        Rect inside{r.left, r.top, r.right - 1, r.bottom - 1};
        fillParts({&inside, 1}, true);
        return true;
    }
    bool styled = pen_.width <= 1 && pen_.style != PenStyle::Solid && pen_.style != PenStyle::InsideFrame;
    if (styled) {
        Rect inside = r.inflatedBy(-1, -1);
        fillParts({&inside, 1}, true);
        Point path[4] = {
            {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
        strokePath(path, true);
        return true;
    }
    int w = std::max(pen_.width, 1);
    Rect outer = r, hole = r.inflatedBy(-w, -w);
    if (pen_.style != PenStyle::InsideFrame) {
        int lo = PenStroker::stampLow(w), hi = PenStroker::stampHigh(w);
        outer = {r.left + lo, r.top + lo, r.right + hi, r.bottom + hi};
        hole = {r.left + hi + 1, r.top + hi + 1, r.right - 1 + lo, r.bottom - 1 + lo};
    }
    if (!hole.isEmpty())
        fillParts({&hole, 1}, true);
    Region band = Region(outer).subtracted(Region(hole));
    fillParts(band.rects(), false);
    return true;
}

bool DeviceContext::ellipse(const Rect& box) {
    Rect r = box.normalized();
    if (!drawableBox(r))
        return false;
    if (pen_.style == PenStyle::Null) {
        Region inside = Region::ellipse({r.left, r.top, r.right - 1, r.bottom - 1});
        fillParts(inside.rects(), true);
        return true;
    }
    RowShape inner = ellipseBand(r, pen_).inner;
    std::vector<Rect> rows;
    for (size_t i = 0; i < inner.rows.size(); ++i) {
        int y = inner.top + static_cast<int>(i);
        if (!rowEmpty(inner.rows[i]))
            rows.push_back({inner.rows[i].first, y, inner.rows[i].second, y + 1});
    }
    fillParts(rows, true);
    // The outline as a whole circle of arc: styles run round it in order.
    Point start{r.right, (r.top + r.bottom) / 2};
    arc(r, start, start);
    return true;
}

bool DeviceContext::arc(const Rect& box, Point start, Point end) {
    Rect r = box.normalized();
    if (!drawableBox(r))
        return false;
    const Resolved* now = resolve();
    if (!now || pen_.style == PenStyle::Null)
        return true;
    auto [outer, inner] = ellipseBand(r, pen_);
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    double from = screenAngle(start.x, start.y, cx, cy), to = screenAngle(end.x, end.y, cx, cy);
    double sweep = to - from;
    if (sweep <= 0)
        sweep += 2 * std::numbers::pi;
    struct Dot {
        double angle;
        Point at;
    };
    std::vector<Dot> dots;
    forEachBandRun(outer, inner, [&](int y, int x0, int x1) {
        for (int x = x0; x < x1; ++x) {
            double a = screenAngle(x + 0.5, y + 0.5, cx, cy) - from;
            if (a < 0)
                a += 2 * std::numbers::pi;
            if (a <= sweep)
                dots.push_back({a, {x, y}});
        }
    });
    std::sort(dots.begin(), dots.end(), [](const Dot& a, const Dot& b) { return a.angle < b.angle; });
    SpanPainter painter(now->surface, now->clip, now->origin);
    std::uint32_t gap = bkMode_ == kOpaque ? now->surface.encode(bkColour_) : kTransparentPixel;
    // The band is already as wide as the pen, so each of its pixels is drawn as one pixel.
    Pen thin = pen_;
    thin.width = 1;
    if (pen_.width > 1)
        thin.style = PenStyle::Solid;
    PenStroker stroker(painter, thin, now->surface.encode(pen_.colour), gap, rop2_);
    for (const Dot& d : dots)
        stroker.dot(d.at);
    notifyDrawn();
    return true;
}

bool DeviceContext::polygon(std::span<const Point> points, PolygonFillMode mode) {
    if (points.size() < 2)
        return false;
    std::vector<Rect> rows;
    if (const Resolved* now = resolve()) {
        Rect window = now->clip.bounds().offsetBy(-now->origin.x, -now->origin.y);
        forEachPolygonSpan(points, mode, window, [&](int y, int from, int to) {
            rows.push_back({from, y, to, y + 1});
        });
    }
    fillParts(rows, true);
    strokePath(points, true);
    return true;
}

} // namespace q71
