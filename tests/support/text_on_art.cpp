#include "support/text_on_art.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace q71::test {
namespace {

constexpr int kStandsOut = 64;

int channel(ColorRef c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

int channelGap(ColorRef a, ColorRef b) {
    int gap = 0;
    for (const int shift : {0, 8, 16})
        gap = std::max(gap, std::abs(channel(a, shift) - channel(b, shift)));
    return gap;
}

// What a pixel of the surface became when `text` was drawn; Hidden off its box.
TextCover coverAt(const TextDrawn& text, Point p) {
    if (!text.around.contains(p))
        return TextCover::Hidden;
    return text.cover[static_cast<std::size_t>((p.y - text.around.top) * text.around.width() +
                                               (p.x - text.around.left))];
}

// The colour whose every channel is the middle one of the ground's pixels.
std::optional<ColorRef> middleGround(const TextDrawn& text) {
    std::vector<int> channels[3];
    for (std::size_t i = 0; i < text.ground.size(); ++i)
        if (text.cover[i] == TextCover::Ground)
            for (int c = 0; c < 3; ++c)
                channels[c].push_back(channel(text.ground[i], 8 * c));
    if (channels[0].empty())
        return std::nullopt;
    ColorRef middle = 0;
    for (int c = 0; c < 3; ++c) {
        std::vector<int>& values = channels[c];
        const auto half = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), half, values.end());
        middle |= static_cast<ColorRef>(*half) << (8 * c);
    }
    return middle;
}

bool besideInk(const TextDrawn& text, Point p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (coverAt(text, {p.x + dx, p.y + dy}) == TextCover::Ink)
                return true;
    return false;
}

} // namespace

std::optional<Point> textTouchesArt(const TextDrawn& text, const TextDrawn* before) {
    const std::optional<ColorRef> ground = middleGround(text);
    if (!ground)
        return std::nullopt;
    const bool shadow = before && before->text == text.text &&
                        std::abs(before->ink.left - text.ink.left) <= 2 &&
                        std::abs(before->ink.top - text.ink.top) <= 2;
    const Rect& box = text.around;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const Point p{x, y};
            if (coverAt(text, p) != TextCover::Ground || (shadow && coverAt(*before, p) == TextCover::Ink))
                continue;
            const ColorRef pixel =
                text.ground[static_cast<std::size_t>((y - box.top) * box.width() + (x - box.left))];
            if (channelGap(pixel, *ground) > kStandsOut && channelGap(pixel, text.colour) > kStandsOut &&
                besideInk(text, p))
                return p;
        }
    return std::nullopt;
}

} // namespace q71::test
