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
    PenStroker(const SpanPainter& painter, const Pen& pen, std::uint32_t penPixel, std::uint32_t gapPixel, int rop2);

    /// Draws from a to b.
    void segment(Point a, Point b);
    /// Draws one pixel as the next step of the pattern.
    void dot(Point p);
    /// Offsets of a wide pen's square or disc around its centre pixel: from lo to hi on each axis.
    static int stampLow(int width) { return -(width - 1) / 2; }
    static int stampHigh(int width) { return width / 2; }

private:
    void plotStyled(Point p);
    void wideSegment(Point a, Point b);

    const SpanPainter& painter_;
    int width_;
    std::span<const int> dashes_;
    FillSource on_;
    FillSource gap_;
    bool hasGap_;
    int dashIndex_ = 0;
    int dashLeft_ = 0;
};

/// The pixels of the line from a to b, end point excluded, in drawing order.
template <typename F> void forEachLinePixel(Point a, Point b, F&& plot) {
    int dx = b.x - a.x, dy = b.y - a.y;
    int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    // Step along the longer axis; the shorter one follows the error term. A tie steps the
    // shorter axis only when the longer one runs forwards, so a line and its reverse agree.
    bool steep = dy > dx;
    int major = steep ? dy : dx, minor = steep ? dx : dy;
    int majorStep = steep ? sy : sx;
    Point p = a;
    int& along = steep ? p.y : p.x;
    int& across = steep ? p.x : p.y;
    int acrossStep = steep ? sx : sy;
    int error = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        plot(p);
        if (error > 0 || (error == 0 && majorStep > 0)) {
            across += acrossStep;
            error -= 2 * major;
        }
        error += 2 * minor;
        along += majorStep;
    }
}

} // namespace q71
