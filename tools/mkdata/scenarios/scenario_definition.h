#pragma once
// The readable definition of a scenario (data/scenarios/<name>.txt): the environment, the
// mission texts in French, the own boat's start positions, the units with their tasking and
// waypoints, and the goals with their radio messages. Places are named sites of the mission
// areas (data/areas.txt) with offsets in km; depths are feet, negative below the surface.
// docs/scenarios.md describes every statement.

#include "mkdata/objects/object_table.h"
#include "mkdata/terrain/mission_areas.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/scenario_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace q71::mkdata {

/// What stands at a record's place, for the checks of the water under it.
enum class UnitClass { OwnStart, Submarine, SurfaceShip, Aircraft, Mine, Object };

struct UnitDefinition {
    std::string label; ///< how goals name it; empty for a start position
    UnitClass unitClass = UnitClass::OwnStart;
    const ObjectRecord* object = nullptr; ///< its object record; null for a start position
    int line = 0;
};

struct GoalDefinition {
    GoalNode node;           ///< the node as the file holds it
    std::int32_t parent = 0; ///< the id of the goal it follows; 0 at the root
    int target = -1;         ///< the record of the unit it is about, whose place is its area's centre
    int line = 0;
};

struct ScenarioDefinition {
    std::string name; ///< the scenario's file name without ".scn"
    std::filesystem::path source;
    const MissionArea* area = nullptr;
    Scenario scenario;
    std::vector<UnitDefinition> units; ///< one per record of the scenario, in the same order
    std::vector<GoalDefinition> goals; ///< in the order they are given
    GradeThresholds thresholds = kDefaultGradeThresholds;
};

/// Parses a definition; throws "file:line: reason" on the first malformed or inconsistent line.
ScenarioDefinition parseScenarioDefinition(const std::string& text, const std::filesystem::path& source,
                                           const std::string& name, const std::vector<MissionArea>& areas,
                                           const std::vector<TableRecord>& objects);

/// The goal tree of a definition, built so that the game reads every level in the given order.
GoalTree scenarioGoalTree(const ScenarioDefinition& definition);

} // namespace q71::mkdata
