#include "platform/gdi/strike_font.h"

#include "platform/gdi/font_library.h"
#include "platform/gdi/strike_set.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

class StrikeGlyphs final : public GlyphSource {
public:
    explicit StrikeGlyphs(std::shared_ptr<const Strike> strike) : strike_(std::move(strike)) {}
    Glyph render(std::uint8_t ch) const override {
        const Glyph* glyph = strike_->glyphFor(cp1252ToUnicode(ch));
        return glyph ? *glyph : Glyph{};
    }

private:
    std::shared_ptr<const Strike> strike_;
};

// The average advance of the printable ASCII characters, as a face's average width is found
// over its glyphs.
int averageAdvance(const Strike& strike) {
    int sum = 0, count = 0;
    for (char32_t c = 0x20; c < 0x7F; ++c)
        if (const Glyph* g = strike.glyphFor(c)) {
            sum += g->advance;
            ++count;
        }
    return count ? std::max((sum + count / 2) / count, 1) : 1;
}

int widestAdvance(const Strike& strike) {
    int widest = 1;
    for (const StrikeGlyph& g : strike.glyphs)
        widest = std::max(widest, g.glyph.advance);
    return widest;
}

} // namespace

std::optional<FontMaking> makeStrikeFont(const LogFont& description) {
    std::shared_ptr<const Strike> strike = FontLibrary::instance().strikeFor(description);
    if (!strike)
        return std::nullopt;
    FontMaking font;
    font.family = strike->face;
    TextMetrics& m = font.metrics;
    m.ascent = strike->ascent;
    m.descent = strike->descent;
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(m.height - strike->pixels, 0);
    m.aveCharWidth = averageAdvance(*strike);
    m.maxCharWidth = widestAdvance(*strike);
    m.weight = description.weight == 0 ? kFontWeightNormal : description.weight;
    m.underlined = description.underline;
    m.struckOut = description.strikeOut;
    m.charSet = description.charSet;
    // A strike is no scalable face.
    m.pitchAndFamily = (strike->fixedPitch ? 0 : kMetricsVariablePitch) | (description.pitchAndFamily & 0xF0);
    font.strikeOutOffset = -std::max(static_cast<int>(std::lround(m.ascent * 0.3)), 1);
    font.keepsAdvances = true;
    font.glyphs = std::make_unique<StrikeGlyphs>(std::move(strike));
    return font;
}

} // namespace q71
