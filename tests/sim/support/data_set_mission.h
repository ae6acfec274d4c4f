#pragma once
// Starting a scenario of the data set as the mission selection starts it, for the tests and
// the benchmarks that run the data set's missions.

#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "sim/entities/explosion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace q71::test {

/// Opens the data set in a folder as the program has it when a mission starts: the folder made
/// current, its objects, texts and terrain open, the entity classes with their controllers and
/// explosions installed; the player's files (the replay log) go to `playerFolder`. False when
/// a part of it cannot be opened.
inline bool openDataSetForMissions(const std::filesystem::path& folder, const std::filesystem::path& playerFolder) {
    ::setenv("Q71_DATA", folder.c_str(), 1);
    ::setenv("XDG_DATA_HOME", playerFolder.c_str(), 1);
    appReadInstallPaths();
    std::error_code error;
    std::filesystem::current_path(rootInstallPath, error);
    if (error || !objdbLoad() || textOpen() != 1)
        return false;
    worldOpen();
    entityClassesInstall();
    entityControllersInstall();
    explosionInstallMaker();
    return true;
}

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
