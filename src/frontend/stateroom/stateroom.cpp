#include "frontend/stateroom/stateroom.h"

#include "framework/app/app_services.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/game_time_text.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/options/options_screen.h"
#include "frontend/screen_art.h"
#include "frontend/stateroom/saved_mission_file.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "platform/window/window_paint.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"

namespace q71 {
namespace {

enum ControlId : int {
    kOptionsId = 1,
    kEndId = 2,
    kSaveId = 3,
    kLoadId = 4,
};

constexpr int kTitleText = 2900;
constexpr int kSafeText = 2901;
constexpr int kSavedText = 2906;
constexpr int kNoSaveKindText = 2907;
constexpr int kEmptySafeText = 2908;
constexpr int kLostBoatText = 2909;
constexpr int kReadyText = 2910;
constexpr int kSaveFailedText = 2911;

} // namespace

Stateroom::Stateroom(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {}

Stateroom::~Stateroom() = default;

void Stateroom::open() {
    using namespace stateroom_layout;
    frontEndSelectGroup(kStateroomGroup);
    frontEndLoadBackground(background_);
    save_ = frontEndPushButton(window_, kSaveId, kSaveX, kToggleY, kToggleWidth, kToggleHeight);
    load_ = frontEndPushButton(window_, kLoadId, kLoadX, kToggleY, kToggleWidth, kToggleHeight);
    options_ = frontEndPushButton(window_, kOptionsId, kOptionsX, kButtonY, kButtonWidth, kButtonHeight);
    end_ = frontEndPushButton(window_, kEndId, kEndX, kButtonY, kButtonWidth, kButtonHeight);
    shownSecond_ = -1;
    saidText_ = 0;
    refreshToggles();
}

void Stateroom::close() {
    save_.reset();
    load_.reset();
    options_.reset();
    end_.reset();
    background_.free();
}

bool Stateroom::canSave() const {
    return !saveLocked_ && !savedMissionPath(missionState().missionMode).empty();
}

bool Stateroom::canLoad() const {
    return savedMissionExists(missionState().missionMode);
}

void Stateroom::refreshToggles() {
    if (save_)
        save_->setEnabled(canSave());
    if (load_)
        load_->setEnabled(canLoad());
    // The glass says why a toggle is off, unless it tells what was just done.
    if (saidText_ == kSavedText || saidText_ == kSaveFailedText)
        return;
    if (savedMissionPath(missionState().missionMode).empty())
        say(kNoSaveKindText);
    else if (saveLocked_)
        say(kLostBoatText);
    else
        say(canLoad() ? kReadyText : kEmptySafeText);
}

void Stateroom::say(int text) {
    saidText_ = text;
    Rect glass = stateroom_layout::kSafeGlass;
    windowInvalidate(window_, &glass, false);
}

void Stateroom::lockSave() {
    saveLocked_ = true;
    saidText_ = 0;
    refreshToggles();
}

void Stateroom::update() {
    SubScreen::update();
    const long second = static_cast<long>(appSimulation().gameClock());
    if (!isVisible() || second == shownSecond_)
        return;
    shownSecond_ = second;
    Rect clock = stateroom_layout::kClockGlass;
    windowInvalidate(window_, &clock, false);
}

void Stateroom::paint(DeviceContext& dc) {
    using namespace stateroom_layout;
    SubScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleText));
    glassLine(dc, kNameGlass, missionTexts().name.value_or(""), kLargeFont, glass_colours::kPhosphor, true);
    glassLine(dc, kClockGlass, gameTimeText(appSimulation().gameClock()), kTitleFont, glass_colours::kAmber,
              true);
    glassLine(dc, kSafeLabel, textCopy(kSafeText), kLabelFont, glass_colours::kLabel, true);
    if (saidText_)
        glassLine(dc, kSafeGlass, textCopy(saidText_), kTextFont,
                  saidText_ == kSaveFailedText || saidText_ == kLostBoatText ? glass_colours::kWarningRed
                                                                             : glass_colours::kAmber,
                  true);
}

int Stateroom::onCommand(WParam wParam, LParam) {
    switch (static_cast<int>(wParam)) {
    case kSaveId:
        if (canSave()) {
            say(savedMissionWrite() ? kSavedText : kSaveFailedText);
            refreshToggles();
        }
        return 1;
    case kLoadId:
        // The host this room lies in is rebuilt by the load: it happens once this handler is left.
        if (canLoad())
            savedMissionLoadLater();
        return 1;
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

void stateroomRegister() {
    stationRegisterMaker(kStationStateroom, makeStation<Stateroom>);
}

void stateroomLockSafe() {
    const FullScreen* host = screenGet(kSlotGenInfo);
    if (auto* room = host ? dynamic_cast<Stateroom*>(host->child(kStationStateroom)) : nullptr)
        room->lockSave();
}

} // namespace q71
