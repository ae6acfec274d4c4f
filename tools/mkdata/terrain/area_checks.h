#pragma once
// Checks that the written terrain database keeps what data/areas.txt promises, on the grid
// the game cuts for each mission area and with the game's bottom roughness.

#include "mkdata/terrain/mission_areas.h"

#include <filesystem>
#include <vector>

namespace q71::mkdata {

/// Throws, naming every broken promise by its line of `source`, when a site lacks its water
/// (or its dry land) or a channel its depth.
void checkMissionAreas(const std::filesystem::path& database, const std::vector<MissionArea>& areas,
                       const std::filesystem::path& source);

} // namespace q71::mkdata
