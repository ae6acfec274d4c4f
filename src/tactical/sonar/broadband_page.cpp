#include "tactical/sonar/broadband_page.h"

#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/services/host_screen.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/broadband_geometry.h"
#include "tactical/sonar/sonar_label.h"

#include <cstdlib>

namespace q71 {

namespace {

constexpr int kLabelX = 433;
constexpr int kLabelY = 200;
constexpr Rect kLabelArea{353, 200, 512, 211};

} // namespace

BroadbandTimeKnob::BroadbandTimeKnob(WindowHandle page, int which, int& upper, int& lower)
    : SonarKnob(page, kBroadbandTimeKnobRows[which]), which_(which), upper_(upper), lower_(lower) {}

void BroadbandTimeKnob::setValue(int detent) {
    (which_ == 0 ? upper_ : lower_) = detent;
    if (OwnShipMotion* motion = sonarOwnMotion()) {
        setStationSetting(*motion, kSettingBroadbandUpperScale, upper_);
        setStationSetting(*motion, kSettingBroadbandLowerScale, lower_);
    }
}

BroadbandPage::BroadbandPage(WindowHandle suite) : SonarPageScreen(kBroadbandArt, suite, kBroadbandHotSpots) {
    for (int which = 0; which < 2; ++which)
        knobs_[which] = &add(std::make_unique<BroadbandTimeKnob>(window(), which, upperScale_, lowerScale_));
    listenSwitch_ = &addToggle(kBroadbandListenSwitch);
    orientationSwitch_ = &addToggle(kBroadbandOrientationSwitch);
    addButton(kBroadbandDesignate, SimpleButton::kPush);
    for (const SonarWidgetRow& row : kBroadbandArrayButtons)
        arrayButtons_.add(&addButton(row, SimpleButton::kLatch));
    bearingReadout_ = &addReadOut(std::make_unique<SmallReadOut>(window(), 0, 420, 262, 3, false, false));
    upper_ = &add(std::make_unique<BroadbandWaterfall>(
        window(), "darea1", 40, 30, state_, [this] { cursorMoved(); }, [this] { refreshLabel(); }));
    lower_ = &add(std::make_unique<BroadbandWaterfall>(
        window(), "darea2", 40, 230, state_, [this] { cursorMoved(); }, [this] { refreshLabel(); }));
    upper_->setPartner(lower_);
    lower_->setPartner(upper_);
    placeLabel(kLabelX, kLabelY, kLabelArea);
}

void BroadbandPage::openPage() {
    genInfoSetEngineSound(0);
    OwnShipMotion* motion = sonarOwnMotion();
    int array = kSonarHullArray;
    if (motion) {
        state_.listening = stationSetting(*motion, kSettingBroadbandListening);
        state_.offset = stationSetting(*motion, kSettingBroadbandOrientation) ? 180 : 0;
        upperScale_ = stationSetting(*motion, kSettingBroadbandUpperScale);
        lowerScale_ = stationSetting(*motion, kSettingBroadbandLowerScale);
        listenSwitch_->setState(state_.listening == 0 ? 1 : 2);
        orientationSwitch_->setState(state_.offset == 180 ? 2 : 1);
        array = stationSetting(*motion, kSettingArray);
        if (array == 1) {
            array = kSonarHullArray;
            setStationSetting(*motion, kSettingArray, array);
        }
    }
    knobs_[0]->setPosition(upperScale_);
    knobs_[1]->setPosition(lowerScale_);
    upper_->setScale(upperScale_);
    lower_->setScale(lowerScale_);
    sonarSetDigits(*bearingReadout_, 3, sonarState().cursorBearing);
    sonarSelectArray(array);
    arrayButtons_.selectIndex(array == kSonarTowedArray ? 0 : 1);
    listening_.preload();
    if (state_.listening)
        listening_.startBackground(sonarCurrentArray());
    refreshLabel();
}

void BroadbandPage::closePage() {
    genInfoSetEngineSound(1);
    upper_->stopTimer();
    lower_->stopTimer();
    listening_.stopContact();
    listening_.stopBackground();
    listening_.unload();
}

void BroadbandPage::cursorMoved() {
    sonarSetDigits(*bearingReadout_, 3, sonarState().cursorBearing);
    refreshLabel();
}

void BroadbandPage::refreshLabel() {
    ReceiverSensor* array = sonarCurrentArray();
    const int degree = array ? sonarNearestSourceDegree(sonarState().cursorBearing, array->sourceTable) : -1;
    if (degree < 0) {
        listening_.hear(nullptr, array, state_.listening != 0);
        showLabel({});
        return;
    }
    const std::int32_t id = sonarSourceId(array->sourceTable[static_cast<std::size_t>(degree)]);
    const Entity* entity = worldFindEntity(std::abs(id));
    if (state_.listening)
        listening_.hear(entity, array, true);
    showLabel(sonarContactLabel(id, sonarState().selectedArray, SonarLabelStyle::plain));
}

void BroadbandPage::redrawBoth() {
    upper_->redraw();
    lower_->redraw();
}

void BroadbandPage::selectArray(int index) {
    listening_.stopContact();
    if (OwnShipMotion* motion = sonarOwnMotion())
        setStationSetting(*motion, kSettingArray, index);
    if (!sonarSelectArray(index))
        listening_.stopBackground();
    refreshLabel();
    redrawBoth();
}

void BroadbandPage::designate() {
    ReceiverSensor* array = sonarCurrentArray();
    if (!array)
        return;
    const int degree = sonarNearestSourceDegree(sonarState().cursorBearing, array->sourceTable);
    if (degree < 0)
        return;
    array->trackEvent(-1, sonarSourceId(array->sourceTable[static_cast<std::size_t>(degree)]), degree, 0.0, -1,
                      sonarState().selectedArray);
}

int BroadbandPage::pageCommand(int id, int) {
    OwnShipMotion* motion = sonarOwnMotion();
    switch (id) {
    case 5:
        upper_->setScale(upperScale_);
        upper_->redraw();
        break;
    case 6:
        lower_->setScale(lowerScale_);
        lower_->redraw();
        break;
    case 7:
        state_.listening = 1 - state_.listening;
        if (state_.listening == 0) {
            listening_.stopBackground();
            listening_.stopContact();
        } else {
            listening_.startBackground(sonarCurrentArray());
            refreshLabel();
        }
        if (motion)
            setStationSetting(*motion, kSettingBroadbandListening,
                              1 - stationSetting(*motion, kSettingBroadbandListening));
        break;
    case 8:
        state_.offset = 180 - state_.offset;
        if (motion)
            setStationSetting(*motion, kSettingBroadbandOrientation,
                              1 - stationSetting(*motion, kSettingBroadbandOrientation));
        redrawBoth();
        break;
    case 9:
        designate();
        break;
    case 10:
        selectArray(kSonarTowedArray);
        break;
    case 12:
        selectArray(kSonarHullArray);
        break;
    default:
        break;
    }
    return 1;
}

} // namespace q71
