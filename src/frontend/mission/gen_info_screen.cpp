#include "frontend/mission/gen_info_screen.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/game_time_text.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/mission/gen_info_layout.h"
#include "frontend/options/options_screen.h"
#include "frontend/screen_art.h"
#include "platform/window/window_paint.h"
#include "sim/simulation/scenario_reader.h"

namespace q71 {
namespace {

enum ControlId : int {
    kOptionsId = 1,
    kEndId = 2,
};

constexpr int kTitleText = 2330;

} // namespace

GenInfoScreen::GenInfoScreen(WindowHandle parent) : FrontEndScreen("gen_info", parent) {}

GenInfoScreen::~GenInfoScreen() = default;

void GenInfoScreen::open() {
    using namespace gen_info_layout;
    frontEndSelectGroup(kGenInfoGroup);
    frontEndLoadBackground(background_);
    options_ = frontEndPushButton(window_, kOptionsId, kOptionsX, kButtonY, kButtonWidth, kButtonHeight);
    end_ = frontEndPushButton(window_, kEndId, kEndX, kButtonY, kButtonWidth, kButtonHeight);
    shownSecond_ = -1;
}

void GenInfoScreen::close() {
    options_.reset();
    end_.reset();
    background_.free();
}

void GenInfoScreen::update() {
    const long second = static_cast<long>(appSimulation().gameClock());
    if (!isVisible() || second == shownSecond_)
        return;
    shownSecond_ = second;
    Rect clock = gen_info_layout::kClockGlass;
    windowInvalidate(window_, &clock, false);
}

void GenInfoScreen::paint(DeviceContext& dc) {
    using namespace gen_info_layout;
    FrontEndScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(kTitleText), kTitleFont, glass_colours::kLabel, true);
    glassLine(dc, kNameGlass, missionTexts().name.value_or(""), kLargeFont, glass_colours::kPhosphor, true);
    glassLine(dc, kClockGlass, gameTimeText(appSimulation().gameClock()), kTitleFont, glass_colours::kAmber,
              true);
}

int GenInfoScreen::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kOptionsId:
        screenCreateOptions(kOptionsBackToHost);
        screenSwitch(kSlotOptions);
        return 1;
    case kEndId:
        // The debriefing takes over; this screen stays until the mission is left.
        screenShowDebrief();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

} // namespace q71
