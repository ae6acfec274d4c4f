#include "whole_letters.h"

#include "framework/widgets/scroller.h"
#include "frontend/glass_list.h"
#include "platform/window/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cstdint>
#include <memory>

namespace q71::test {
namespace {

// The size the letters are compared against: large enough that every stroke and eye of the face
// shows plainly.
constexpr int kLargeEm = 64;

// A glyph's ink on a clear border a pixel wide.
struct InkGrid {
    int width = 0, height = 0;
    std::vector<std::uint8_t> ink;

    explicit InkGrid(const Glyph& glyph) : width(glyph.width + 2), height(glyph.height + 2) {
        ink.assign(static_cast<std::size_t>(width * height), 0);
        for (int y = 0; y < glyph.height; ++y)
            for (int x = 0; x < glyph.width; ++x)
                ink[index(x + 1, y + 1)] = glyph.mask[static_cast<std::size_t>(y * glyph.width + x)] ? 1 : 0;
    }
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
};

struct Shape {
    int strokes = 0; ///< separate pieces of ink (touching at a corner counts as one)
    int eyes = 0;    ///< clear areas that the ink closes in, of at least `leastEye` pixels
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const Glyph& glyph, int leastEye) {
    const InkGrid grid(glyph);
    std::vector<std::uint8_t> seen(grid.ink.size(), 0);
    // Fills the area of `value` around a start: ink through corners too, clear ground only
    // through sides (so that a stroke touching at a corner still closes an eye). Its size.
    const auto fill = [&](int start, std::uint8_t value) {
        std::vector<int> todo{start};
        seen[static_cast<std::size_t>(start)] = 1;
        int size = 0;
        while (!todo.empty()) {
            const int at = todo.back();
            todo.pop_back();
            ++size;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = at % grid.width + dx, y = at / grid.width + dy;
                    if ((dx == 0 && dy == 0) || (value == 0 && dx != 0 && dy != 0) || x < 0 || y < 0 ||
                        x >= grid.width || y >= grid.height)
                        continue;
                    const std::size_t next = grid.index(x, y);
                    if (seen[next] || grid.ink[next] != value)
                        continue;
                    seen[next] = 1;
                    todo.push_back(static_cast<int>(next));
                }
        }
        return size;
    };
    Shape shape;
    fill(0, 0); // the ground around the letter
    for (int i = 0; i < static_cast<int>(grid.ink.size()); ++i) {
        if (seen[static_cast<std::size_t>(i)])
            continue;
        if (grid.ink[static_cast<std::size_t>(i)]) {
            fill(i, 1);
            ++shape.strokes;
        } else if (fill(i, 0) >= leastEye) {
            ++shape.eyes;
        }
    }
    return shape;
}

} // namespace

std::string lettersNotWhole(const Font& font, std::string_view text) {
    LogFont large = font.description();
    large.height = -kLargeEm;
    const std::shared_ptr<const Font> reference = Font::create(large);
    // An eye of the large letter smaller than a pixel of the small one is no eye of the letter.
    const int scale = std::max(reference->metrics().height / std::max(font.metrics().height, 1), 1);
    std::string lost;
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        const Glyph& model = reference->glyph(byte);
        if (model.width == 0 || lost.find(c) != std::string::npos)
            continue;
        if (!(shapeOf(font.glyph(byte), 1) == shapeOf(model, scale * scale)))
            lost.push_back(c);
    }
    return lost;
}

DrawnTexts::DrawnTexts() {
    gdiWatchTextsDrawn([this](const TextDrawn& text) { drawn_.push_back(text); });
}

DrawnTexts::~DrawnTexts() {
    gdiWatchTextsDrawn({});
}

std::vector<TextDrawn> DrawnTexts::in(const Rect& area) const {
    std::vector<TextDrawn> in;
    for (const TextDrawn& text : drawn_)
        if (text.ink.intersects(area))
            in.push_back(text);
    return in;
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool spellOut(const std::vector<TextDrawn>& texts, const std::string& whole) {
    for (std::size_t first = 0; first < texts.size(); ++first) {
        std::string joined = texts[first].text;
        for (std::size_t next = first + 1; joined.size() < whole.size() && next < texts.size(); ++next)
            joined += " " + texts[next].text;
        if (joined == whole)
            return true;
    }
    return false;
}

void expectRowsWholeAndLegible(GlassList& list, const std::function<void()>& settle) {
    // The list draws in its screen's picture, at its place in the screen.
    const Rect glass{list.getX(), list.getY(), list.getX() + list.getWidth(), list.getY() + list.getHeight()};
    DrawnTexts drawn;
    std::map<FontRef, std::string> lettersByFont;
    for (int row = 0; row < static_cast<int>(list.rows().size()); ++row) {
        list.scrollTo(row);
        list.invalidate(nullptr, false);
        drawn.clear();
        settle();
        Rect beside = glass;
        if (const Scroller* bar = list.scrollBar(); bar && windowIsVisible(bar->window()))
            beside.right = windowScreenToClient(list.parentWindow(), {windowGetRect(bar->window()).left, 0}).x;
        const std::vector<TextDrawn> shown = drawn.in(glass);
        const std::string& text = list.rows()[static_cast<std::size_t>(row)];
        EXPECT_TRUE(spellOut(shown, text)) << text << " is shown whole";
        for (const TextDrawn& line : shown) {
            EXPECT_TRUE(inside(line.ink, beside)) << line.text << " stands in the list, beside its bar";
            lettersByFont[line.font] += line.text;
        }
    }
    for (const auto& [font, letters] : lettersByFont)
        EXPECT_EQ(lettersNotWhole(*font, letters), "") << font->familyName() << ", " << font->metrics().height
                                                       << " pixels, loses letters of the list";
}

} // namespace q71::test
