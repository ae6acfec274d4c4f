#include "tactical/sonar/narrowband_displays.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/text_format.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace q71 {

namespace {

constexpr int kRight = kNarrowbandLeft + kNarrowbandColumns; // 260
constexpr int kTop = 26;                                     // y of the newest row
constexpr int kBottom = 150;                                 // y of the oldest row drawn
constexpr int kTraceTop = 66;                                // the trace's zero level

std::string number(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%-d", value);
    return text;
}

// The frequency axis of the waterfall and the reference strip: the line at y, five ticks up to
// it from tickTop, labelled at labelY; a label centred on its tick moves left as far as it must to
// stay inside the panel's width.
void drawFrequencyAxis(DeviceContext& dc, int width, int y, int tickTop, int labelY, int fullScale) {
    // "2000" on the last tick fits the panel only in the narrow face.
    dc.selectFont(appInterfaceFont(kSonarScaleFont));
    dc.moveTo({kNarrowbandLeft, y});
    dc.lineTo({kRight, y});
    dc.setTextAlign(kTaCenter | kTaTop);
    for (int i = 0; i <= 4; ++i) {
        const int frequency = fullScale * i / 4;
        const int x = kNarrowbandLeft + narrowbandColumn(frequency, fullScale);
        dc.moveTo({x, tickTop});
        dc.lineTo({x, y});
        const std::string label = number(frequency);
        const int labelWidth = dc.getTextExtent(label).cx;
        dc.textOut({std::min(x, width - (labelWidth + 1) / 2), labelY}, label);
    }
    dc.selectFont(appInterfaceFont(kSonarFont));
}

void drawTick(DeviceContext& dc, int x, int top, int bottom) {
    dc.moveTo({x, top});
    dc.lineTo({x, bottom + 1});
}

int storedArray() {
    OwnShipMotion* motion = sonarOwnMotion();
    return motion ? std::clamp(stationSetting(*motion, kSettingArray), 0, 2) : kSonarHullArray;
}

} // namespace

ReceiverSensor* narrowbandArray() {
    if (!sonarCurrentArray())
        sonarSelectArray(storedArray());
    return sonarCurrentArray();
}

// The waterfall.

NarrowbandWaterfall::NarrowbandWaterfall(WindowHandle page, NarrowbandState& state,
                                         std::function<void()> cursorMoved, std::function<void()> ticked)
    : SonarCursorDisplay(page, "darea1", 32, 33, kWidth, kHeight, kTimer, 200, state, std::move(cursorMoved)),
      ticked_(std::move(ticked)) {}

void NarrowbandWaterfall::drawFrame() {
    DeviceContext& dc = *picture_.dc();
    drawFrequencyAxis(dc, kWidth, 25, 22, 1, state_.fullScale());
    const Point bracket[] = {{13, 26}, {16, 26}, {16, 150}, {13, 150}};
    dc.polyline(bracket);
    dc.selectFont(appInterfaceFont(kSonarScaleFont));
    dc.setTextAlign(kTaLeft | kTaTop);
    dc.textOut({3, 21}, "0");
    dc.textOut({0, 83}, "Sec");
    dc.textOut({2, 145}, "30");
    dc.selectFont(appInterfaceFont(kSonarFont));
}

void NarrowbandWaterfall::drawStrip() {
    picture_.fillRows(11, 22, 0);
    DeviceContext& dc = *picture_.dc();
    const int fullScale = state_.fullScale();
    const int cursorX = kNarrowbandLeft + narrowbandColumn(state_.cursorFrequency, fullScale);
    if (state_.pickedTracker < 0)
        drawTick(dc, cursorX, 12, 21);
    const ReceiverSensor* array = sonarCurrentArray();
    if (!array)
        return;
    // The letters of the trackers on lines near the cursor bearing.
    sonarDrawTrackerLetters(dc, *array, 12, [&](int slot, const TrackSlot& tracker) -> std::optional<int> {
        if (tracker.lineFrequency < 0 ||
            std::fabs(angleDiff(tracker.bearing, sonarState().cursorBearing)) > 5.0)
            return std::nullopt;
        if (slot == state_.pickedTracker)
            return cursorX;
        return kNarrowbandLeft + narrowbandColumn(tracker.lineFrequency, fullScale) + 1;
    });
}

void NarrowbandWaterfall::drawRow(const NarrowbandRow& row, int y, bool remember) {
    std::span<std::uint8_t> pixels = picture_.row(y);
    if (pixels.empty())
        return;
    std::fill(pixels.begin() + kNarrowbandLeft, pixels.begin() + kRight + 1, 0);
    const int fullScale = state_.fullScale();
    for (const LineItem& line : row.lines(bearingBin(sonarState().cursorBearing))) {
        if (line.frequency >= fullScale)
            continue;
        const int column = narrowbandColumn(line.frequency, fullScale);
        pixels[static_cast<std::size_t>(kNarrowbandLeft + column)] =
            static_cast<std::uint8_t>(std::clamp<int>(line.level, 1, kLevelMax));
        if (remember) {
            state_.lineFrequency[static_cast<std::size_t>(column)] = line.frequency + 1;
            state_.lineSource[static_cast<std::size_t>(column)] = line.source;
        }
    }
}

void NarrowbandWaterfall::redraw() {
    if (!ready())
        return;
    picture_.fill(0);
    drawFrame();
    drawStrip();
    state_.lineFrequency.fill(0);
    state_.lineSource.fill(0);
    if (const ReceiverSensor* array = sonarCurrentArray())
        if (const SoundRing<NarrowbandRow>* ring = array->narrowband()) {
            const int count = std::min(static_cast<int>(ring->count()), kBottom - kTop + 1);
            for (int age = 0; age < count; ++age)
                drawRow(ring->newest(static_cast<std::size_t>(age)), kTop + age, age == 0);
            lastDrawn_ = ring->head().time;
        }
    blit();
}

void NarrowbandWaterfall::timerStarted() {
    const ReceiverSensor* array = sonarCurrentArray();
    lastDrawn_ = array && array->narrowband() ? array->narrowband()->head().time : 0.0;
}

void NarrowbandWaterfall::tick() {
    const bool hadArray = sonarCurrentArray() != nullptr;
    const ReceiverSensor* array = narrowbandArray();
    const SoundRing<NarrowbandRow>* ring = array ? array->narrowband() : nullptr;
    if (!ring || !ready())
        return;
    if (!hadArray) { // a newly selected array starts from its present row
        lastDrawn_ = ring->head().time;
        return;
    }
    if (ring->head().time == lastDrawn_)
        return;
    const int rows = newFineRows(ring->head().time, ring->count(), kBottom - kTop + 1);
    lastDrawn_ = ring->head().time;
    drawStrip();
    state_.lineFrequency.fill(0);
    state_.lineSource.fill(0);
    picture_.scrollDown(kTop, kBottom, kNarrowbandLeft, kRight + 1, rows);
    for (int k = 0; k < rows; ++k)
        drawRow(ring->newest(static_cast<std::size_t>(k)), kTop + k, k == 0);
    blit();
    if (ticked_)
        ticked_();
}

void NarrowbandWaterfall::moveCursor(int x) {
    state_.cursorFrequency = narrowbandXFrequency(x, state_.fullScale());
    drawStrip();
    blit();
    tellCursorMoved();
}

void NarrowbandWaterfall::onLeftDown(int x, int y) {
    if (x < kNarrowbandLeft + 1 || x > kRight - 1 || !ready())
        return;
    beginDrag();
    state_.pickedTracker = -1;
    state_.cursorFrequency = narrowbandXFrequency(x, state_.fullScale());
    const ReceiverSensor* array = sonarCurrentArray();
    if (y < kTop && array) {
        // The first tracker near the cursor bearing whose line lies near the cursor frequency.
        const auto& trackers = array->trackers();
        for (int slot = 0; slot < static_cast<int>(trackers.size()) && state_.pickedTracker < 0; ++slot) {
            const TrackSlot& tracker = trackers[static_cast<std::size_t>(slot)];
            if (!tracker.inUse() || tracker.lineFrequency < 0 ||
                std::fabs(angleDiff(tracker.bearing, sonarState().cursorBearing)) > 4.0)
                continue;
            std::array<int, kNarrowbandColumns> own{};
            const int column = narrowbandColumn(tracker.lineFrequency, state_.fullScale());
            if (column >= 0 && column < kNarrowbandColumns) {
                own[static_cast<std::size_t>(column)] = 1;
                if (sonarNearestLine(state_.cursorFrequency, state_.fullScale(), own) >= 0)
                    state_.pickedTracker = slot;
            }
        }
    }
    moveCursor(x);
}

void NarrowbandWaterfall::onMouseMove(int x, int) {
    if (dragging())
        moveCursor(std::clamp(x, kNarrowbandLeft, kRight));
}

void NarrowbandWaterfall::onLeftUp(int, int) {
    if (!endDrag())
        return;
    const int picked = state_.pickedTracker;
    state_.pickedTracker = -1;
    ReceiverSensor* array = sonarCurrentArray();
    if (picked >= 0 && array) {
        const int column = sonarNearestLine(state_.cursorFrequency, state_.fullScale(), state_.lineFrequency);
        if (column >= 0) {
            const auto c = static_cast<std::size_t>(column);
            array->trackEvent(picked, state_.lineSource[c], sonarState().cursorBearing, 0.0,
                              state_.lineFrequency[c] - 1, sonarState().selectedArray);
        } else {
            array->releaseTracker(picked);
        }
    }
    drawStrip();
    blit();
    tellCursorMoved();
}

// The reference strip.

NarrowbandReferencePanel::NarrowbandReferencePanel(WindowHandle page, NarrowbandState& state)
    : SonarDisplay(page, "darea3", 32, 222, kWidth, kHeight, 0, 0), state_(state) {}

void NarrowbandReferencePanel::redraw() {
    if (!ready())
        return;
    picture_.fill(0);
    DeviceContext& dc = *picture_.dc();
    const int fullScale = state_.fullScale();
    drawFrequencyAxis(dc, kWidth, 14, 10, 0, fullScale);
    if (const ObjectRecord* record = objdbFindById(static_cast<std::uint32_t>(state_.referenceId)))
        for (std::int32_t frequency : record->signatureValues)
            if (frequency > 0 && frequency < fullScale)
                drawTick(dc, kNarrowbandLeft + narrowbandColumn(frequency, fullScale), 15, kHeight - 1);
    blit();
}

// The bearing trace.

NarrowbandBearingTrace::NarrowbandBearingTrace(WindowHandle page, NarrowbandState& state,
                                               std::function<void()> cursorMoved)
    : SonarCursorDisplay(page, "darea2", 32, 322, kWidth, kHeight, kTimer, 200, state, std::move(cursorMoved)) {}

void NarrowbandBearingTrace::redraw() {
    if (!ready())
        return;
    picture_.fill(0);
    DeviceContext& dc = *picture_.dc();
    dc.moveTo({12, 25});
    dc.lineTo({258, 25});
    dc.selectFont(appInterfaceFont(kSonarScaleFont)); // as the page's other two scales
    dc.setTextAlign(kTaCenter | kTaTop);
    for (int bearing : {0, 90, 180, 270}) {
        const int x = narrowbandTraceX(bearing, state_.offset);
        drawTick(dc, x, 22, 24);
        dc.textOut({x, 1}, number(bearing));
    }
    drawTick(dc, narrowbandTraceX(sonarState().cursorBearing, state_.offset), 12, 21);
    const ReceiverSensor* array = sonarCurrentArray();
    const SoundRing<BroadbandRow>* ring = array ? array->broadband() : nullptr;
    if (ring) {
        const BroadbandRow& row = ring->head();
        std::vector<Point> stroke;
        int lastX = -1;
        for (int k = 0; k < kBearingBins; ++k) {
            const int cell = state_.offset == 180 ? (k + 128) % kBearingBins : k;
            const int x = narrowbandTraceX(std::trunc(cell * 1.40625), state_.offset);
            const int level = std::min<int>(row.level[static_cast<std::size_t>(cell)], kLevelMax);
            if (x < lastX && stroke.size() > 1)
                dc.polyline(stroke);
            if (x < lastX)
                stroke.clear();
            stroke.push_back({x, kTraceTop - 5 * level * 8 / 100});
            lastX = x;
        }
        if (stroke.size() > 1)
            dc.polyline(stroke);
        lastDrawn_ = row.time;
    }
    blit();
}

void NarrowbandBearingTrace::tick() {
    const ReceiverSensor* array = narrowbandArray();
    const SoundRing<BroadbandRow>* ring = array ? array->broadband() : nullptr;
    if (ring && ring->head().time != lastDrawn_)
        redraw();
}

void NarrowbandBearingTrace::moveCursor(int x) {
    sonarState().cursorBearing = narrowbandTraceBearing(x, state_.offset);
    redraw();
    tellCursorMoved();
}

void NarrowbandBearingTrace::onLeftDown(int x, int) {
    if (x < 13 || x > 258)
        return;
    beginDrag();
    moveCursor(x);
}

void NarrowbandBearingTrace::onMouseMove(int x, int) {
    if (dragging())
        moveCursor(std::clamp(x, 12, 259));
}

void NarrowbandBearingTrace::onLeftUp(int, int) {
    endDrag();
}

} // namespace q71
