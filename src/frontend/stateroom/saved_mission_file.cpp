#include "frontend/stateroom/saved_mission_file.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "frontend/player_file_name.h"
#include "platform/files/path.h"
#include "sim/simulation/mission_load.h"
#include "sim/simulation/mission_save.h"
#include "sim/simulation/mission_state.h"

#include <filesystem>

namespace q71 {
namespace {

void busy(bool on) {
    appCursorMode(appMainWindow(), on ? 2 : 3);
}

// The host for the mission the world holds now: after a load, built and run on the loaded clock;
// after a refused load, the running mission goes on where it stood.
void showHostAgain(bool loaded) {
    if (loaded) {
        screenCreateGenInfo();
    } else {
        AppSimulation& simulation = appSimulation();
        simulation.pause(true);
        if (screenCreate(kSlotGenInfo))
            screenSetSuccessor(kSlotGenInfo, -1);
        simulation.pause(false);
    }
    screenSwitch(kSlotGenInfo);
}

void loadIntoTheRunningMission() {
    const std::string path = savedMissionPath(missionState().missionMode);
    if (path.empty())
        return;
    busy(true);
    screenDestroy(kSlotGenInfo);
    busy(false);
    showHostAgain(simLoadMission(path));
}

} // namespace

const char* savedMissionExtension(std::int32_t mode) {
    switch (mode) {
    case kMissionModeTutorial:
        return ".svt";
    case kMissionModeSingle:
        return ".svs";
    case kMissionModeCampaign:
        return ".svc";
    default:
        return nullptr;
    }
}

std::string savedMissionPath(std::int32_t mode) {
    const char* extension = savedMissionExtension(mode);
    if (!extension || appNetwork().gameExists())
        return {};
    return currentPlayerFilePath(extension);
}

bool savedMissionExists(std::int32_t mode) {
    const std::string path = savedMissionPath(mode);
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(fileResolvePath(path), error);
}

bool savedMissionWrite() {
    const std::string path = savedMissionPath(missionState().missionMode);
    return !path.empty() && simSaveMission(path);
}

void savedMissionLoadLater() {
    screenRunLater(loadIntoTheRunningMission);
}

bool savedMissionResume(std::int32_t mode) {
    const std::string path = savedMissionPath(mode);
    if (path.empty())
        return false;
    busy(true);
    const bool loaded = simLoadMission(path);
    busy(false);
    if (!loaded)
        return false;
    screenCreateGenInfo();
    screenSwitch(kSlotGenInfo);
    return true;
}

} // namespace q71
