#include "tactical/sonar/broadband_waterfall.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "tactical/sonar/broadband_geometry.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71 {

namespace {

struct ScaleLabels {
    const char* unit;
    const char* span;
};
constexpr ScaleLabels kScaleLabels[] = {{"Sec", "60"}, {"Min", "30"}, {"Hrs", "2"}};

int storedArray() {
    OwnShipMotion* motion = sonarOwnMotion();
    const int stored = motion ? stationSetting(*motion, kSettingArray) : kSonarHullArray;
    return stored == 1 ? kSonarHullArray : stored;
}

// True while the towed array is selected but housed.
bool towedHoused() {
    const OwnShipMotion* motion = sonarOwnMotion();
    return sonarState().selectedArray == kSonarTowedArray && (!motion || !(motion->arrayLength1 > 0.0));
}

} // namespace

const SoundRing<BroadbandRow>* broadbandRing(const ReceiverSensor& array, int scale) {
    switch (scale) {
    case 0:
        return array.broadband();
    case 1:
        return array.longTerm1() ? &array.longTerm1()->ring : nullptr;
    case 2:
        return array.longTerm2() ? &array.longTerm2()->ring : nullptr;
    default:
        return nullptr;
    }
}

BroadbandWaterfall::BroadbandWaterfall(WindowHandle page, const char* name, int x, int y, BroadbandState& state,
                                       std::function<void()> cursorMoved, std::function<void()> ticked)
    : SonarDisplay(page, name, x, y, kWaterfallWidth, kWaterfallHeight, kTimer, 200), state_(state),
      cursorMoved_(std::move(cursorMoved)), ticked_(std::move(ticked)) {}

bool BroadbandWaterfall::ensurePicture() {
    // A picture that cannot be made leaves the display blank.
    return picture_.ensureDisplay(kWaterfallWidth, kWaterfallHeight);
}

ReceiverSensor* BroadbandWaterfall::arrayToShow() {
    if (towedHoused()) {
        sonarSelectArray(kSonarTowedArray);
        return nullptr;
    }
    return sonarCurrentArray();
}

void BroadbandWaterfall::drawFrame() {
    DeviceContext& dc = *picture_.dc();
    dc.moveTo({kWaterfallLeft, 25});
    dc.lineTo({kWaterfallRight, 25});
    struct Tick {
        int bearing;
        const char* label;
    };
    constexpr Tick kTicks[] = {{0, "0"}, {90, "90"}, {180, "180"}, {270, "270"}};
    dc.setTextAlign(kTaCenter | kTaTop);
    for (const Tick& tick : kTicks) {
        const int x = waterfallBearingX(tick.bearing, state_.offset);
        dc.moveTo({x, 22});
        dc.lineTo({x, 25});
        dc.textOut({x, 0}, tick.label);
    }
    const Point bracket[] = {{13, 26}, {16, 26}, {16, 160}, {13, 160}};
    dc.polyline(bracket);
}

void BroadbandWaterfall::drawStrip() {
    picture_.fillRows(kStripTop, kStripBottom + 1, 0);
    DeviceContext& dc = *picture_.dc();
    if (state_.pickedTracker < 0) {
        const int x = waterfallBearingX(sonarState().cursorBearing, state_.offset);
        dc.moveTo({x, 12});
        dc.lineTo({x, 21});
    }
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return;
    const int h = waterfallBearingX(std::trunc(own->motion->heading), state_.offset);
    const Point chevron[] = {{h - 2, 12}, {h, 19}, {h + 2, 11}};
    dc.polyline(chevron);
    const ReceiverSensor* array = sonarCurrentArray();
    if (!array)
        return;
    sonarDrawTrackerLetters(dc, *array, 12, [&](int slot, const TrackSlot& tracker) -> std::optional<int> {
        const double bearing = slot == state_.pickedTracker ? sonarState().cursorBearing : tracker.bearing;
        return waterfallBearingX(bearing, state_.offset) + 1;
    });
}

void BroadbandWaterfall::drawTimeLabels() {
    DeviceContext& dc = *picture_.dc();
    const ScaleLabels& labels = kScaleLabels[std::clamp(scale_, 0, 2)];
    // The 13 pixels left of the time bracket take these only in the narrow face.
    dc.selectFont(appInterfaceFont(kSonarScaleFont));
    dc.setTextAlign(kTaLeft | kTaTop);
    dc.textOut({0, 88}, labels.unit);
    dc.textOut({0, 153}, labels.span);
    dc.selectFont(appInterfaceFont(kSonarFont));
}

void BroadbandWaterfall::drawRows(const SoundRing<BroadbandRow>& ring, int count, int top) {
    for (int age = 0; age < count; ++age) {
        std::span<std::uint8_t> line = picture_.row(top + age);
        if (line.empty())
            return;
        std::fill(line.begin() + kWaterfallLeft, line.begin() + kWaterfallRight + 2, 0);
        const BroadbandRow& row = ring.newest(static_cast<std::size_t>(age));
        for (int cell = 0; cell < static_cast<int>(row.level.size()); ++cell) {
            const int level = row.level[static_cast<std::size_t>(cell)] & 0xFF;
            if (level > row.selfNoise)
                line[static_cast<std::size_t>(waterfallCellX(cell, state_.offset))] =
                    static_cast<std::uint8_t>(std::min(level, kLevelMax));
        }
        line[static_cast<std::size_t>(waterfallBearingX(row.value, state_.offset))] = kLevelMax;
    }
}

void BroadbandWaterfall::redraw() {
    if (!ensurePicture())
        return;
    picture_.fill(0);
    drawFrame();
    drawStrip();
    if (ReceiverSensor* array = arrayToShow()) {
        drawTimeLabels();
        if (const SoundRing<BroadbandRow>* ring = broadbandRing(*array, scale_)) {
            const int count = std::min(static_cast<int>(ring->count()), kWaterfallRows);
            drawRows(*ring, count, kWaterfallTop);
            lastDrawn_ = ring->head().time;
        }
    }
    blit();
}

void BroadbandWaterfall::tick() {
    if (!sonarCurrentArray())
        sonarSelectArray(storedArray());
    if (towedHoused()) {
        sonarSelectArray(kSonarTowedArray);
        return;
    }
    const ReceiverSensor* array = sonarCurrentArray();
    const SoundRing<BroadbandRow>* ring = array ? broadbandRing(*array, scale_) : nullptr;
    if (!ring || !ensurePicture() || ring->head().time == lastDrawn_)
        return;
    const int rows = std::min(waterfallRowsToAdd(scale_, ring->head().time, lastDrawn_),
                              static_cast<int>(ring->count()));
    lastDrawn_ = ring->head().time;
    if (ticked_)
        ticked_();
    drawStrip();
    // The rows already drawn move down to make room for the new ones at the top.
    picture_.scrollDown(kWaterfallTop, kWaterfallBottom, kWaterfallLeft, kWaterfallRight + 2, rows);
    drawRows(*ring, rows, kWaterfallTop);
    blit();
}

void BroadbandWaterfall::refreshStrip() {
    if (!ensurePicture())
        return;
    drawStrip();
    blit();
}

void BroadbandWaterfall::pick(int x, int y, bool press) {
    const int bearing = waterfallXBearing(x, state_.offset);
    if (press && y < kWaterfallTop) {
        state_.pickedTracker = -1;
        if (const ReceiverSensor* array = sonarCurrentArray()) {
            const auto& trackers = array->trackers();
            for (int slot = 0; slot < static_cast<int>(trackers.size()); ++slot) {
                const TrackSlot& tracker = trackers[static_cast<std::size_t>(slot)];
                if (tracker.inUse() && std::fabs(angleDiff(tracker.bearing, bearing)) <= 4.0) {
                    state_.pickedTracker = slot;
                    break;
                }
            }
        }
    }
    const bool moved = bearing != sonarState().cursorBearing;
    sonarState().cursorBearing = bearing;
    if (moved || press) {
        refreshStrip();
        if (partner_)
            partner_->refreshStrip();
    }
    if (cursorMoved_)
        cursorMoved_();
}

void BroadbandWaterfall::onLeftDown(int x, int y) {
    if (x < kWaterfallLeft + 1 || x > kWaterfallRight)
        return;
    beginDrag();
    pick(x, y, true);
}

void BroadbandWaterfall::onMouseMove(int x, int y) {
    if (dragging())
        pick(std::clamp(x, kWaterfallLeft, kWaterfallRight), y, false);
}

void BroadbandWaterfall::onLeftUp(int, int) {
    if (!endDrag())
        return;
    const int picked = state_.pickedTracker;
    state_.pickedTracker = -1;
    ReceiverSensor* array = sonarCurrentArray();
    if (picked >= 0 && array) {
        const int degree = sonarNearestSourceDegree(sonarState().cursorBearing, array->sourceTable);
        if (degree >= 0)
            array->trackEvent(picked, sonarSourceId(array->sourceTable[static_cast<std::size_t>(degree)]), degree,
                              0.0, -1, sonarState().selectedArray);
        else
            array->releaseTracker(picked);
    }
    refreshStrip();
    if (partner_)
        partner_->refreshStrip();
    if (cursorMoved_)
        cursorMoved_();
}

} // namespace q71
