#include "render3d/backdrop.h"

#include <algorithm>

namespace q71::r3d {

void drawBackdrop(const Camera& c, const ImagePixels& image) {
    const Image& b = *c.backdrop;
    // The backdrop viewport within the viewport.
    const Viewport& a = c.backdropViewport;
    const Viewport& whole = c.viewport;
    const int x0 = std::max(a.x, whole.x), y0 = std::max(a.y, whole.y);
    const int x1 = std::min(a.x + a.width, whole.x + whole.width), y1 = std::min(a.y + a.height, whole.y + whole.height);
    const Viewport v{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
    const long long w = b.width(), h = b.height();
    for (int y = v.y; y < v.y + v.height; ++y) {
        // Rows counted up from the backdrop's bottom row.
        const long long fromBottom = static_cast<long long>(c.height() - 1 - y) - c.backdropOffsetY;
        const long long row = h - 1 - std::clamp(fromBottom, 0LL, h - 1);
        const std::uint16_t* source = b.pixels().data() + row * w;
        auto* out = reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(image.pixels) + y * image.rowStep);
        long long column = (static_cast<long long>(v.x) + c.backdropOffsetX) % w;
        if (column < 0)
            column += w;
        for (int x = v.x; x < v.x + v.width; ++x) {
            out[x] = source[column];
            if (++column == w)
                column = 0;
        }
    }
}

} // namespace q71::r3d
