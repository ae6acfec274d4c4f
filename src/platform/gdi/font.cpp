#include "platform/gdi/font.h"

#include "platform/files/path.h"
#include "platform/gdi/font_library.h"
#include "platform/gdi/outline_font.h"
#include "platform/gdi/strike_font.h"

#include <algorithm>
#include <cstdlib>

namespace q71 {

namespace {

// The least blank columns a word space leaves between two inks, one more than the blank column
// that letters kept apart leave.
constexpr int kLeastWordGap = 2;
// The bytes words are made of: letters and figures, the accented letters of French, and the marks
// written against a word.
constexpr std::string_view kWordBytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                        "\xC0\xC2\xC7\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD9\xDB\xDC\x8C"
                                        "\xE0\xE2\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\x9C"
                                        ".,'-";

// Letters whose ink ends in a bare stem or arm that, touching the next letter's, reads as another
// letter: "rn" as "m", "ri" as "n", "le" as "k", "lo" as "b".
constexpr std::string_view kLettersKeptClear = "rl";
// Apostrophes, a tick that joins the stem beside it ("n'est" reads "nest").
constexpr std::string_view kMarksKeptClear = "'\x92";

bool isFigure(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

bool isIn(std::string_view set, std::uint8_t c) {
    return set.find(static_cast<char>(c)) != std::string_view::npos;
}

// Whether the inks of two bytes side by side keep a blank column between them.
bool keptApart(std::uint8_t ch, std::uint8_t next) {
    return (isFigure(ch) && isFigure(next)) || isIn(kLettersKeptClear, ch) || isIn(kMarksKeptClear, ch) ||
           isIn(kMarksKeptClear, next);
}

bool isWordSpace(std::uint8_t c) {
    return c == ' ' || c == 0xA0;
}

bool hasInk(const Glyph& glyph) {
    return glyph.inkFirst <= glyph.inkLast;
}

// Blank columns between the inks of two glyphs whose pens stand `step` apart.
int blankColumns(const Glyph& first, int step, const Glyph& second) {
    return step + second.left + second.inkFirst - (first.left + first.inkLast) - 1;
}

// Notes the first and last columns of a glyph's mask that hold ink.
void findInkColumns(Glyph& glyph) {
    glyph.inkFirst = glyph.width;
    glyph.inkLast = -1;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.mask[static_cast<std::size_t>(y * glyph.width + x)]) {
                glyph.inkFirst = std::min(glyph.inkFirst, x);
                glyph.inkLast = std::max(glyph.inkLast, x);
            }
}

} // namespace

Font::~Font() = default;

std::shared_ptr<const Font> Font::create(const LogFont& description) {
    std::optional<FontMaking> making = makeStrikeFont(description);
    if (!making)
        making = makeOutlineFont(description);
    if (!making)
        return nullptr;
    auto font = std::shared_ptr<Font>(new Font);
    font->description_ = description;
    font->metrics_ = making->metrics;
    font->family_ = std::move(making->family);
    font->underlineOffset_ = making->underlineOffset;
    font->strikeOutOffset_ = making->strikeOutOffset;
    font->lineThickness_ = making->lineThickness;
    font->keepsAdvances_ = making->keepsAdvances;
    font->source_ = std::move(making->glyphs);
    return font;
}

const Glyph& Font::glyph(std::uint8_t ch) const {
    // Any thread may draw text: the cache is filled under the library's lock.
    std::lock_guard guard(FontLibrary::instance().lock());
    std::unique_ptr<Glyph>& slot = glyphs_[ch];
    if (slot)
        return *slot;
    slot = std::make_unique<Glyph>(source_->render(ch));
    findInkColumns(*slot);
    return *slot;
}

int Font::textWidth(std::string_view text) const {
    return penAt(text, text.size());
}

int Font::wordGap() const {
    std::call_once(wordGapFound_, [this] {
        // The widest blank a byte of a word leaves after its ink and before it: no two of them
        // side by side leave more between their inks than both, or than the one column kept.
        int after = 0, before = 0;
        for (const char c : kWordBytes) {
            const Glyph& g = glyph(static_cast<std::uint8_t>(c));
            if (!hasInk(g))
                continue;
            after = std::max(after, g.advance - (g.left + g.inkLast) - 1);
            before = std::max(before, g.left + g.inkFirst);
        }
        wordGap_ = std::max(kLeastWordGap, after + before + 1);
    });
    return wordGap_;
}

int Font::spaceAfter(std::string_view text, std::size_t index) const {
    if (keepsAdvances_ || index + 1 >= text.size())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t ch = byte(index);
    const Glyph& next = glyph(byte(index + 1));
    if (!hasInk(next))
        return 0;
    if (keptApart(ch, byte(index + 1))) {
        const Glyph& first = glyph(ch);
        return hasInk(first) ? std::max(0, 1 - blankColumns(first, first.advance, next)) : 0;
    }
    if (isWordSpace(ch) && index > 0) {
        const Glyph& before = glyph(byte(index - 1));
        if (!hasInk(before))
            return 0;
        const int blank = blankColumns(before, stepAfter(text, index - 1) + glyph(ch).advance, next);
        return std::max(0, wordGap() - blank);
    }
    return 0;
}

int Font::stepAfter(std::string_view text, std::size_t index) const {
    return glyph(static_cast<std::uint8_t>(text[index])).advance + spaceAfter(text, index);
}

int Font::penAt(std::string_view text, std::size_t index) const {
    int x = 0;
    for (std::size_t i = 0; i < std::min(index, text.size()); ++i)
        x += stepAfter(text, i);
    return x;
}

Rect Font::inkBounds(std::string_view text) const {
    Rect ink;
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = glyph(static_cast<std::uint8_t>(text[i]));
        if (hasInk(g))
            ink = ink.united({x + g.left + g.inkFirst, metrics_.ascent - g.top, x + g.left + g.inkLast + 1,
                              metrics_.ascent - g.top + g.height});
        x += stepAfter(text, i);
    }
    return ink;
}

FontRef fontFitting(const FontRef& font, std::string_view text, int width) {
    // Sizes smaller than this no longer read, whatever the face.
    constexpr int kSmallestPixels = 9;
    if (!font || font->textWidth(text) <= width)
        return font;
    LogFont smaller = font->description();
    const int height = std::clamp(smaller.height, -kLargestFontPixels, kLargestFontPixels);
    const int sign = height > 0 ? 1 : -1;
    const int size = height == 0 ? kDefaultFontPixels : std::abs(height);
    FontRef fitting = font;
    for (int pixels = size - 1; pixels >= kSmallestPixels; --pixels) {
        smaller.height = sign * pixels;
        FontRef candidate = Font::create(smaller);
        if (!candidate)
            break;
        fitting = std::move(candidate);
        if (fitting->textWidth(text) <= width)
            break;
    }
    return fitting;
}

FontRef stockFont(StockObject which) {
    // Made once each and kept for the whole run, like the system's own stock objects.
    static FontRef system = Font::create({16, 0, 0, 0, kFontWeightBold, false, false, false, 0, 0, 0, 0,
                                          kVariablePitch | kFamilySwiss, "Liberation Sans"});
    static FontRef variable = Font::create({-11, 0, 0, 0, kFontWeightNormal, false, false, false, 0, 0, 0, 0,
                                            kVariablePitch | kFamilySwiss, "Liberation Sans"});
    static FontRef fixed = Font::create({-12, 0, 0, 0, kFontWeightNormal, false, false, false, 0, 0, 0, 0,
                                         kFixedPitch | kFamilyModern, "Liberation Mono"});
    switch (which) {
    case StockObject::AnsiVarFont:
    case StockObject::DefaultGuiFont:
        return variable;
    case StockObject::OemFixedFont:
    case StockObject::AnsiFixedFont:
    case StockObject::SystemFixedFont:
        return fixed;
    default:
        return system;
    }
}

int addFontResource(std::string_view file) {
    return FontLibrary::instance().addFile(fileResolvePath(file));
}

bool removeFontResource(std::string_view file) {
    return FontLibrary::instance().removeFile(fileResolvePath(file));
}

} // namespace q71
