#include "stations/firectrl/tube_panel.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/animated_switch.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "media/audio/sound_manager.h"
#include "sim/services/audio_service.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/panel_art.h"
#include "stations/firectrl/panel_controls.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/tube_weapon_selector.h"

#include <algorithm>
#include <string>

namespace q71 {
namespace {

constexpr int kWireCutText = 771;
constexpr int kWireCutPriority = 0;

constexpr PanelArtFile kTubeArtFiles[] = {
    {kTubeFlood.bitmap, 37}, {kTubeEqualize.bitmap, 43}, {kTubeMuzzle.bitmap, 49}, {kTubeFire.bitmap, 61}};
enum TubeArt : std::size_t { kFloodArt, kEqualizeArt, kMuzzleArt, kFireArt };

PanelArt& tubeArt() {
    static PanelArt art(kTubeArtFiles, "torpedo");
    return art;
}

} // namespace

TorpedoTube* tableTube(int index) {
    const auto tables = launcherTables();
    if (!tables || index < 0 || index >= kTorpedoTubeCount)
        return nullptr;
    return static_cast<TorpedoTube*>(tables->tubes[static_cast<std::size_t>(index)]);
}

TubePanel::TubePanel(WindowHandle page, int index, const FirePanelRow& row)
    : tube_(tableTube(index)), idBase_(row.idBase) {
    PanelArt& art = tubeArt();
    art.acquire();
    flood_ = makePanelSwitch(page, row, kTubeFlood, art, kFloodArt, false, false);
    equalize_ = makePanelSwitch(page, row, kTubeEqualize, art, kEqualizeArt, true, true);
    equalize_->setEnabled(false);
    muzzle_ = makePanelSwitch(page, row, kTubeMuzzle, art, kMuzzleArt, true, true);
    muzzle_->setEnabled(false);
    readyLamp_ = makePanelLamp(page, row, kTubeReadyLamp, kTubeReadyLamp.bitmap);
    const char* strip =
        missionState().missionMode == kMissionModeTutorial ? kTubeExerciseSelector : kTubeSelector.bitmap;
    selector_ = std::make_unique<TubeWeaponSelector>(page, strip, row.idBase + kTubeSelector.idOffset,
                                                     row.x + kTubeSelector.dx, row.y + kTubeSelector.dy,
                                                     kTubeSelector.width, kTubeSelector.height,
                                                     kTubeSelector.frames, tube_);
    fire_ = makePanelFireButton(page, row, kTubeFire, art, kFireArt, kFireButtonBlinks);
    tubeLamp_ = makePanelLamp(page, row, kTubeLamp, panelLampFile(row.lamp));
    fireSound_ = soundLoad(kTubeFireSound);
    wireAttached_ = panelsResumeMission() && tube_ && tube_->launched != 0;
}

TubePanel::~TubePanel() {
    // The widgets go before the strips they show.
    flood_.reset();
    equalize_.reset();
    muzzle_.reset();
    fire_.reset();
    tubeArt().release();
}

void TubePanel::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF) - idBase_;
    const int notification = static_cast<int>(lParam);
    if (id == kTubeFlood.idOffset)
        onFlood(notification);
    else if (id == kTubeEqualize.idOffset)
        onEqualize(notification);
    else if (id == kTubeMuzzle.idOffset)
        onMuzzle(notification);
    else if (id == kTubeFire.idOffset)
        onFire(notification);
    else if (id == kTubeSelector.idOffset)
        onSelector(notification);
}

void TubePanel::onFlood(int notification) {
    if (notification == kSwitchOn) {
        equalize_->setEnabled(true);
        selector_->setEnabled(false);
        if (tube_)
            tube_->doorStates[0] = kDoorOn;
    } else if (notification == kSwitchOff) {
        flood_->setEnabled(true);
        flood_->setPosition(2);
        equalize_->setEnabled(false);
        selector_->setEnabled(true);
        if (tube_)
            tube_->doorStates[0] = kDoorOff;
    } else {
        selector_->setEnabled(false);
    }
}

void TubePanel::onEqualize(int notification) {
    if (notification == kSwitchOff) {
        // The tube drains by itself.
        flood_->setReverse();
        flood_->startAnimation();
        muzzle_->setEnabled(false);
        if (tube_)
            tube_->doorStates[1] = kDoorOff;
    } else if (notification == kSwitchOn) {
        flood_->setEnabled(false);
        equalize_->showOnFrame();
        muzzle_->setEnabled(true);
        if (tube_)
            tube_->doorStates[1] = kDoorOn;
    } else if (notification == kSwitchStarts) {
        flood_->setEnabled(false);
        flood_->setPosition(1);
        flood_->setReverse();
    }
}

void TubePanel::onMuzzle(int notification) {
    if (notification == kSwitchOff) {
        if (tube_)
            tube_->doorStates[2] = kDoorOff;
        equalize_->setReverse();
        equalize_->startAnimation();
        armed_ = false;
        refreshReady(false);
        if (wireAttached_)
            releaseWire();
    } else if (notification == kSwitchOn) {
        equalize_->setEnabled(false);
        equalize_->setPosition(1);
        equalize_->showOnFrame();
        muzzle_->showOnFrame();
        flood_->setEnabled(false);
        armed_ = true;
        refreshReady(false);
        if (tube_)
            tube_->doorStates[2] = kDoorOn;
    } else if (notification == kSwitchStarts) {
        equalize_->setEnabled(false);
        equalize_->showOnFrame();
    }
}

// The shut door cuts the wire of the weapon fired through it.
void TubePanel::releaseWire() {
    wireAttached_ = false;
    if (!tube_)
        return;
    tube_->launched = 0;
    if (tube_->isGuidable()) {
        const std::string file = "sswire" + std::to_string(tube_->number()) + ".wav";
        simAudio().crewQueueSpeech(CrewChannel::sonar, {&file, 1}, kWireCutPriority);
        msgLogPrintfId(kWireCutText, tube_->number());
    }
    tube_->launchedTorpedoId = tube_->launchedHarpoonId = tube_->launchedMissileId = tube_->launchedMineId = -1;
}

void TubePanel::onFire(int notification) {
    if (notification == kCoverOpened) {
        muzzle_->setEnabled(false);
        muzzle_->setPosition(1);
        muzzle_->showOnFrame();
    } else if (notification == kCoverClosed) {
        muzzle_->setEnabled(true);
        holdSwitchOn(*muzzle_);
    } else if (notification == kButtonFired) {
        if (!fireControlStations().fireGuidanceSwitch()) {
            reportFiringSwitchOff();
        } else if (tube_) {
            tube_->fire();
            tube_->setDefaults();
            soundPlay(fireSound_, 0, 1, 0);
        }
        flood_->setEnabled(false);
        flood_->setPosition(1);
        flood_->setReverse();
        equalize_->setEnabled(false);
        holdSwitchOn(*equalize_);
        muzzle_->setEnabled(true);
        holdSwitchOn(*muzzle_);
        readyLamp_->setFrameIndex(0);
        tubeLamp_->setFrameIndex(0);
        armed_ = false;
        refreshReady(false);
        selector_->setEnabled(false);
        selector_->selectLast();
        selector_->loadedPosition = TubeWeaponSelector::kEmptyLoaded;
        wireAttached_ = true;
    }
}

void TubePanel::onSelector(int notification) {
    if (notification == kSelectorSettled) {
        // The model took the type at the choice; the crew is done now.
        selector_->loadedPosition = selector_->position();
        refreshReady(false);
        selector_->select(selector_->loadedPosition);
        flood_->setEnabled(true);
        flood_->setPosition(2);
    } else {
        const bool armed = armed_;
        armed_ = false;
        refreshReady(false);
        armed_ = armed;
        flood_->setEnabled(false);
        flood_->setPosition(2);
    }
}

void TubePanel::refreshReady(bool) {
    showReadiness(tube_, armed_, *readyLamp_, *fire_, *tubeLamp_);
}

void TubePanel::restoreFromLauncher() {
    if (!tube_)
        return;
    const auto& doors = tube_->doorStates;
    flood_->setPosition(doors[0]);
    if (doors[0] == kDoorOn) {
        flood_->setReverse();
        if (doors[1] != kDoorOn)
            equalize_->setEnabled(true);
    }
    equalize_->setPosition(doors[1]);
    if (doors[1] == kDoorOn) {
        equalize_->setReverse();
        if (doors[2] != kDoorOn)
            muzzle_->setEnabled(true);
    }
    if (doors[2] == kDoorOn)
        muzzle_->setEnabled(true); // before the position, which enabling resets
    muzzle_->setPosition(doors[2]);
    if (doors[2] == kDoorOn) {
        muzzle_->setReverse();
        armed_ = true;
        refreshReady(false);
    }
}

void TubePanel::setSideEnabled(bool enabled) {
    flood_->setEnabled(enabled);
    flood_->resetDirection();
    if (enabled) {
        flood_->setFrame(0);
        equalize_->resetDirection();
    } else {
        equalize_->setEnabled(false);
        muzzle_->setEnabled(false);
        equalize_->resetDirection();
    }
    muzzle_->resetDirection();
    selector_->setEnabled(enabled);
}

void TubePanel::setSwitchSounds(bool on) {
    for (AnimatedSwitch* control : {flood_.get(), equalize_.get(), muzzle_.get()})
        control->setSoundEnabled(on);
}

void TubePanel::assignTarget(int target, std::string_view name) {
    tubeLamp_->setFrameIndex(1);
    if (!tube_)
        return;
    tube_->target = target;
    tube_->targetName.fill('\0');
    std::copy_n(name.begin(), std::min(name.size(), tube_->targetName.size() - 1), tube_->targetName.begin());
    tube_->loadPresets();
    refreshReady(false);
}

void TubePanel::loadResources() {
    flood_->loadResources();
    equalize_->loadResources();
    if (wireAttached_ || muzzle_->getState() == 1)
        equalize_->showOnFrame();
    readyLamp_->loadResources();
    fire_->loadResources();
    muzzle_->loadResources();
    tubeLamp_->loadResources();
    selector_->loadResources();
}

void TubePanel::freeResources() {
    flood_->freeResources();
    equalize_->freeResources();
    readyLamp_->freeResources();
    fire_->freeResources();
    muzzle_->freeResources();
    tubeLamp_->freeResources();
    selector_->freeResources();
}

void TubePanel::update() {
    selector_->update(simClock().gameClock);
}

} // namespace q71
