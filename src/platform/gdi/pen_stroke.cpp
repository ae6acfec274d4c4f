#include "platform/gdi/pen_stroke.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <vector>

namespace q71 {
namespace {

// Dash lengths in pixels, alternately drawn and left out, starting with a drawn one.
constexpr std::array<int, 2> kDash{18, 6};
constexpr std::array<int, 2> kDot{3, 3};
constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};

std::span<const int> dashesOf(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return kDash;
    case PenStyle::Dot:
        return kDot;
    case PenStyle::DashDot:
        return kDashDot;
    case PenStyle::DashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

} // namespace

PenStroker::PenStroker(const SpanPainter& painter, const Pen& pen, std::uint32_t penPixel,
                       std::uint32_t gapPixel, int rop2)
    : painter_(painter), width_(std::max(pen.width, 1)), dashes_(dashesOf(pen.style)),
      hasGap_(gapPixel != kTransparentPixel) {
    on_.solid = penPixel;
    on_.rop2 = rop2;
    gap_.solid = gapPixel;
    gap_.rop2 = rop2;
    for (int length : dashes_)
        dashCycle_ += length;
}

Rect PenStroker::reach() const {
    return painter_.reach().inflatedBy(width_, width_);
}

void PenStroker::plot(Point p, long long step) {
    if (dashes_.empty()) {
        painter_.pixel(p.x, p.y, on_);
        return;
    }
    // Even dashes of the pattern are drawn, odd ones are gaps.
    long long phase = (dashPhase_ + step) % dashCycle_;
    size_t dash = 0;
    while (phase >= dashes_[dash])
        phase -= dashes_[dash++];
    if (dash % 2 == 0)
        painter_.pixel(p.x, p.y, on_);
    else if (hasGap_)
        painter_.pixel(p.x, p.y, gap_);
}

void PenStroker::dot(Point p) {
    if (width_ > 1) {
        wideSegment(p, p);
        return;
    }
    plot(p, 0);
    ++dashPhase_;
}

void PenStroker::segment(Point a, Point b) {
    if (width_ > 1) {
        wideSegment(a, b);
        return;
    }
    if (a.y == b.y && dashes_.empty()) {
        // The end point is excluded whichever way the line runs.
        int x0, x1;
        if (b.x > a.x)
            x0 = a.x, x1 = b.x;
        else
            x0 = b.x + 1, x1 = a.x + 1;
        painter_.fill(a.y, x0, x1, on_);
        return;
    }
    forEachLinePixel(a, b, reach(), [this](Point p, long long step) { plot(p, step); });
    if (dashCycle_ > 0) {
        long long length = std::max(std::llabs(static_cast<long long>(b.x) - a.x),
                                    std::llabs(static_cast<long long>(b.y) - a.y));
        dashPhase_ = (dashPhase_ + length) % dashCycle_;
    }
}

void PenStroker::wideSegment(Point a, Point b) {
    int lo = stampLow(width_), hi = stampHigh(width_);
    Rect window = reach();
    // Only rows that can show are collected.
    long long top = std::max<long long>(std::min(a.y, b.y) + static_cast<long long>(lo), window.top);
    long long bottom =
        std::min<long long>(std::max(a.y, b.y) + static_cast<long long>(hi), window.bottom - 1);
    if (top > bottom)
        return;
    std::vector<std::pair<int, int>> rows(static_cast<size_t>(bottom - top + 1), {INT_MAX, INT_MIN});
    // Beyond three pixels the stamp is a disc; up to three a square is as round as pixels allow.
    double centre = (lo + hi) / 2.0, radius2 = width_ * width_ / 4.0 + 0.25;
    auto stamp = [&](Point p, long long) {
        for (int dy = lo; dy <= hi; ++dy) {
            long long row = static_cast<long long>(p.y) + dy - top;
            if (row < 0 || row >= static_cast<long long>(rows.size()))
                continue;
            int from = INT_MAX, to = INT_MIN;
            for (int dx = lo; dx <= hi; ++dx) {
                double ex = dx - centre, ey = dy - centre;
                if (width_ <= 3 || ex * ex + ey * ey <= radius2)
                    from = std::min(from, dx), to = std::max(to, dx);
            }
            if (from > to)
                continue;
            auto& span = rows[static_cast<size_t>(row)];
            span.first = std::min(span.first, p.x + from);
            span.second = std::max(span.second, p.x + to);
        }
    };
    forEachLinePixel(a, b, window, stamp);
    if (window.contains(b))
        stamp(b, 0);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first <= rows[i].second)
            painter_.fill(static_cast<int>(top) + static_cast<int>(i), rows[i].first, rows[i].second + 1,
                          on_);
}

} // namespace q71
