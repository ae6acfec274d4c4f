#include "tactical/sonar/narrowband_page.h"

#include "framework/widgets/button_toggle.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/rocker.h"
#include "framework/widgets/simple_button.h"
#include "platform/gdi/window_dc.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/sonar_label.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr int kLabelX = 435;
constexpr int kLabelY = 191;
constexpr int kNameY = 278;

// A reference platform: a record that exists, has lines and is not a float.
bool isReference(int id) {
    const ObjectRecord* record = objdbFindById(static_cast<std::uint32_t>(id));
    return record && record->categoryWord.view() != "float" &&
           std::ranges::any_of(record->signatureValues, [](std::int32_t f) { return f != 0; });
}

int highestRecordId() {
    int highest = 0;
    for (int i = 0; i < objdbCount(); ++i)
        highest = std::max(highest, static_cast<int>(objdbGetByIndex(i)->id));
    return highest;
}

} // namespace

NarrowbandScaleKnob::NarrowbandScaleKnob(WindowHandle page, int& scale)
    : SonarKnob(page, kNarrowbandScaleKnobRow), scale_(scale) {}

void NarrowbandScaleKnob::setValue(int detent) {
    scale_ = detent;
    if (OwnShipMotion* motion = sonarOwnMotion())
        setStationSetting(*motion, kSettingNarrowbandScale, detent);
}

NarrowbandPage::NarrowbandPage(WindowHandle suite)
    : SonarPageScreen(kNarrowbandArt, suite, kNarrowbandHotSpots) {
    if (OwnShipMotion* motion = sonarOwnMotion()) {
        state_.scale = stationSetting(*motion, kSettingNarrowbandScale);
        state_.offset = stationSetting(*motion, kSettingNarrowbandOrientation) ? 180 : 0;
    }
    knob_ = &add(std::make_unique<NarrowbandScaleKnob>(window(), state_.scale));
    orientationSwitch_ = &addToggle(kNarrowbandOrientationSwitch);
    const SonarWidgetRow& r = kNarrowbandRocker;
    auto rocker = std::make_unique<Rocker>(window(), r.id, r.bitmap, r.frames, r.x, r.y, r.width, r.height,
                                           Rocker::kLeftRight, 500, 200, r.windowed);
    dress(*rocker, r);
    add(std::move(rocker));
    addButton(kNarrowbandDesignate, SimpleButton::kPush);
    for (const SonarWidgetRow& row : kNarrowbandArrayButtons)
        arrayButtons_.add(&addButton(row, SimpleButton::kLatch));
    bearingReadout_ = &addReadOut(std::make_unique<SmallReadOut>(
        window(), 0, kNarrowbandBearingReadout.x, kNarrowbandBearingReadout.y, 3, false, false));
    frequencyReadout_ = &addReadOut(std::make_unique<SmallReadOut>(
        window(), 0, kNarrowbandFrequencyReadout.x, kNarrowbandFrequencyReadout.y, 4, false, false));
    waterfall_ = &add(std::make_unique<NarrowbandWaterfall>(
        window(), state_, [this] { frequencyMoved(); }, [this] { refreshLabel(); }));
    reference_ = &add(std::make_unique<NarrowbandReferencePanel>(window(), state_));
    trace_ = &add(std::make_unique<NarrowbandBearingTrace>(window(), state_, [this] { bearingMoved(); }));
    placeLabel(kLabelX, kLabelY, kNarrowbandLabelArea);
}

void NarrowbandPage::openPage() {
    int array = kSonarHullArray;
    if (OwnShipMotion* motion = sonarOwnMotion()) {
        state_.scale = std::clamp(stationSetting(*motion, kSettingNarrowbandScale), 0, 5);
        state_.offset = stationSetting(*motion, kSettingNarrowbandOrientation) ? 180 : 0;
        array = std::clamp(stationSetting(*motion, kSettingArray), 0, 2);
    }
    knob_->setPosition(state_.scale);
    orientationSwitch_->setState(state_.offset == 180 ? 2 : 1);
    sonarSelectArray(array);
    arrayButtons_.selectIndex(array);
    sonarSetDigits(*bearingReadout_, 3, sonarState().cursorBearing);
    sonarSetDigits(*frequencyReadout_, 4, state_.cursorFrequency);
    refreshLabel();
}

void NarrowbandPage::closePage() {
    waterfall_->stopTimer();
    trace_->stopTimer();
}

void NarrowbandPage::paint(DeviceContext& dc) {
    SonarPageScreen::paint(dc);
    if (!isVisible())
        return;
    drawReferenceName(dc);
}

void NarrowbandPage::drawReferenceName(DeviceContext& dc) const {
    dc.fillRect(kNarrowbandNameArea, createSolidBrush(kSonarBackground));
    sonarDrawLabel(dc, kLabelX, kNameY, referenceName_, kSonarScaleFont, false);
}

void NarrowbandPage::showReferenceName() {
    const ObjectRecord* record = objdbFindById(static_cast<std::uint32_t>(state_.referenceId));
    referenceName_ = record ? std::string(record->displayName.view()) : std::string();
    if (!isVisible())
        return;
    if (auto dc = getWindowDC(window()))
        drawReferenceName(*dc);
}

void NarrowbandPage::frequencyMoved() {
    sonarSetDigits(*frequencyReadout_, 4, state_.cursorFrequency);
    refreshLabel();
}

void NarrowbandPage::bearingMoved() {
    sonarSetDigits(*bearingReadout_, 3, sonarState().cursorBearing);
    waterfall_->redraw();
    refreshLabel();
}

void NarrowbandPage::refreshLabel() {
    const int column = sonarNearestLine(state_.cursorFrequency, state_.fullScale(), state_.lineFrequency);
    if (column < 0 || !sonarCurrentArray()) {
        showLabel({});
        return;
    }
    showLabel(sonarContactLabel(state_.lineSource[static_cast<std::size_t>(column)],
                                sonarState().selectedArray, SonarLabelStyle::plain));
}

void NarrowbandPage::stepReference(bool up) {
    state_.referenceId = narrowbandStepReference(state_.referenceId, up, highestRecordId(), isReference);
    reference_->redraw();
    showReferenceName();
}

void NarrowbandPage::selectArray(int index) {
    if (OwnShipMotion* motion = sonarOwnMotion())
        setStationSetting(*motion, kSettingArray, index);
    sonarSelectArray(index);
    waterfall_->redraw();
    trace_->redraw();
    refreshLabel();
}

void NarrowbandPage::designate() {
    ReceiverSensor* array = sonarCurrentArray();
    const int column = sonarNearestLine(state_.cursorFrequency, state_.fullScale(), state_.lineFrequency);
    if (!array || column < 0)
        return;
    const auto c = static_cast<std::size_t>(column);
    array->trackEvent(-1, state_.lineSource[c], sonarState().cursorBearing, 0.0, state_.lineFrequency[c] - 1,
                      sonarState().selectedArray);
}

int NarrowbandPage::pageCommand(int id, int value) {
    switch (id) {
    case 5:
        waterfall_->redraw();
        reference_->redraw();
        trace_->redraw();
        break;
    case 6:
        state_.offset = 180 - state_.offset;
        if (OwnShipMotion* motion = sonarOwnMotion())
            setStationSetting(*motion, kSettingNarrowbandOrientation,
                              1 - stationSetting(*motion, kSettingNarrowbandOrientation));
        trace_->redraw();
        break;
    case 7:
        stepReference(value == 1);
        break;
    case 8:
        designate();
        break;
    case 9:
    case 10:
    case 11:
        selectArray(id - 9);
        break;
    default:
        break;
    }
    return 1;
}

} // namespace q71
