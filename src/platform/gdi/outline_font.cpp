#include "platform/gdi/outline_font.h"

#include "platform/gdi/font_library.h"
#include "platform/gdi/glyph_raster.h"
#include "platform/text/cp1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

class OutlineGlyphs final : public GlyphSource {
public:
    // A font may be released after the library's own holder is gone (a font held in a static
    // that was made before the library, released as the program exits): it keeps the library,
    // so that FreeType still holds the face it frees.
    OutlineGlyphs(FT_Face face, double emPixels, bool embolden)
        : face_(face), emPixels_(emPixels), embolden_(embolden) {}
    ~OutlineGlyphs() override {
        std::lock_guard guard(library_->lock());
        FT_Done_Face(face_);
    }
    OutlineGlyphs(const OutlineGlyphs&) = delete;
    OutlineGlyphs& operator=(const OutlineGlyphs&) = delete;

    Glyph render(std::uint8_t ch) const override {
        return rasteriseGlyph(face_, FT_Get_Char_Index(face_, cp1252ToUnicode(ch)), emPixels_, embolden_);
    }

private:
    std::shared_ptr<FontLibrary> library_ = FontLibrary::shared();
    FT_Face face_;
    double emPixels_;
    bool embolden_; ///< bold asked of a face that has none
};

struct VerticalMetrics {
    double winAscent, winDescent, lineGap, hheaAscent, hheaDescent, averageWidth;
};

VerticalMetrics verticalMetricsOf(FT_Face face) {
    VerticalMetrics m{};
    m.hheaAscent = face->ascender;
    m.hheaDescent = -face->descender;
    m.lineGap = face->height - (face->ascender - face->descender);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        m.winAscent = os2->usWinAscent;
        m.winDescent = os2->usWinDescent;
        m.averageWidth = os2->xAvgCharWidth;
    } else {
        m.winAscent = m.hheaAscent;
        m.winDescent = m.hheaDescent;
        m.averageWidth = face->max_advance_width / 2.0;
    }
    return m;
}

} // namespace

std::optional<FontMaking> makeOutlineFont(const LogFont& description) {
    FontLibrary& library = FontLibrary::instance();
    auto match = library.match(description);
    if (!match || !library.freetype())
        return std::nullopt;
    std::lock_guard guard(library.lock());
    FT_Face face = nullptr;
    if (FT_New_Face(library.freetype(), match->file.c_str(), match->index, &face) != 0)
        return std::nullopt;
    FontMaking font;
    font.family = match->family;
    const int weight = description.weight == 0 ? kFontWeightNormal : description.weight;

    const VerticalMetrics v = verticalMetricsOf(face);
    const double units = face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
    const int height = std::clamp(description.height, -kLargestFontPixels, kLargestFontPixels);
    double em = height < 0   ? -height
                : height > 0 ? height * units / (v.winAscent + v.winDescent)
                             : kDefaultFontPixels;
    em = std::clamp(em, 1.0, static_cast<double>(kLargestFontPixels));
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
    const double scale = em / units;

    TextMetrics& m = font.metrics;
    m.ascent = static_cast<int>(std::ceil(v.winAscent * scale - 0.01));
    m.descent = static_cast<int>(std::lround(v.winDescent * scale));
    if (height > 0)
        m.descent = std::max(height - m.ascent, 0);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(m.height - static_cast<int>(std::lround(em)), 0);
    const double external = v.lineGap - ((v.winAscent + v.winDescent) - (v.hheaAscent + v.hheaDescent));
    m.externalLeading = std::max(static_cast<int>(std::lround(external * scale)), 0);
    m.aveCharWidth = std::max(static_cast<int>(std::lround(v.averageWidth * scale)), 1);
    m.maxCharWidth = std::max(static_cast<int>(std::lround(face->max_advance_width * scale)), 1);
    m.weight = weight;
    m.italic = description.italic;
    m.underlined = description.underline;
    m.struckOut = description.strikeOut;
    m.charSet = description.charSet;
    const bool fixed = FT_IS_FIXED_WIDTH(face);
    font.keepsAdvances = fixed;
    m.pitchAndFamily = (fixed ? 0 : kMetricsVariablePitch) | kMetricsScalable | (description.pitchAndFamily & 0xF0);

    font.lineThickness = std::max(static_cast<int>(std::lround(face->underline_thickness * scale)), 1);
    font.underlineOffset = std::max(static_cast<int>(std::lround(-face->underline_position * scale)), 1);
    font.strikeOutOffset = -std::max(static_cast<int>(std::lround(m.ascent * 0.3)), 1);
    font.glyphs = std::make_unique<OutlineGlyphs>(face, em, weight >= 600 && match->weight < 600);
    return font;
}

} // namespace q71
