#pragma once
// The pictures of the ship control station (group "shipctrl"): its console face with the bezels
// under the dials and the trim gauge, and its switches, buttons and lever.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the station and stages it for the archives.
void generateShipControlArt(const Context& context);

} // namespace q71::mkdata
