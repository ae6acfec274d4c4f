#include "tactical/sonar/demon_display.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/text_format.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "tactical/displays/display_noise.h"
#include "tactical/sonar/demon_geometry.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace q71 {

namespace {

constexpr int kTop = 26;     // y of the newest row
constexpr int kBottom = 223; // y of the oldest row
constexpr int kAxisY = 224;

int storedArray() {
    OwnShipMotion* motion = sonarOwnMotion();
    const int stored = motion ? stationSetting(*motion, kSettingArray) : kSonarHullArray;
    return stored == kSonarTowedArray ? stored : kSonarHullArray;
}

// Entries of a tracker's speed history from its newest on.
int historyCount(const TrackSlot& tracker) {
    return (tracker.readIndex - tracker.writeIndex + TrackSlot::kHistory) % TrackSlot::kHistory + 1;
}

} // namespace

DemonDisplay::DemonDisplay(WindowHandle page, DemonState& state, std::function<void()> opened,
                           std::function<void()> cursorMoved)
    : SonarCursorDisplay(page, "darea1", 35, 129, kWidth, kHeight, kTimer, 200, state, std::move(cursorMoved)),
      opened_(std::move(opened)) {}

const TrackSlot* DemonDisplay::tracker() const {
    const ReceiverSensor* array = sonarCurrentArray();
    if (!array || state_.selectedTracker < 0 || state_.selectedTracker >= ReceiverSensor::kTrackers)
        return nullptr;
    return &array->trackers()[static_cast<std::size_t>(state_.selectedTracker)];
}

void DemonDisplay::drawCursor() {
    picture_.fillRows(11, 22, 0);
    DeviceContext& dc = *picture_.dc();
    const int x = demonX(state_.cursorFrequency, demonFullScale(state_.scale));
    dc.moveTo({x, 12});
    dc.lineTo({x, 22});
}

void DemonDisplay::drawAxis() {
    picture_.fillRows(kAxisY, kHeight, 0);
    DeviceContext& dc = *picture_.dc();
    const int fullScale = demonFullScale(state_.scale);
    dc.moveTo({kDemonLeft, kAxisY});
    dc.lineTo({kDemonRight, kAxisY});
    dc.setTextAlign(kTaCenter | kTaTop);
    for (int i = 0; i <= 4; ++i) {
        const int x = demonX(fullScale * i / 4.0, fullScale);
        dc.moveTo({x, kAxisY + 4});
        dc.lineTo({x, kAxisY});
        char label[16];
        std::snprintf(label, sizeof label, "%-d", fullScale * i / 4);
        dc.textOut({x, 230}, label);
    }
}

void DemonDisplay::redraw() {
    if (!ready())
        return;
    drawCursor();
    drawAxis();
    blit();
}

void DemonDisplay::timerStarted() {
    const ReceiverSensor* array = sonarCurrentArray();
    lastDrawn_ = array && array->broadband() ? array->broadband()->head().time : 0.0;
    if (opened_)
        opened_();
}

void DemonDisplay::tick() {
    if (!sonarCurrentArray()) {
        sonarSelectArray(storedArray());
        const ReceiverSensor* array = sonarCurrentArray();
        lastDrawn_ = array && array->broadband() ? array->broadband()->head().time : 0.0;
        return;
    }
    const ReceiverSensor* array = sonarCurrentArray();
    const SoundRing<BroadbandRow>* ring = array->broadband();
    const TrackSlot* followed = tracker();
    if (!ring || !followed || !ready() || ring->head().time == lastDrawn_)
        return;
    const int rows = newFineRows(ring->head().time, ring->count(), kBottom - kTop + 1);
    lastDrawn_ = ring->head().time;
    picture_.scrollDown(kTop, kBottom, kDemonLeft, kWidth, rows);
    picture_.fillRows(kTop, kTop + rows, 0);
    if (followed->inUse() && followed->locked) {
        const Entity* entity = worldFindEntity(std::abs(followed->source));
        DemonRowInput in;
        in.ambient = soundProfile().ambientNoise;
        in.level = followed->level;
        in.lineFactor = entity ? entity->lineFactor : 0;
        in.harmonics = entity ? entity->harmonicCount : 0;
        in.fullScale = demonFullScale(state_.scale);
        const int count = std::min(rows, historyCount(*followed));
        for (int k = 0; k < count; ++k) {
            in.background = ring->newest(static_cast<std::size_t>(k)).selfNoise;
            in.speed = followed->historyAt(followed->writeIndex + k);
            demonDrawRow(picture_.row(kTop + k), in, displayNoise());
        }
    }
    drawAxis();
    blit();
}

void DemonDisplay::onLeftDown(int, int) {
    beginDrag();
}

void DemonDisplay::onMouseMove(int x, int) {
    if (!dragging())
        return;
    const double f = demonXFrequency(x, demonFullScale(state_.scale));
    if (f == state_.cursorFrequency || !ready())
        return;
    state_.cursorFrequency = f;
    drawCursor();
    blit();
    tellCursorMoved();
}

void DemonDisplay::onLeftUp(int, int) {
    endDrag();
}

} // namespace q71
