#include "sim/entities/sensors/receiver_sensor.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

std::uint16_t rangeField(double yards) {
    return static_cast<std::uint16_t>(
        std::clamp(std::isfinite(yards) ? std::trunc(yards) : 0.0, 0.0, 65535.0));
}

// Raises a bin of a row to a level when the level is above what the bin holds.
bool raise(BroadbandRow& row, int bin, double level, std::uint16_t range) {
    auto& held = row.level[static_cast<std::size_t>(bin & (kBearingBins - 1))];
    if (!(level > held))
        return false;
    held = static_cast<std::uint16_t>(std::min(level, 100.0));
    row.range[static_cast<std::size_t>(bin & (kBearingBins - 1))] = range;
    return true;
}

} // namespace

ReceiverSensor::ReceiverSensor(Entity& owner, float figure, const ReceiverHistories& histories,
                               char firstLetter)
    : Sensor(owner, figure) {
    if (histories.narrowband)
        narrowband_ = std::make_unique<SoundRing<NarrowbandRow>>(kNarrowbandRows);
    if (histories.broadbandRows > 0)
        broadband_ = std::make_unique<SoundRing<BroadbandRow>>(histories.broadbandRows);
    if (histories.longTerm) {
        longTerm1_ = std::make_unique<LongTermHistory>();
        longTerm2_ = std::make_unique<LongTermHistory>();
    }
    for (int i = 0; i < kTrackers; ++i)
        trackers_[static_cast<std::size_t>(i)].letter =
            firstLetter ? static_cast<char>(firstLetter + i) : '\0';
    if (owner.motion)
        rememberedAxis_ = owner.motion->orderedCourse;
}

bool ReceiverSensor::tracks(std::int32_t sourceId) const {
    return std::any_of(trackers_.begin(), trackers_.end(), [&](const TrackSlot& slot) {
        return slot.locked && slot.source == static_cast<std::int16_t>(sourceId);
    });
}

void ReceiverSensor::releaseTracker(int slot) {
    if (slot >= 0 && slot < kTrackers)
        trackers_[static_cast<std::size_t>(slot)].release();
}

void ReceiverSensor::onPing(std::int32_t sourceId, int bearing, int level) {
    onNoise(sourceId, bearing, 0.0, level);
}

void ReceiverSensor::onEvent(Entity& entity, double bearing, double range, int level) {
    const double yards = range * kMetresToYards;
    const int whole = static_cast<int>(bearing);
    if (!narrowband_) {
        onNoise(entity.id, whole, yards, level);
        return;
    }
    // A source none of whose lines came through is placed four times as far on the displays.
    const bool lines = onEntitySignal(entity, entity.id, whole, level) != 0;
    onNoise(entity.id, whole, lines ? yards : 4.0 * yards, level);
}

TrackSlot* ReceiverSensor::armTracker(Trackers& set, int slot, double bearing, double range,
                                      std::int32_t lineFrequency, std::int32_t sensorType) {
    TrackSlot* chosen = nullptr;
    if (slot == -1) {
        const auto free = std::find_if(set.begin(), set.end(), [](const TrackSlot& t) { return !t.locked; });
        chosen = free != set.end()
                     ? &*free
                     : &*std::min_element(set.begin(), set.end(), [](const TrackSlot& a, const TrackSlot& b) {
                           return a.stamp1 < b.stamp1;
                       });
    } else if (slot >= 0 && slot < kTrackers) {
        chosen = &set[static_cast<std::size_t>(slot)];
    }
    if (chosen)
        chosen->arm(bearing, range, lineFrequency, sensorType);
    return chosen;
}

int ReceiverSensor::onEntitySignal(Entity& entity, std::int32_t sourceId, int bearing, int level) {
    const int bin = bearingBin(bearing);
    const BroadbandRow* row = currentBroadband();
    const double background = row ? row->level[static_cast<std::size_t>(bin)] : 0.0;
    const std::span<const SignatureTable> tables = worldSignatureTables(entity.recordId);
    const std::size_t lines = std::min(tables.size(), entity.signatureIndex.size());
    const double now = simClock().gameClock;
    const double speed = entity.motion ? entity.motion->speed : 0.0;
    bool heard = false;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::int32_t frequency = entity.signatureIndex[i];
        // A line weaker than its attenuation is not heard at all (rather than wrapping round to
        // a loud one).
        const int lineLevel = std::clamp(level - (tables[i].parameter & 0xFF), 0, 255);
        if (!(frequency > bandLow && frequency < bandHigh) || !(lineLevel > background / 2.0))
            continue;
        heard = true;
        for (TrackSlot& tracker : trackers_) {
            const bool onBearing = std::fabs(angleDiff(tracker.bearing, bearing)) < kTrackerBearingWindow;
            if (tracker.armed && tracker.sensorType == type && tracker.lineFrequency >= 0 &&
                std::abs(tracker.lineFrequency - frequency) < kTrackerFrequencyWindow && onBearing) {
                tracker.lock(static_cast<std::int16_t>(sourceId), now);
                tracker.line = static_cast<std::int16_t>(i);
                tracker.bearing = bearing;
                tracker.lineFrequency = frequency;
                tracker.level = static_cast<std::uint16_t>(std::min(lineLevel, 100));
                numberSource(entity, sourceId, bearing, sonarCrewAssists());
            } else if (tracker.locked && tracker.source == static_cast<std::int16_t>(sourceId) &&
                       tracker.line == static_cast<std::int16_t>(i)) {
                tracker.bearing = bearing;
                tracker.lineFrequency = frequency;
                tracker.level = static_cast<std::uint16_t>(std::min(lineLevel, 100));
                tracker.stamp2 = now;
                tracker.recordSpeed(speed);
            }
        }
        if (!narrowband_)
            continue;
        const int half = std::max(1, (lineLevel - 50) * 7 / 100);
        const LineItem item{static_cast<std::int16_t>(sourceId), static_cast<std::uint16_t>(frequency),
                            static_cast<std::uint8_t>(i),
                            static_cast<std::uint8_t>(std::min(lineLevel, 100))};
        for (int k = -half; k < half; ++k)
            narrowband_->head().addLine(bin + k, item);
    }
    return heard ? 1 : 0;
}

void ReceiverSensor::writeBroadband(std::int32_t sourceId, int bearing, double rangeYards, int level) {
    BroadbandRow* row = currentBroadband();
    if (!row)
        return;
    const std::uint16_t range = rangeField(rangeYards);
    const auto id = static_cast<std::uint16_t>(static_cast<std::int16_t>(sourceId));
    BroadbandRow* term1 = longTerm1_ ? &longTerm1_->working : nullptr;
    BroadbandRow* term2 = longTerm2_ ? &longTerm2_->working : nullptr;
    const int centre = bearingBin(bearing);
    const int width = static_cast<int>(std::max(1, level - 50) * 0.07);
    if (width >= 2) {
        // A loud sound spreads over neighbouring bins, falling to a quarter at the edges.
        for (int j = -width; j <= width; ++j) {
            const int bin = centre + j;
            const double v = 0.25 * level + 0.75 * level * (width - std::abs(j) + 1) / (width + 1);
            if (raise(*row, bin, v, range))
                sourceTable[static_cast<std::size_t>(binDegrees(bin))] = id;
            if (term1)
                raise(*term1, bin, 1.1 * v, range);
            if (term2)
                raise(*term2, bin, 1.2 * v, range);
        }
        return;
    }
    if (raise(*row, centre, level, range))
        sourceTable[static_cast<std::size_t>(((bearing % 360) + 360) % 360)] = id;
    if (term1)
        raise(*term1, centre, level + level / 10, range);
    if (term2)
        raise(*term2, centre, level + level / 5, range);
}

} // namespace q71
