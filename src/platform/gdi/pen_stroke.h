#pragma once
// Drawing a pen along straight segments. A pen one pixel wide follows the line pixel by pixel,
// leaving out the end point, with the dash pattern of its style running on from segment to
// segment (its gaps take the background colour when the background mode is opaque). A wider
// pen is solid and round: it covers every pixel its square or disc touches on the way, both
// ends included.

#include "platform/gdi/pen_brush.h"
#include "platform/gdi/span_painter.h"

#include <span>

namespace q71 {

class PenStroker {
public:
    /// `gapPixel` is kTransparentPixel when dash gaps leave the destination alone.
    PenStroker(const SpanPainter& painter, const Pen& pen, std::uint32_t penPixel, std::uint32_t gapPixel,
               int rop2);

    /// Draws from a to b.
    void segment(Point a, Point b);
    /// Draws one pixel as the next step of the pattern.
    void dot(Point p);
    /// Offsets of a wide pen's square or disc around its centre pixel: from lo to hi on each axis.
    static int stampLow(int width) { return -(width - 1) / 2; }
    static int stampHigh(int width) { return width / 2; }

private:
    void plot(Point p, long long step);
    void wideSegment(Point a, Point b);
    /// The part of the plane where a pixel of this pen can show (context coordinates).
    Rect reach() const;

    const SpanPainter& painter_;
    int width_;
    std::span<const int> dashes_;
    int dashCycle_ = 0;
    long long dashPhase_ = 0; ///< pixels of the pattern used by the segments drawn so far
    FillSource on_;
    FillSource gap_;
    bool hasGap_;
};

/// Calls plot(pixel, step) for the pixels of the line from a to b, end point excluded, in
/// drawing order (step counts from 0 at a), but only for the steps whose coordinate along the
/// longer axis lies inside `window`: a line reaching far outside costs only what it shows.
template <typename F> void forEachLinePixel(Point a, Point b, const Rect& window, F&& plot) {
    long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    // Step along the longer axis; the shorter one follows the error term. A tie steps the
    // shorter axis only when the longer one runs forwards, so a line and its reverse agree.
    bool steep = dy > dx;
    long long major = steep ? dy : dx, minor = steep ? dx : dy;
    int majorStep = steep ? sy : sx, acrossStep = steep ? sx : sy;
    long long start = steep ? a.y : a.x;
    long long low = steep ? window.top : window.left, high = steep ? window.bottom : window.right;
    long long first = majorStep > 0 ? low - start : start - high + 1;
    long long last = majorStep > 0 ? high - start : start - low + 1;
    first = first < 0 ? 0 : first;
    last = last > major ? major : last;
    if (first >= last)
        return;
    // Where the walk stands after `first` steps, in closed form.
    long long across = (2 * minor * first + major - (majorStep > 0 ? 0 : 1)) / (2 * major);
    long long error = 2 * minor * (first + 1) - major - 2 * major * across;
    long long along = start + majorStep * first;
    across = (steep ? a.x : a.y) + acrossStep * across;
    for (long long k = first; k < last; ++k) {
        Point p = steep ? Point{static_cast<int>(across), static_cast<int>(along)}
                        : Point{static_cast<int>(along), static_cast<int>(across)};
        plot(p, k);
        if (error > 0 || (error == 0 && majorStep > 0)) {
            across += acrossStep;
            error -= 2 * major;
        }
        error += 2 * minor;
        along += majorStep;
    }
}

} // namespace q71
