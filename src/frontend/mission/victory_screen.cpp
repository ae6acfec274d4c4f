#include "frontend/mission/victory_screen.h"

#include "framework/app/screen_manager.h"
#include "frontend/debrief/debrief_result.h"
#include "frontend/glass_colours.h"
#include "frontend/movie/indy_screen.h"
#include "frontend/screen_art.h"
#include "sim/simulation/mission_state.h"

namespace q71 {

VictoryScreen::VictoryScreen(WindowHandle parent)
    : EndOfMissionScreen("Victory", parent, kVictoryGroup, 2350, glass_colours::kAmber) {}

std::string VictoryScreen::body() const {
    return missionScoreLines();
}

bool VictoryScreen::skip() {
    // A won campaign mission is reported by its movies, made while the mission still stands.
    const bool report =
        missionState().missionMode == kMissionModeCampaign && screenCreate(kSlotIndy, kIndyReport);
    screenExitToMainMenu();
    if (report)
        screenSwitch(kSlotIndy);
    screenDestroyLater(kSlotVictory);
    return true;
}

} // namespace q71
