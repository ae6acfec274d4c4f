#include "frontend/mission/death_screen.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/mission/end_layout.h"
#include "frontend/screen_art.h"

namespace q71 {
namespace {

constexpr int kTitleText = 2339;
constexpr int kCauseTexts = 2340; // + cause, 1 to 6; 2340 itself for an unknown cause
constexpr int kHintText = 2347;
constexpr int kLastCause = 6;

} // namespace

DeathScreen::DeathScreen(WindowHandle parent) : FrontEndScreen("Death", parent) {}

void DeathScreen::open() {
    frontEndSelectGroup(kDeathGroup);
    frontEndLoadBackground(background_);
}

void DeathScreen::close() {
    background_.free();
}

std::string DeathScreen::causeText(int cause) {
    return textCopy(kCauseTexts + (cause >= 1 && cause <= kLastCause ? cause : 0));
}

void DeathScreen::paint(DeviceContext& dc) {
    using namespace end_layout;
    FrontEndScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(kTitleText), kTitleFont, glass_colours::kWarningRed, true);
    const Rect inner = kGlass.inflatedBy(-14, -12);
    glassParagraph(dc, Rect{inner.left, inner.top, inner.right, inner.bottom - 24},
                   causeText(appSimulation().ownShipLossCause()), kLargeFont, glass_colours::kAmber);
    glassLine(dc, Rect{inner.left, inner.bottom - 22, inner.right, inner.bottom}, textCopy(kHintText),
              kHintFont, glass_colours::kPhosphor, true);
}

bool DeathScreen::skip() {
    screenShowDebrief();
    screenDestroyLater(kSlotDeath);
    return true;
}

} // namespace q71
