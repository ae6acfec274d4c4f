#pragma once
// The pictures of the radar station (group "radar"): its console with the scope's bezel, the mast
// lamp, its switches, knobs and tag button.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the station and stages it for the archives.
void generateRadarArt(const Context& context);

} // namespace q71::mkdata
