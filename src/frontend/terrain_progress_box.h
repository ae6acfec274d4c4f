#pragma once
// The progress box the terrain world shows while it cuts a region: the program's progress box
// under the main window, under the busy cursor; the messages waiting for the program are
// answered while it runs.

#include "sim/world/terrain_progress.h"

namespace q71 {

/// The box the front end installs for the terrain world (worldSetProgressBox).
TerrainProgressBox& frontEndTerrainProgressBox();

} // namespace q71
