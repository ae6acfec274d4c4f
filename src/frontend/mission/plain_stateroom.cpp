#include "frontend/mission/plain_stateroom.h"

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/game_time_text.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/mission/plain_stateroom_layout.h"
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

std::unique_ptr<SubScreen> makePlainStateroom(std::string_view key, WindowHandle parent, int width, int height,
                                              int x, int y) {
    return std::make_unique<PlainStateroom>(key, parent, width, height, x, y);
}

} // namespace

PlainStateroom::PlainStateroom(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {}

PlainStateroom::~PlainStateroom() = default;

void PlainStateroom::open() {
    using namespace plain_stateroom_layout;
    frontEndSelectGroup(kStateroomGroup);
    frontEndLoadBackground(background_);
    options_ = frontEndPushButton(window_, kOptionsId, kOptionsX, kButtonY, kButtonWidth, kButtonHeight);
    end_ = frontEndPushButton(window_, kEndId, kEndX, kButtonY, kButtonWidth, kButtonHeight);
    shownSecond_ = -1;
}

void PlainStateroom::close() {
    options_.reset();
    end_.reset();
    background_.free();
}

void PlainStateroom::update() {
    SubScreen::update();
    const long second = static_cast<long>(appSimulation().gameClock());
    if (!isVisible() || second == shownSecond_)
        return;
    shownSecond_ = second;
    Rect clock = plain_stateroom_layout::kClockGlass;
    windowInvalidate(window_, &clock, false);
}

void PlainStateroom::paint(DeviceContext& dc) {
    using namespace plain_stateroom_layout;
    SubScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(kTitleText), kTitleFont, glass_colours::kLabel, true);
    glassLine(dc, kNameGlass, missionTexts().name.value_or(""), kLargeFont, glass_colours::kPhosphor, true);
    glassLine(dc, kClockGlass, gameTimeText(appSimulation().gameClock()), kTitleFont, glass_colours::kAmber,
              true);
}

int PlainStateroom::onCommand(WParam wParam, LParam) {
    switch (static_cast<int>(wParam)) {
    case kOptionsId:
        screenCreateOptions(kOptionsBackToHost);
        screenSwitch(kSlotOptions);
        return 1;
    case kEndId:
        // The debriefing takes over; the host stays until the mission is left.
        screenShowDebrief();
        return 1;
    default:
        return 1;
    }
}

void plainStateroomRegister() {
    stationRegisterMaker(kStationStateroom, makePlainStateroom);
}

} // namespace q71
