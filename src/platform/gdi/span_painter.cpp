#include "platform/gdi/span_painter.h"

#include <cstring>

namespace q71 {

std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t destination, std::uint32_t mask) {
    // The code less one is the truth table: bit (2 * P + D) gives the result for pen bit P and
    // destination bit D.
    unsigned table = static_cast<unsigned>(rop2 - 1) & 15u;
    std::uint32_t result = 0;
    if (table & 1u)
        result |= ~pen & ~destination;
    if (table & 2u)
        result |= ~pen & destination;
    if (table & 4u)
        result |= pen & ~destination;
    if (table & 8u)
        result |= pen & destination;
    return result & mask;
}

void SpanPainter::fill(int y, int x0, int x1, const FillSource& source) const {
    y += offset_.y;
    clip_.forEachSpan(y, x0 + offset_.x, x1 + offset_.x, [&](int a, int b) { fillClipped(y, a, b, source); });
}

void SpanPainter::fillRect(const Rect& rect, const FillSource& source) const {
    Rect rows = rect.intersected(reach());
    for (int y = rows.top; y < rows.bottom; ++y)
        fill(y, rect.left, rect.right, source);
}

void SpanPainter::fillClipped(int y, int x0, int x1, const FillSource& source) const {
    const PixelSurface& s = surface_;
    if (source.rop2 == kRop2Nop)
        return;
    if (!source.pattern && source.rop2 == kRop2CopyPen) {
        std::uint8_t* row = s.row(y);
        switch (s.format) {
        case PixelFormat::Indexed8:
            std::memset(row + x0, static_cast<int>(source.solid & 0xFF), static_cast<size_t>(x1 - x0));
            return;
        case PixelFormat::Rgb555:
        case PixelFormat::Rgb565: {
            auto v = static_cast<std::uint16_t>(source.solid);
            for (int x = x0; x < x1; ++x)
                std::memcpy(row + 2 * x, &v, 2);
            return;
        }
        default:
            for (int x = x0; x < x1; ++x)
                s.write(x, y, source.solid);
            return;
        }
    }
    std::uint32_t mask = s.valueMask();
    int py = 0;
    if (source.pattern) {
        py = (y - source.patternOrigin.y) % source.patternHeight;
        if (py < 0)
            py += source.patternHeight;
    }
    for (int x = x0; x < x1; ++x) {
        std::uint32_t pen = source.solid;
        if (source.pattern) {
            int px = (x - source.patternOrigin.x) % source.patternWidth;
            if (px < 0)
                px += source.patternWidth;
            pen = (*source.pattern)[static_cast<size_t>(py * source.patternWidth + px)];
            if (pen == kTransparentPixel)
                continue;
        }
        std::uint32_t out =
            source.rop2 == kRop2CopyPen ? pen : applyRop2(source.rop2, pen, s.read(x, y), mask);
        s.write(x, y, out);
    }
}

} // namespace q71
