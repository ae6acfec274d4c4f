#pragma once
// The shape of a glyph's ink as a reader sees it: how many separate strokes it has and how many
// eyes (clear areas the ink closes in). A "5" whose eye closes reads as a "6"; an "i" whose dot
// merges with its stem, or an "m" that loses a stem, is another letter.

#include "platform/gdi/font.h"

namespace q71 {

struct GlyphShape {
    int strokes = 0; ///< separate pieces of ink (touching at a corner counts as one)
    int eyes = 0;    ///< clear areas that the ink closes in, of at least the least eye's pixels
    bool operator==(const GlyphShape&) const = default;
};

/// The shape of a glyph's mask; clear areas smaller than `leastEye` pixels are no eyes.
GlyphShape glyphShapeOf(const Glyph& glyph, int leastEye);
/// Fills with ink the eyes of fewer than `pixels` pixels; whether there was any.
bool fillEyesSmallerThan(Glyph& glyph, int pixels);

} // namespace q71
