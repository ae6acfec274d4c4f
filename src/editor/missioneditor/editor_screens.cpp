#include "editor/missioneditor/editor_screens.h"

#include "editor/missioneditor/pro_mission.h"
#include "framework/app/screen_manager.h"

namespace q71 {
namespace {

std::unique_ptr<FullScreen> makeProMission(const ScreenRequest& request) {
    return std::make_unique<ProMission>(request.mainWindow);
}

} // namespace

void editorInstallScreens() {
    screenRegisterMaker(kSlotMissionEditor, makeProMission);
}

} // namespace q71
