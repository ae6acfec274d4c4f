#pragma once
// The mission editor's screen: the map's bezel, the panel of the area list, tool buttons and
// file name, and its buttons.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws the screen and stages it in the editor's group.
void drawEditorArt(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
