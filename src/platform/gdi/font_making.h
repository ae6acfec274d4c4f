#pragma once
// What a font is made of, whichever way it is drawn: where its glyphs come from (a face's outlines
// or a strike drawn for its size) and its sizes. Only the font code includes this.

#include "platform/gdi/font.h"

#include <cstdint>
#include <memory>
#include <string>

namespace q71 {

/// Draws the glyphs of one font.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    /// The glyph of a Windows-1252 byte (its ink columns not yet found); callers hold the font
    /// library's lock.
    virtual Glyph render(std::uint8_t ch) const = 0;
};

struct FontMaking {
    std::string family;
    TextMetrics metrics;
    int underlineOffset = 1;
    int strikeOutOffset = 0;
    int lineThickness = 1;
    /// The glyphs' own advances are kept as they are (a fixed pitch, or a strike's spacing drawn
    /// with its letters): no spacing rule moves them.
    bool keepsAdvances = false;
    std::unique_ptr<const GlyphSource> glyphs;
};

} // namespace q71
