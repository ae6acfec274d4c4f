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

PenStroker::PenStroker(const SpanPainter& painter, const Pen& pen, std::uint32_t penPixel, std::uint32_t gapPixel,
                       int rop2)
    : painter_(painter), width_(std::max(pen.width, 1)), dashes_(dashesOf(pen.style)),
      hasGap_(gapPixel != kTransparentPixel) {
    on_.solid = penPixel;
    on_.rop2 = rop2;
    gap_.solid = gapPixel;
    gap_.rop2 = rop2;
    if (!dashes_.empty())
        dashLeft_ = dashes_[0];
}

void PenStroker::plotStyled(Point p) {
    if (dashes_.empty()) {
        painter_.pixel(p.x, p.y, on_);
        return;
    }
    if (dashIndex_ % 2 == 0)
        painter_.pixel(p.x, p.y, on_);
    else if (hasGap_)
        painter_.pixel(p.x, p.y, gap_);
    if (--dashLeft_ == 0) {
        dashIndex_ = (dashIndex_ + 1) % static_cast<int>(dashes_.size());
        dashLeft_ = dashes_[static_cast<size_t>(dashIndex_)];
    }
}

void PenStroker::dot(Point p) {
    if (width_ > 1)
        wideSegment(p, p);
    else
        plotStyled(p);
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
    forEachLinePixel(a, b, [this](Point p) { plotStyled(p); });
}

void PenStroker::wideSegment(Point a, Point b) {
    int lo = stampLow(width_), hi = stampHigh(width_);
    int top = std::min(a.y, b.y) + lo, bottom = std::max(a.y, b.y) + hi;
    std::vector<std::pair<int, int>> rows(static_cast<size_t>(bottom - top + 1), {INT_MAX, INT_MIN});
    // Beyond three pixels the stamp is a disc; up to three a square is as round as pixels allow.
    double centre = (lo + hi) / 2.0, radius2 = width_ * width_ / 4.0 + 0.25;
    auto stamp = [&](Point p) {
        for (int dy = lo; dy <= hi; ++dy) {
            int from = INT_MAX, to = INT_MIN;
            for (int dx = lo; dx <= hi; ++dx) {
                double ex = dx - centre, ey = dy - centre;
                if (width_ <= 3 || ex * ex + ey * ey <= radius2)
                    from = std::min(from, dx), to = std::max(to, dx);
            }
            if (from > to)
                continue;
            auto& row = rows[static_cast<size_t>(p.y + dy - top)];
            row.first = std::min(row.first, p.x + from);
            row.second = std::max(row.second, p.x + to);
        }
    };
    forEachLinePixel(a, b, stamp);
    stamp(b);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first <= rows[i].second)
            painter_.fill(top + static_cast<int>(i), rows[i].first, rows[i].second + 1, on_);
}

} // namespace q71
