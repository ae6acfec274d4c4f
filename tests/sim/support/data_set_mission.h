#pragma once
// Starting a scenario of the data set as the mission selection starts it, for the tests and
// the benchmarks that run the data set's missions.

#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"

#include <string>

namespace q71::test {

/// Sets the mission mode by the scenario's first letter and its index by its number, builds the
/// own boat and starts the scenario; the world is not yet running.
inline ScenarioStatus startDataSetScenario(const std::string& name) {
    const std::int32_t mode = name[0] == 'T'   ? kMissionModeTutorial
                              : name[0] == 'S' ? kMissionModeSingle
                                               : kMissionModeCampaign;
    missionState().missionMode = mode;
    missionState().missionIndex = std::stoi(name.substr(2)) - 1;
    simSetupOwnShip(-1);
    return simStartMission(name, mode);
}

} // namespace q71::test
