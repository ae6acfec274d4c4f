#pragma once
// The entity viewer's face: the glass the 3-D view stands in, the name glass and the two buttons
// that step through the world's entities.

#include "mkdata/art/art_texts.h"
#include "mkdata/generator.h"

namespace q71::mkdata {

void drawEntityViewerArt(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
