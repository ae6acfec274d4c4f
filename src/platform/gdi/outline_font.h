#pragma once
// Fonts drawn from the outlines of the installed free fonts and the font files the program added,
// found through fontconfig and rasterised by FreeType one bit deep, so the same pixels come out
// every time; a glyph whose hinted ink loses a stroke or an eye of its outline is drawn another way
// that keeps them. Only the font code includes this.

#include "platform/gdi/font_making.h"

#include <optional>

namespace q71 {

/// The outline face nearest to the description at its size; nullopt when no font file at all can be opened.
std::optional<FontMaking> makeOutlineFont(const LogFont& description);

} // namespace q71
