#pragma once
// One glyph of a face turned into one-bit ink that keeps the letter a reader knows: the face's own
// hints for one-bit output where their ink keeps the strokes and eyes of the outline drawn large,
// another way where they lose one. Only the font code includes this.

#include "platform/gdi/font.h"

struct FT_FaceRec_;

namespace q71 {

/// The glyph `index` of a face set to `emPixels`, emboldened when the face has no bold of its
/// own; an empty glyph when FreeType cannot draw it. Callers hold the font library's lock.
Glyph rasteriseGlyph(FT_FaceRec_* face, unsigned index, double emPixels, bool embolden);

} // namespace q71
