#pragma once
// The pictures of the target-motion-analysis station (group "tma"): its console face, its hold
// switches and its push buttons.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the station and stages it for the archives.
void generateTmaArt(const Context& context);

} // namespace q71::mkdata
