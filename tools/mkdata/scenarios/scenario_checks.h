#pragma once
// Checks a scenario definition against the terrain the game cuts for its area: every start
// position, unit, waypoint, leg, patrol area and goal area lies on the mission grid, and over
// enough water for what stands or moves there (with the bottom roughness the game adds).

#include "mkdata/scenarios/scenario_definition.h"
#include "sim/world/dem_grid.h"

namespace q71::mkdata {

/// Throws, naming every broken place by its line, when the definition asks for water the
/// grid of its area does not have.
void checkScenarioWater(const ScenarioDefinition& definition, const DemGrid& grid);

} // namespace q71::mkdata
