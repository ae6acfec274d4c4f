// The periscope panel: its controls, the mast, the optic's frame and the ESM meter.
#include "tactical/periscope/periscope_screen.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "platform/window/keyboard.h"
#include "platform/window/virtual_keys.h"
#include "render3d/camera.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/stadimeter/stadimeter_screen.h"

#include <numbers>
#include <string>

namespace q71 {
namespace {

constexpr int kMissingText = 606;
constexpr const char* kSource = "Periscope";
constexpr int kOutOfActionText = 277;
constexpr const char* kOutOfActionReport = "CowPsFld.wav";
constexpr const char* kEsmTone = "ScopeEsm.wav";
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// A visual fix: no range, course or speed known, quality 95.
constexpr double kFixRange = 10000.0;
constexpr double kUnknown = -1.0;
constexpr std::uint8_t kFixQuality = 95;

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kMissingText), line, kSource, 1);
}

bool shiftHeld() {
    return keyGetAsyncState(VK_SHIFT) < 0;
}

} // namespace

PeriscopeScreen::PeriscopeScreen(std::string_view key, WindowHandle suite, int width, int height, int x, int y)
    : PageScreen(key, suite, width, height, x, y),
      optic_(std::make_unique<Scope>("scope", window(), kPeriscopeOptic.left, kPeriscopeOptic.top,
                                     kPeriscopeOptic.width(), kPeriscopeOptic.height())) {
    optic_->setSeaState(static_cast<int>(simClock().seaState));
    optic_->setCameraPosition(0.0, 0.0, 0.0);
    optic_->setAngles(0.0f, 0.0f);
    buildControls();
    setSwitchesFromBoat();
    if (textToolTipsEnabled())
        hotSpots_.push_back(std::make_unique<HotSpot>(window(), 0, textGetString(kPeriscopeEsmLabelText),
                                                      BaseWidget::sharedCursor(), kPeriscopeEsmLabel, true));
    esmVoice_ = simAudio().playByName(kEsmTone, true, false, true);
}

PeriscopeScreen::~PeriscopeScreen() {
    PeriscopeScreen::close();
    if (esmVoice_)
        simAudio().freeVoice(esmVoice_);
}

void PeriscopeScreen::buildControls() {
    for (const PeriscopeControlRow& control : kPeriscopeControls) {
        const StationControlRow& r = control.row;
        std::unique_ptr<BaseWidget> widget;
        if (control.kind == PeriscopeControlKind::Toggle) {
            auto toggle = std::make_unique<ButtonToggle>(window(), r.id, r.bitmap, r.frames, r.x, r.y, r.width,
                                                         r.height, false);
            (r.id == kPeriscopeNightVision ? nightSwitch_ : raiseSwitch_) = toggle.get();
            widget = std::move(toggle);
        } else {
            const bool page = control.kind == PeriscopeControlKind::PageChoice;
            auto button = std::make_unique<SimpleButton>(window(), r.id, r.x, r.y, r.width, r.height, r.bitmap,
                                                         r.frames, page ? SimpleButton::kLatch : SimpleButton::kPush,
                                                         false);
            if (control.kind == PeriscopeControlKind::Repeat)
                button->setAutoRepeat(kPeriscopeRepeatDelay, kPeriscopeRepeatInterval);
            if (page)
                pageChoice_.add(button.get());
            widget = std::move(button);
        }
        if (control.sound)
            widget->setClickSound(control.sound, 1);
        if (control.toolTip >= 0 && textToolTipsEnabled())
            widget->setToolTip(textGetString(control.toolTip));
        widgets_.push_back(std::move(widget));
    }
    for (std::size_t i = 0; i < kPeriscopeLamps.size(); ++i) {
        const StationControlRow& r = kPeriscopeLamps[i];
        auto lamp = std::make_unique<SimpleButton>(window(), r.id, r.x, r.y, r.width, r.height, r.bitmap, r.frames,
                                                   SimpleButton::kPush, false);
        lamp->setEnabled(false);
        lamps_[i] = lamp.get();
        widgets_.push_back(std::move(lamp));
    }
}

void PeriscopeScreen::setSwitchesFromBoat() {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    OwnShipMotion& motion = *own->ownMotion;
    const TwoPositionDevice& scope = motion.masts[kMastPeriscope];
    // The switch shows where the mast is; a mast still on its way is sent on to that end.
    if (effectiveDeviceState(scope.state, scope.completionTime) == kDeviceRaised) {
        raiseState_ = 2;
        motion.orderMast(kMastPeriscope, true);
        viewState_ = kScopeViewShown;
        mast_ = {kScopeMastTop, 0};
    } else {
        raiseState_ = 1;
        motion.orderMast(kMastPeriscope, false);
        viewState_ = kScopeViewUnknown;
        mast_ = {0.0f, 0};
    }
    raiseSwitch_->setState(raiseState_);
    const bool night = motion.periscopeNightVision != 0;
    nightSwitch_->setState(night ? 1 : 2);
    optic_->setNightVision(night);
}

void PeriscopeScreen::open() {
    if (opened_)
        return;
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kPeriscopeGroup))
        missing(__LINE__);
    // One counted batch: the console here, the washes in the optic's createScene.
    grpInitAsync();
    if (!background_.startLoad(kPeriscopeBackground)) {
        grpWaitAll();
        missing(__LINE__);
    }
    optic_->createScene();
    optic_->setZoom(scopeFieldOfView(magnification_));
    optic_->setSeaState(static_cast<int>(simClock().seaState));
    grpWaitAll();
    if (!background_.finishLoad())
        missing(__LINE__);
    optic_->prepareWash();
    grpSetFolder(graphicsInstallPath);
    grpOpenGroup(kPeriscopeGroup);
    for (auto& widget : widgets_)
        widget->loadResources();
    // No wakes and no extra wreck parts through the optic.
    effectsSetView(optic_.get(), false);
    effectsAttachView();
    pageChoice_.selectIndex(kPeriscopePage);
    if (esmVoice_) {
        simAudio().setVoiceVolume(esmVoice_, 0);
        simAudio().startVoice(esmVoice_);
    }
    esmVolume_ = 0;
    opened_ = true;
}

void PeriscopeScreen::close() {
    if (!opened_)
        return;
    opened_ = false;
    background_.free();
    effectsSetView(optic_.get(), false);
    effectsDetachView();
    optic_->destroyScene();
    for (auto& widget : widgets_)
        widget->freeResources();
    if (esmVoice_)
        simAudio().stopVoice(esmVoice_);
}

void PeriscopeScreen::onShow() {
    viewState_ = kScopeViewUnknown;
}

void PeriscopeScreen::onHide() {
    optic_->hide();
}

void PeriscopeScreen::update() {
    mast_.step(simClock().lastFrameStep);
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!isVisible() || !own)
        return;
    const OwnShipMotion& motion = *own->ownMotion;
    const TwoPositionDevice& scope = motion.masts[kMastPeriscope];
    const ScopeViewState view = scopeViewFor(effectiveDeviceState(scope.state, scope.completionTime), mast_.height);
    updateView(view);
    optic_->setCameraPosition(static_cast<float>(motion.x), static_cast<float>(motion.y),
                              static_cast<float>(motion.z));
    optic_->setMastHeight(mast_.height);
    optic_->setAttitude(static_cast<float>(motion.heading), static_cast<float>(motion.pitch),
                        static_cast<float>(motion.roll));
    optic_->render();
    updateEsm(view);
}

void PeriscopeScreen::updateView(std::int32_t view) {
    if (view == viewState_)
        return;
    viewState_ = static_cast<ScopeViewState>(view);
    if (view == kScopeViewShown) {
        optic_->show();
        return;
    }
    if (view == kScopeViewOutOfAction) {
        raiseState_ = 1;
        raiseSwitch_->setState(1);
    }
    optic_->hide();
}

void PeriscopeScreen::updateEsm(std::int32_t view) {
    double level = 0.0;
    if (view == kScopeViewShown)
        if (const auto* esm = dynamic_cast<const ReceiverSensor*>(ownShipSensorByType(kSensorEsm));
            esm && esm->broadband())
            level = scopeEsmLevel(*esm->broadband(), simClock().gameClock);
    const int volume = scopeEsmVolume(level);
    if (esmVoice_ && volume != esmVolume_)
        simAudio().setVoiceVolume(esmVoice_, volume);
    esmVolume_ = volume;
    const int lit = scopeEsmLamps(level);
    if (lit == litLamps_)
        return;
    for (std::size_t i = 0; i < lamps_.size(); ++i)
        lamps_[i]->setState(static_cast<int>(i) < lit ? 1 : 2);
    litLamps_ = lit;
}

int PeriscopeScreen::onCommand(WParam wParam, LParam lParam) {
    return command(static_cast<int>(wParam & 0xFFFF), static_cast<int>(lParam)) ? 1 : 0;
}

bool PeriscopeScreen::command(int id, int state) {
    switch (id) {
    case kPeriscopeTrainLeft:
        train(ScopeButton::TrainLeft);
        return true;
    case kPeriscopeTiltDown:
        train(ScopeButton::TiltDown);
        return true;
    case kPeriscopeTiltUp:
        train(ScopeButton::TiltUp);
        return true;
    case kPeriscopeTrainRight:
        train(ScopeButton::TrainRight);
        return true;
    case kPeriscopeFix:
        visualFix();
        return true;
    case kPeriscopeZoomIn:
        setMagnification(scopeStepMagnification(magnification_, 1));
        return true;
    case kPeriscopeZoomOut:
        setMagnification(scopeStepMagnification(magnification_, -1));
        return true;
    case kPeriscopeNightVision:
        optic_->setNightVision(state == 1);
        if (OwnShipEntity* own = worldOwnSubmarineWithMotion())
            own->ownMotion->periscopeNightVision = state == 1 ? 1 : 0;
        return true;
    case kPeriscopeRaiseLower:
        raiseOrLower(state);
        return true;
    case kPeriscopeToStadimeter:
        toStadimeter();
        return true;
    case kPeriscopeLamp:
    case 50:
        return true;
    default:
        return false;
    }
}

void PeriscopeScreen::train(ScopeButton button) {
    const ScopeAngles a =
        scopeTrainByButton({optic_->bearing(), optic_->elevation()}, button, magnification_, shiftHeld());
    optic_->setAngles(a.bearing, a.elevation);
}

void PeriscopeScreen::setMagnification(int index) {
    magnification_ = index;
    optic_->setZoom(scopeFieldOfView(index));
}

void PeriscopeScreen::raiseOrLower(int state) {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    raiseState_ = state;
    OwnShipMotion& motion = *own->ownMotion;
    const TwoPositionDevice& scope = motion.masts[kMastPeriscope];
    const bool raise = state == 2;
    if (raise && effectiveDeviceState(scope.state, scope.completionTime) == kDeviceBroken) {
        const std::string report[] = {kOutOfActionReport};
        simAudio().crewQueueSpeech(CrewChannel::chiefOfWatch, report, -1);
        msgLogPrintfId(kOutOfActionText);
        return;
    }
    motion.orderMast(kMastPeriscope, raise);
    mast_.motion = raise ? 1 : -1;
}

void PeriscopeScreen::pickTarget() {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    picked_ = 0;
    if (!own)
        return;
    std::vector<ScopeCandidate> candidates;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& e = *node->item;
        if (&e != own && e.motion)
            candidates.push_back({e.id, e.motion->x, e.motion->y, e.motion->z});
    }
    const OwnShipMotion& motion = *own->ownMotion;
    picked_ = scopePickTarget(motion.x, motion.y, motion.heading + optic_->bearing() * kDegreesPerRadian,
                              candidates);
}

void PeriscopeScreen::visualFix() {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    pickTarget();
    own->registerContact(kSensorVisual, picked_, own->ownMotion->heading + optic_->bearing() * kDegreesPerRadian,
                         kFixRange, kUnknown, kUnknown, kFixQuality);
}

void PeriscopeScreen::toStadimeter() {
    if (!stadimeter_)
        return;
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    r3d::Camera* camera = optic_->camera();
    if (raiseState_ != 2 || !own || !camera) {
        stadimeter_->resetPicture();
        return;
    }
    pickTarget();
    const OwnShipMotion& motion = *own->ownMotion;
    const auto image = r3d::cameraContext(*camera);
    stadimeter_->takePicture(*image, camera->width(), camera->height(),
                             {simClock().gameClock, picked_, motion.x, motion.y,
                              optic_->bearing() * kDegreesPerRadian + motion.heading,
                              scopeFieldOfView(magnification_)});
}

} // namespace q71
