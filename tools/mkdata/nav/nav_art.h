#pragma once
// The navigation station's art: the chart page ("nav") and the fathometer page ("fathmtr"),
// their console faces, page buttons, view buttons, toggles and knobs.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: stages both groups (after the texts, whose faces and words it uses).
void generateNavigationArt(const Context& context);

} // namespace q71::mkdata
