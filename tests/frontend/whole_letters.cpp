#include "whole_letters.h"

#include "framework/widgets/scroller.h"
#include "frontend/glass_list.h"
#include "platform/gdi/glyph_shape.h"
#include "platform/window/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace q71::test {
namespace {

// The size the letters are compared against: large enough that every stroke and eye of the face
// shows plainly.
constexpr int kLargeEm = 64;

// A zero marked apart from the "O", whatever the face draws large: slashed (its eye cut in two)
// or dotted (a stroke inside its ring).
bool markedZero(const GlyphShape& shape) {
    return shape == GlyphShape{1, 2} || shape == GlyphShape{2, 1};
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
        const GlyphShape shape = glyphShapeOf(font.glyph(byte), 1);
        if (!(shape == glyphShapeOf(model, scale * scale)) && !(c == '0' && markedZero(shape)))
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
