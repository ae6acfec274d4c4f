#pragma once
// Glyphs redrawn by hand where a source strike's own would be misread (an "S" like a "5", an "I"
// like an "l"), written in the data set's sources as pictures:
//
//   # comments and blank lines between glyphs
//   rows 9 2          the rows of every picture: 9 above the baseline, 2 below
//   glyph S           the character (itself in UTF-8, or U+0053)
//   ..##.             one line per row, "#" ink and "." blank; the length is the advance,
//   .#..#             the first column stands at the pen
//   ...
//
// Every picture has the rows given and lines of one length.

#include "mkdata/fonts/bitmap_font_source.h"

#include <filesystem>

namespace q71::mkdata {

/// The glyphs of a mends file, cut to their ink; throws with the file and line at a fault.
GlyphTable readGlyphMends(const std::filesystem::path& file);

} // namespace q71::mkdata
