#pragma once
// The strips of the fire panel's launcher panels and of the display's launcher views: valve and
// door switches, fire buttons, lamps, the weapon, countermeasure and cell selectors, and the
// buttons of the tube selection and the wire panel.

#include "mkdata/generator.h"

namespace q71::mkdata {

class ArtTexts;

void stageFirePanelStrips(const Context& context, const ArtTexts& texts);

} // namespace q71::mkdata
