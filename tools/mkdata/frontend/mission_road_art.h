#pragma once
// The pictures of the screens on a mission's road: mission selection, the options, the debriefing,
// the death and the victory, with their buttons.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws the screens and stages them in their groups.
void drawMissionRoadArt(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
