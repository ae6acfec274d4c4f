#include "tactical/sonar/active_page.h"

#include "framework/widgets/covered_button.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "media/audio/sound_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "tactical/displays/display_noise.h"
#include "tactical/sonar/sonar_label.h"

#include <cmath>
#include <cstdlib>

namespace q71 {

namespace {

constexpr int kLabelX = 435;
constexpr int kLabelY = 353;
constexpr const char* kNoLabel = "         ";

// The contact id a ping slot holds at a degree 0 to 359.
std::int32_t pingSource(const ActiveSonar& sonar, int slot, int degree) {
    return sonarSourceId(sonar.pingSnapshot(static_cast<std::size_t>(slot))[static_cast<std::size_t>(degree)]);
}

ActiveSonar* ownActiveSonar() {
    OwnShipEntity* own = worldOwnSubmarine();
    return own ? own->activeUnit : nullptr;
}

} // namespace

void ActiveRangeKnob::setValue(int detent) {
    if (OwnShipMotion* motion = sonarOwnMotion())
        setStationSetting(*motion, kSettingActiveRange, detent);
}

ActiveSonarPage::ActiveSonarPage(WindowHandle suite) : SonarPageScreen(kActiveArt, suite, kActiveHotSpots) {
    pingSwitch_ = &addToggle(kActivePingSwitch);
    orientationSwitch_ = &addToggle(kActiveOrientationSwitch);
    const SonarWidgetRow& cover = kActiveTransmit;
    auto transmit = std::make_unique<CoveredButton>(window(), cover.id, cover.bitmap, cover.frames, cover.x,
                                                    cover.y, cover.width, cover.height, cover.windowed);
    dress(*transmit, cover);
    add(std::move(transmit));
    addButton(kActiveDesignate, SimpleButton::kPush);
    addButton(kActiveReport, SimpleButton::kPush);
    knob_ = &add(std::make_unique<ActiveRangeKnob>(window()));
    bearingReadout_ = &addReadOut(std::make_unique<LargeReadOut>(window(), 0, 364, 305, 3, false, false));
    rangeReadout_ = &addReadOut(std::make_unique<LargeReadOut>(window(), 0, 364, 279, 5, false, false));
    display_ = &add(std::make_unique<ActiveDisplay>(
        window(), state_, displayNoise(), [this] { showCursor(); },
        [this](bool cursorPulled) {
            if (cursorPulled)
                showCursor();
            refreshLabel(false);
        }));
    if (OwnShipMotion* motion = sonarOwnMotion())
        state_.takeSettings(*motion);
    placeLabel(kLabelX, kLabelY, {});
    pingReturn_ = soundLoad(kPingReturnWave);
    if (pingReturn_ && !soundPreload(pingReturn_))
        pingReturn_ = nullptr;
    display_->setReturnSound(pingReturn_);
}

void ActiveSonarPage::openPage() {
    OwnShipMotion* motion = sonarOwnMotion();
    if (motion) {
        state_.takeSettings(*motion);
        pingSwitch_->setState(stationSetting(*motion, kSettingActivePing) == 0 ? 1 : 2);
        orientationSwitch_->setState(stationSetting(*motion, kSettingActiveOrientation) == 0 ? 1 : 2);
        knob_->setPosition(stationSetting(*motion, kSettingActiveRange));
    }
    shownBearing_ = shownRange_ = -1;
    showCursor();
}

void ActiveSonarPage::closePage() {
    display_->stopOverlay();
}

void ActiveSonarPage::showCursor() {
    const int bearing = sonarState().cursorBearing;
    const int range = static_cast<int>(state_.cursorRange);
    if (bearing != shownBearing_)
        sonarSetDigits(*bearingReadout_, 3, bearing);
    if (range != shownRange_)
        sonarSetDigits(*rangeReadout_, 5, range);
    shownBearing_ = bearing;
    shownRange_ = range;
    refreshLabel(false);
}

int ActiveSonarPage::pageCommand(int id, int value) {
    OwnShipMotion* motion = sonarOwnMotion();
    switch (id) {
    case 6:
        state_.pingMode = 1 - state_.pingMode;
        if (ActiveSonar* sonar = ownActiveSonar(); sonar && state_.pingMode == 0)
            sonar->transmitInterval = -1;
        if (motion)
            setStationSetting(*motion, kSettingActivePing, 1 - stationSetting(*motion, kSettingActivePing));
        break;
    case 7:
        state_.offset = 180 - state_.offset;
        display_->swapHalves();
        if (motion)
            setStationSetting(*motion, kSettingActiveOrientation,
                              1 - stationSetting(*motion, kSettingActiveOrientation));
        break;
    case 8:
        if (value == 1)
            transmit();
        break;
    case 9:
        designate();
        break;
    case 10:
        report();
        break;
    default:
        break;
    }
    return 1;
}

void ActiveSonarPage::transmit() {
    const double before = state_.cursorRange;
    display_->transmit();
    if (state_.cursorRange != before)
        showCursor();
}

void ActiveSonarPage::designate() {
    OwnShipEntity* own = worldOwnSubmarine();
    const ActiveSonar* sonar = ownActiveSonar();
    if (!own || !sonar)
        return;
    const int cursor = sonarState().cursorBearing;
    const std::int32_t source =
        activeDesignatedSource(cursor, [sonar](int slot, int degree) { return pingSource(*sonar, slot, degree); });
    if (source > 0)
        own->registerContact(kSensorActive, source, cursor, state_.cursorRange, -1.0, -1.0, 95);
}

void ActiveSonarPage::report() {
    OwnShipEntity* own = worldOwnSubmarine();
    ActiveSonar* sonar = ownActiveSonar();
    if (!own || !sonar)
        return;
    const int cursor = sonarState().cursorBearing;
    sonar->trackEvent(-1, pingSource(*sonar, state_.pingSlot, cursor), cursor,
                      static_cast<int>(state_.cursorRange), 0, kSensorActive);
    auto* hullArray = dynamic_cast<ReceiverSensor*>(own->ownShipSensorByType(kSonarHullArray));
    if (!hullArray)
        return;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity* entity = node->item;
        if (entity != own && entity->kind >= kKindSurface && entity->kind <= kKindWeapon)
            hullArray->canSense(*entity);
    }
    for (const TrackSlot& tracker : hullArray->trackers())
        if (tracker.inUse() && tracker.sensorType == kSensorActive)
            own->reportDetection(trackerDetectionReport(tracker));
}

void ActiveSonarPage::refreshLabel(bool force) {
    const ActiveSonar* sonar = ownActiveSonar();
    int number = 0;
    std::int32_t contact = 0;
    if (sonar) {
        const int cursor = sonarState().cursorBearing;
        const auto cell = static_cast<std::size_t>(bearingBin(cursor));
        for (int slot = 0; slot < static_cast<int>(ActiveSonar::kPingRows); ++slot) {
            const std::int32_t source = pingSource(*sonar, slot, cursor);
            const double echoRange = sonar->broadband()->row(static_cast<std::size_t>(slot)).range[cell];
            if (source <= 0 || std::fabs(echoRange - state_.cursorRange) >= state_.scale / 92.0)
                continue;
            if (const Entity* entity = worldFindEntity(source); entity && entity->designation[kSonarActiveSlot] > 0) {
                number = entity->designation[kSonarActiveSlot];
                contact = source;
            }
        }
    }
    if (!force && number == shownNumber_)
        return;
    shownNumber_ = number;
    showLabel(number > 0 ? sonarContactLabel(contact, kSonarActiveSlot, SonarLabelStyle::active) : kNoLabel);
}

} // namespace q71
