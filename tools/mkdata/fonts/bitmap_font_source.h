#pragma once
// The hand-drawn bitmap fonts the system installs (the X11 families' strikes, Debian packages
// xfonts-75dpi, xfonts-100dpi and xfonts-base), read through FreeType: the source of the data
// set's strikes for the interface's small sizes.

#include "platform/gdi/font.h"

#include <filesystem>
#include <map>
#include <span>

namespace q71::mkdata {

/// Glyphs by character, each cut to its ink (an inkless glyph keeps only its advance).
using GlyphTable = std::map<char32_t, Glyph>;

/// Where the installed bitmap fonts lie.
std::filesystem::path installedBitmapFonts();

/// Every Windows-1252 character a bitmap font file holds, and those of `alsoRead`; throws when the
/// file cannot be read or is not a one-bit strike.
GlyphTable readBitmapFont(const std::filesystem::path& file, std::span<const char32_t> alsoRead);

/// A glyph cut to the box of its ink; an inkless glyph keeps its advance and nothing else.
Glyph cutToInk(const Glyph& glyph);

} // namespace q71::mkdata
