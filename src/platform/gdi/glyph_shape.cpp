#include "platform/gdi/glyph_shape.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace q71 {
namespace {

// A glyph's ink on a clear border a pixel wide, so that the ground around it is one area.
struct InkGrid {
    int width = 0, height = 0;
    std::vector<std::uint8_t> ink;

    explicit InkGrid(const Glyph& glyph) : width(glyph.width + 2), height(glyph.height + 2) {
        ink.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        for (int y = 0; y < glyph.height; ++y)
            for (int x = 0; x < glyph.width; ++x)
                ink[index(x + 1, y + 1)] = glyph.mask[static_cast<std::size_t>(y * glyph.width + x)] ? 1 : 0;
    }
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
};

// The areas of a glyph's ink and of its clear ground, walked one at a time.
class Areas {
public:
    explicit Areas(const Glyph& glyph) : grid_(glyph), seen_(grid_.ink.size(), 0) {}

    const InkGrid& grid() const { return grid_; }
    bool seen(int at) const { return seen_[static_cast<std::size_t>(at)] != 0; }
    bool ink(int at) const { return grid_.ink[static_cast<std::size_t>(at)] != 0; }

    /// The pixels of the area around a start: ink joins through corners too, clear ground only
    /// through sides (so that a stroke touching at a corner still closes an eye).
    std::vector<int> fill(int start) {
        const std::uint8_t value = grid_.ink[static_cast<std::size_t>(start)];
        std::vector<int> area{start}, todo{start};
        seen_[static_cast<std::size_t>(start)] = 1;
        while (!todo.empty()) {
            const int at = todo.back();
            todo.pop_back();
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = at % grid_.width + dx, y = at / grid_.width + dy;
                    if ((dx == 0 && dy == 0) || (value == 0 && dx != 0 && dy != 0) || x < 0 || y < 0 ||
                        x >= grid_.width || y >= grid_.height)
                        continue;
                    const std::size_t next = grid_.index(x, y);
                    if (seen_[next] || grid_.ink[next] != value)
                        continue;
                    seen_[next] = 1;
                    todo.push_back(static_cast<int>(next));
                    area.push_back(static_cast<int>(next));
                }
        }
        return area;
    }

private:
    InkGrid grid_;
    std::vector<std::uint8_t> seen_;
};

} // namespace

GlyphShape glyphShapeOf(const Glyph& glyph, int leastEye) {
    Areas areas(glyph);
    areas.fill(0); // the ground around the letter
    GlyphShape shape;
    const int pixels = areas.grid().width * areas.grid().height;
    for (int i = 0; i < pixels; ++i) {
        if (areas.seen(i))
            continue;
        const bool ink = areas.ink(i);
        const std::size_t size = areas.fill(i).size();
        if (ink)
            ++shape.strokes;
        else if (size >= static_cast<std::size_t>(leastEye))
            ++shape.eyes;
    }
    return shape;
}

bool fillEyesSmallerThan(Glyph& glyph, int pixels) {
    Areas areas(glyph);
    areas.fill(0);
    const int width = areas.grid().width;
    bool filled = false;
    for (int i = 0; i < width * areas.grid().height; ++i) {
        if (areas.seen(i) || areas.ink(i))
            continue;
        const std::vector<int> eye = areas.fill(i);
        if (eye.size() >= static_cast<std::size_t>(pixels))
            continue;
        for (const int at : eye)
            glyph.mask[static_cast<std::size_t>((at / width - 1) * glyph.width + at % width - 1)] = 1;
        filled = true;
    }
    return filled;
}

} // namespace q71
