#pragma once
// Checks that the written terrain database keeps what data/areas.txt promises, on the grid
// the game cuts for each mission area and with the game's bottom roughness.

#include "mkdata/terrain/mission_areas.h"
#include "sim/world/dem_grid.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace q71::mkdata {

/// Cuts an area's mission grid from the database as the game does; null, with the reason in
/// `error`, when it cannot.
std::unique_ptr<DemGrid> cutAreaGrid(const std::filesystem::path& database, const MissionArea& area,
                                     std::string& error);

/// Height of a cut grid at a point of the area's plane; nothing off the grid.
std::optional<double> areaGridHeight(const DemGrid& grid, const PlanePoint& at);

/// Throws, naming every broken promise by its line of `source`, when a site lacks its water
/// (or its dry land) or a channel its depth.
void checkMissionAreas(const std::filesystem::path& database, const std::vector<MissionArea>& areas,
                       const std::filesystem::path& source);

} // namespace q71::mkdata
