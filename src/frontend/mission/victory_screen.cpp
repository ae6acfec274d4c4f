#include "frontend/mission/victory_screen.h"

#include "framework/app/screen_manager.h"
#include "frontend/debrief/debrief_result.h"
#include "frontend/glass_colours.h"
#include "frontend/screen_art.h"

namespace q71 {

VictoryScreen::VictoryScreen(WindowHandle parent)
    : EndOfMissionScreen("Victory", parent, kVictoryGroup, 2350, glass_colours::kAmber) {}

std::string VictoryScreen::body() const {
    return missionScoreLines();
}

bool VictoryScreen::skip() {
    screenExitToMainMenu();
    screenDestroyLater(kSlotVictory);
    return true;
}

} // namespace q71
