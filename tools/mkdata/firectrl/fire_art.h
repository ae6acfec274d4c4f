#pragma once
// The fire-control station's art (group "firectrl"): the display's, the fire panel's and the
// load-out's console faces, their page, view and toggle buttons, the firing switch and the
// weapon lamps.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: stages the group (after the texts, whose faces and words it uses).
void generateFireControlArt(const Context& context);

} // namespace q71::mkdata
