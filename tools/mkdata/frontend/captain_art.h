#pragma once
// The pictures of the captain's own screens of the main menu: the captain's log, the books and
// the port of call.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws the screens and stages them in their groups.
void drawCaptainArt(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
