#pragma once
// The terrain of the data set: the terrain database "WCDEM.dem" around every mission area of
// data/areas.txt and the whole-world grid "DemWorld.dgd", in the terrain folder.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Generates the terrain folder and checks it against the mission areas.
void generateTerrain(const Context& context);

} // namespace q71::mkdata
