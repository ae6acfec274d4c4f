#include "tactical/sonar/demon_page.h"

#include "framework/app/shell_fonts.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/rocker.h"
#include "framework/widgets/simple_button.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/window_dc.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "tactical/sonar/demon_geometry.h"
#include "tactical/sonar/sonar_label.h"

#include <algorithm>
#include <cmath>

namespace q71 {

DemonPage::DemonPage(WindowHandle suite) : SonarPageScreen(kDemonArt, suite, kDemonHotSpots) {
    if (OwnShipMotion* motion = sonarOwnMotion()) {
        state_.scale = std::clamp(stationSetting(*motion, kSettingDemonScale), 0, 2);
        state_.divisor =
            std::clamp(stationSetting(*motion, kSettingDemonDivisor), kDemonMinDivisor, kDemonMaxDivisor);
    }
    for (const SonarWidgetRow& row : kDemonTrackerButtons)
        trackerButtons_.add(&addButton(row, SimpleButton::kLatch));
    trackerButtons_.selectIndex(0);
    knob_ = &add(std::make_unique<DemonScaleKnob>(window()));
    const SonarWidgetRow& r = kDemonRocker;
    auto rocker = std::make_unique<Rocker>(window(), r.id, r.bitmap, r.frames, r.x, r.y, r.width, r.height,
                                           Rocker::kTopBottom, 500, 200, r.windowed);
    dress(*rocker, r);
    add(std::move(rocker));
    for (const SonarWidgetRow& row : kDemonArrayButtons)
        arrayButtons_.add(&addButton(row, SimpleButton::kLatch));
    const auto readout = [this](Point at, int digits) {
        return &addReadOut(std::make_unique<LargeReadOut>(window(), 0, at.x, at.y, digits, false, false));
    };
    frequencyReadout_ = readout(kDemonFrequencyReadout, 4);
    divisorReadout_ = readout(kDemonDivisorReadout, 2);
    rateReadout_ = readout(kDemonRateReadout, 2);
    display_ = &add(std::make_unique<DemonDisplay>(
        window(), state_, [this] { showDivisor(); }, [this] { showFrequency(); }));
}

void DemonPage::openPage() {
    int array = kSonarHullArray;
    if (OwnShipMotion* motion = sonarOwnMotion()) {
        state_.scale = std::clamp(stationSetting(*motion, kSettingDemonScale), 0, 2);
        state_.divisor =
            std::clamp(stationSetting(*motion, kSettingDemonDivisor), kDemonMinDivisor, kDemonMaxDivisor);
        array = stationSetting(*motion, kSettingArray);
        // The page has buttons for the towed array and the hull array only.
        if (array != kSonarTowedArray && array != kSonarHullArray) {
            array = kSonarHullArray;
            sonarState().selectedArray = -1;
        }
    }
    knob_->setPosition(state_.scale);
    arrayButtons_.selectIndex(array == kSonarTowedArray ? 0 : 1);
    if (sonarState().selectedArray != array)
        sonarSelectArray(array);
    state_.selectedTracker =
        sonarCurrentArray() ? state_.rememberedTracker[static_cast<std::size_t>(array)] : -1;
    trackerButtons_.selectIndex(std::max(state_.selectedTracker, 0));
    shownFrequency_ = shownRate_ = -1;
    showFrequency();
}

void DemonPage::closePage() {
    display_->stopTimer();
}

DemonPage::TrackerLabel DemonPage::trackerLabelParts(int k) const {
    const ReceiverSensor* array = sonarCurrentArray();
    if (!array)
        return {};
    const TrackSlot& tracker = array->trackers()[static_cast<std::size_t>(k)];
    TrackerLabel label{std::string(1, tracker.letter) + "       ", {}};
    if (tracker.inUse() && tracker.locked)
        label.contact = sonarContactLabel(tracker.source, sonarState().selectedArray, SonarLabelStyle::demon,
                                          tracker.letter);
    return label;
}

std::string DemonPage::trackerLabel(int k) const {
    TrackerLabel label = trackerLabelParts(k);
    return label.contact.empty() ? label.blank : label.contact;
}

void DemonPage::drawTrackerLabels(DeviceContext& dc) const {
    dc.selectFont(appInterfaceFont(kSonarFont));
    dc.setTextColor(kSonarText);
    dc.setBkColor(rgb(0, 0, 0));
    dc.setBkMode(kOpaque);
    dc.setTextAlign(kTaLeft | kTaTop);
    for (int k = 0; k < ReceiverSensor::kTrackers; ++k) {
        // The letter and its blank first, so that a shorter contact label leaves nothing of the last.
        const TrackerLabel label = trackerLabelParts(k);
        const Point at{43 + 71 * k, kDemonLabelY};
        dc.textOut(at, label.blank);
        if (!label.contact.empty())
            dc.textOut(at, label.contact);
    }
}

void DemonPage::redrawTrackerLabels() {
    if (!isVisible())
        return;
    if (auto dc = getWindowDC(window()))
        drawTrackerLabels(*dc);
}

void DemonPage::paint(DeviceContext& dc) {
    SonarPageScreen::paint(dc);
    if (isVisible())
        drawTrackerLabels(dc);
}

void DemonPage::showDivisor() {
    sonarSetDigits(*divisorReadout_, 2, state_.divisor);
    redrawTrackerLabels();
    shownRate_ = -1;
    showFrequency();
}

void DemonPage::showFrequency() {
    const int frequency = static_cast<int>(std::trunc(state_.cursorFrequency + 0.5));
    if (frequency != shownFrequency_) {
        sonarSetDigits(*frequencyReadout_, 4, frequency);
        shownFrequency_ = frequency;
    }
    const int rate = demonRate(state_.cursorFrequency, state_.divisor);
    if (rate != shownRate_) {
        sonarSetDigits(*rateReadout_, 2, rate);
        shownRate_ = rate;
    }
}

void DemonPage::selectArray(int index) {
    if (OwnShipMotion* motion = sonarOwnMotion())
        setStationSetting(*motion, kSettingArray, index);
    sonarSelectArray(index);
    state_.selectedTracker = state_.rememberedTracker[static_cast<std::size_t>(index)];
    trackerButtons_.selectIndex(state_.selectedTracker);
    redrawTrackerLabels();
    display_->redraw();
}

int DemonPage::pageCommand(int id, int value) {
    switch (id) {
    case 5:
    case 6:
    case 7:
    case 8:
        if (sonarCurrentArray() && sonarState().selectedArray >= 0 && sonarState().selectedArray <= 2) {
            state_.selectedTracker = id - 5;
            state_.rememberedTracker[static_cast<std::size_t>(sonarState().selectedArray)] = id - 5;
            display_->redraw();
        }
        break;
    case 9:
        state_.scale = std::clamp(value, 0, 2);
        if (OwnShipMotion* motion = sonarOwnMotion())
            setStationSetting(*motion, kSettingDemonScale, state_.scale);
        display_->redraw();
        break;
    case 10:
        state_.divisor = demonStepDivisor(state_.divisor, value);
        if (OwnShipMotion* motion = sonarOwnMotion())
            setStationSetting(*motion, kSettingDemonDivisor, state_.divisor);
        showDivisor();
        break;
    case 12:
    case 13:
    case 14:
        selectArray(id - 12);
        break;
    default:
        break;
    }
    return 1;
}

} // namespace q71
