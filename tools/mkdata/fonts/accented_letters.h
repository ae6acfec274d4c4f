#pragma once
// Accented letters made from their letter and their accent, as a type designer draws them: where
// a strike's letter is redrawn by hand, the letters with accents built on it are drawn again from
// the new letter, so that "é" keeps the "e" a reader knows.

#include "mkdata/fonts/bitmap_font_source.h"

namespace q71::mkdata {

/// The characters beyond Windows-1252 that accented letters are built from: the dotless i and the
/// caron.
std::span<const char32_t> accentBuildingBlocks();

/// For each Windows-1252 accented letter whose own picture is not among `mends` but whose letter
/// is, puts into `glyphs` the letter with its accent (taken from `glyphs`, mended or not) centred
/// above it, one blank row between, or hung below it (the cedilla). Throws when the accent lacks.
void composeAccentedLetters(GlyphTable& glyphs, const GlyphTable& mends);

} // namespace q71::mkdata
