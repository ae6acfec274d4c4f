#include "platform/gdi/blit.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace q71 {
namespace {

bool usesSource(std::uint32_t rop) {
    unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}
bool usesPattern(std::uint32_t rop) {
    unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// Turns native pixels of one surface into native pixels of another.
class PixelConverter {
public:
    PixelConverter(const PixelSurface& from, const PixelSurface& to) : from_(from), to_(to) {
        same_ = from.format == to.format && from.format != PixelFormat::Indexed8;
        if (from.format == PixelFormat::Indexed8) {
            table_.resize(256);
            for (int i = 0; i < 256; ++i)
                table_[static_cast<size_t>(i)] = to.encode(from.decode(static_cast<std::uint32_t>(i)));
        }
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (same_)
            return pixel;
        if (!table_.empty())
            return table_[pixel & 0xFF];
        return to_.encode(from_.decode(pixel));
    }
    /// True when rows can be copied byte for byte.
    bool identical() const { return same_; }

private:
    const PixelSurface& from_;
    const PixelSurface& to_;
    bool same_ = false;
    std::vector<std::uint32_t> table_;
};

} // namespace

std::uint32_t applyRop3(std::uint32_t rop, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t destination) {
    // The code's third byte is the truth table: bit (4 * P + 2 * S + D) is the result for those bits.
    unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((table >> i) & 1u))
            continue;
        std::uint32_t p = (i & 4) ? pattern : ~pattern;
        std::uint32_t s = (i & 2) ? source : ~source;
        std::uint32_t d = (i & 1) ? destination : ~destination;
        result |= p & s & d;
    }
    return result;
}

bool patBlt(DeviceContext& destination, int x, int y, int w, int h, std::uint32_t rop) {
    if (usesSource(rop))
        return false;
    return bitBlt(destination, x, y, w, h, nullptr, 0, 0, rop);
}

bool bitBlt(DeviceContext& destination, int x, int y, int w, int h, DeviceContext* source, int sx, int sy,
            std::uint32_t rop) {
    if (w <= 0 || h <= 0)
        return true;
    const DeviceContext::Resolved* dst = destination.resolve();
    if (!dst)
        return true;
    bool withSource = usesSource(rop);
    const DeviceContext::Resolved* src = nullptr;
    if (withSource) {
        if (!source)
            return false;
        src = source == &destination ? dst : source->resolve();
        if (!src)
            return true;
        // Only pixels inside the source surface are read.
        Rect readable = src->surface.bounds().offsetBy(-src->origin.x, -src->origin.y);
        Rect block = Rect{sx, sy, sx + w, sy + h}.intersected(readable);
        if (block.isEmpty())
            return true;
        x += block.left - sx, y += block.top - sy;
        w = block.width(), h = block.height();
        sx = block.left, sy = block.top;
    }
    const PixelSurface& to = dst->surface;
    std::uint32_t mask = to.valueMask();
    FillSource pattern;
    std::vector<std::uint32_t> patternStore;
    if (usesPattern(rop) &&
        !destination.brushFill(destination.brush(), to, dst->origin, pattern, patternStore))
        pattern.solid = 0; // a null brush gives a black pattern
    auto patternAt = [&](int px, int py) {
        if (!pattern.pattern)
            return pattern.solid;
        int u = (px - pattern.patternOrigin.x) % pattern.patternWidth,
            v = (py - pattern.patternOrigin.y) % pattern.patternHeight;
        std::uint32_t value = (*pattern.pattern)[static_cast<size_t>((v < 0 ? v + pattern.patternHeight : v) *
                                                                         pattern.patternWidth +
                                                                     (u < 0 ? u + pattern.patternWidth : u))];
        // Hatch gaps take the background colour here whatever the background mode.
        return value == kTransparentPixel ? to.encode(destination.bkColor()) : value;
    };

    std::optional<PixelConverter> convert;
    if (withSource)
        convert.emplace(src->surface, to);
    bool rowCopy = withSource && rop == kSrcCopy && convert->identical();
    // Rows run bottom to top when the block moves down within the same surface, so that an
    // overlapping copy reads each row before it is overwritten.
    bool sameSurface = withSource && src->surface.top == to.top;
    int srcOffsetY = withSource ? src->origin.y + sy - (dst->origin.y + y) : 0;
    int srcOffsetX = withSource ? src->origin.x + sx - (dst->origin.x + x) : 0;
    bool upward = sameSurface && srcOffsetY < 0;
    int bytes = pixelBytes(to.format);
    std::vector<std::uint32_t> rowBuffer;
    // Only rows the clip lets through are visited.
    const Rect& reach = dst->clip.bounds();
    long long firstRow = std::max<long long>(0, static_cast<long long>(reach.top) - dst->origin.y - y);
    long long lastRow = std::min<long long>(h, static_cast<long long>(reach.bottom) - dst->origin.y - y);
    long long left = static_cast<long long>(dst->origin.x) + x;
    for (long long i = firstRow; i < lastRow; ++i) {
        long long row = upward ? lastRow - 1 - (i - firstRow) : i;
        // Rows visited lie within the clip, so the row number fits.
        int dy = static_cast<int>(static_cast<long long>(dst->origin.y) + y + row);
        dst->clip.forEachSpan(dy, left, left + w, [&](int a, int b) {
            if (rowCopy) {
                std::memmove(to.row(dy) + static_cast<std::ptrdiff_t>(a) * bytes,
                             src->surface.row(dy + srcOffsetY) +
                                 static_cast<std::ptrdiff_t>(a + srcOffsetX) * bytes,
                             static_cast<size_t>(b - a) * static_cast<size_t>(bytes));
                return;
            }
            // Read the whole piece first: the source may be the destination.
            rowBuffer.resize(static_cast<size_t>(b - a));
            if (withSource)
                for (int px = a; px < b; ++px)
                    rowBuffer[static_cast<size_t>(px - a)] =
                        (*convert)(src->surface.read(px + srcOffsetX, dy + srcOffsetY));
            for (int px = a; px < b; ++px) {
                std::uint32_t s = withSource ? rowBuffer[static_cast<size_t>(px - a)] : 0;
                std::uint32_t out =
                    rop == kSrcCopy ? s : applyRop3(rop, patternAt(px, dy), s, to.read(px, dy)) & mask;
                to.write(px, dy, out);
            }
        });
    }
    destination.notifyDrawn();
    return true;
}

} // namespace q71
