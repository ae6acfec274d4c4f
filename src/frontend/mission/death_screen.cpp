#include "frontend/mission/death_screen.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/glass_colours.h"
#include "frontend/screen_art.h"

namespace q71 {
namespace {

constexpr int kTitleText = 2339;
constexpr int kCauseTexts = 2340; // + cause, 1 to 6; 2340 itself for an unknown cause
constexpr int kLastCause = 6;

} // namespace

DeathScreen::DeathScreen(WindowHandle parent)
    : EndOfMissionScreen("Death", parent, kDeathGroup, kTitleText, glass_colours::kWarningRed) {}

std::string DeathScreen::causeText(int cause) {
    return textCopy(kCauseTexts + (cause >= 1 && cause <= kLastCause ? cause : 0));
}

std::string DeathScreen::body() const {
    return causeText(appSimulation().ownShipLossCause());
}

bool DeathScreen::skip() {
    screenShowDebrief();
    screenDestroyLater(kSlotDeath);
    return true;
}

} // namespace q71
