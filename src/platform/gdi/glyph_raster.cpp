#include "platform/gdi/glyph_raster.h"

#include "platform/gdi/glyph_shape.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

namespace q71 {
namespace {

// The size a glyph's outline is drawn at to see its shape: large enough that every stroke and eye
// of a face shows plainly. Glyphs this size or larger keep their shape as they are drawn.
constexpr int kOutlineEmPixels = 64;

// Ways of turning an outline into one-bit ink, in the order they are tried. The face's own hints
// for one-bit output give the crispest letters and stand wherever they keep the letter's shape; at
// the smallest sizes they can close an eye or drop a stem (a 5 then reads as a 6, an "s" as an
// "8"), and the automatic hinter, or the lightly hinted grey coverage cut at a falling level, is
// taken instead; last, a high cut, which opens the eyes that the heavy strokes of a small bold
// face fill.
struct Rasterisation {
    FT_Int32 loadFlags;
    FT_Render_Mode mode;
    int leastCoverage; ///< of 255, for grey renderings: the coverage that is ink
};
constexpr Rasterisation kRasterisations[] = {
    {FT_LOAD_TARGET_MONO, FT_RENDER_MODE_MONO, 0},
    {FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_MONO, FT_RENDER_MODE_MONO, 0},
    {FT_LOAD_TARGET_LIGHT, FT_RENDER_MODE_NORMAL, 96},
    {FT_LOAD_TARGET_LIGHT, FT_RENDER_MODE_NORMAL, 80},
    {FT_LOAD_TARGET_LIGHT, FT_RENDER_MODE_NORMAL, 64},
    {FT_LOAD_TARGET_LIGHT, FT_RENDER_MODE_NORMAL, 160},
};
// The outline drawn large: grey coverage of half a pixel is ink.
constexpr int kOutlineLeastCoverage = 128;

// The slot's rendered bitmap as a glyph's ink (its advance left at 0).
Glyph inkOf(FT_GlyphSlot slot, int leastCoverage) {
    Glyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.mask.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
    const bool oneBit = slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = slot->bitmap.buffer + static_cast<std::ptrdiff_t>(y) * slot->bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x)
            glyph.mask[static_cast<std::size_t>(y * glyph.width + x)] =
                oneBit ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= leastCoverage;
    }
    return glyph;
}

// Renders a glyph one way; nullopt when FreeType cannot.
std::optional<Glyph> rasterise(FT_Face face, FT_UInt index, const Rasterisation& way, bool embolden) {
    if (FT_Load_Glyph(face, index, way.loadFlags) != 0)
        return std::nullopt;
    if (embolden)
        FT_GlyphSlot_Embolden(face->glyph);
    if (FT_Render_Glyph(face->glyph, way.mode) != 0)
        return std::nullopt;
    Glyph glyph = inkOf(face->glyph, way.leastCoverage);
    glyph.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    return glyph;
}

// The shape the glyph's outline has, unhinted and drawn large; nullopt when it cannot be drawn.
std::optional<GlyphShape> outlineShape(FT_Face face, FT_UInt index, double emPixels, bool embolden) {
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return std::nullopt;
    if (embolden)
        FT_GlyphSlot_Embolden(face->glyph);
    const double scale = kOutlineEmPixels / emPixels;
    const auto fixed = static_cast<FT_Fixed>(std::lround(scale * 65536));
    FT_Matrix enlarge{fixed, 0, 0, fixed};
    FT_Outline_Transform(&face->glyph->outline, &enlarge);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return std::nullopt;
    // An eye of the large outline smaller than a pixel of the glyph's own size is no eye.
    const int pixel = static_cast<int>(scale);
    return glyphShapeOf(inkOf(face->glyph, kOutlineLeastCoverage), pixel * pixel);
}

// A glyph of the shape wanted in place of the crisp one that lost it: the crisp one with its
// pinholes filled (where strokes meet), else the first other way that keeps the shape and the crisp
// glyph's height, so that it stands level with its neighbours; the crisp one when none does.
// Text widths stay those of the face's own hints, whichever ink is drawn.
Glyph keepingShape(FT_Face face, FT_UInt index, bool embolden, const GlyphShape& wanted, Glyph crisp) {
    Glyph mended = crisp;
    if (fillEyesSmallerThan(mended, 2) && glyphShapeOf(mended, 1) == wanted)
        return mended;
    for (const Rasterisation& way : std::span(kRasterisations).subspan(1)) {
        std::optional<Glyph> other = rasterise(face, index, way, embolden);
        if (other && other->top == crisp.top && other->height == crisp.height && glyphShapeOf(*other, 1) == wanted) {
            other->advance = crisp.advance;
            return std::move(*other);
        }
    }
    return crisp;
}

} // namespace

Glyph rasteriseGlyph(FT_Face face, unsigned index, double emPixels, bool embolden) {
    std::optional<Glyph> crisp = rasterise(face, index, kRasterisations[0], embolden);
    if (!crisp)
        return {};
    std::optional<GlyphShape> wanted;
    if (emPixels < kOutlineEmPixels)
        wanted = outlineShape(face, index, emPixels, embolden);
    if (wanted && !(glyphShapeOf(*crisp, 1) == *wanted))
        return keepingShape(face, index, embolden, *wanted, std::move(*crisp));
    return std::move(*crisp);
}

} // namespace q71
