#pragma once
// The network lobby's screen: its two panels, the glass of its lists and fields, and its buttons.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws the screen and stages it in the lobby's group.
void drawLobbyArt(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
