#include "sim/entities/sensors/array_sonar.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/signature_band.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/terrain_geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kHighReceiver = 33.0; // m: above this a receiver hears less of its own flow

std::uint16_t wholeDegrees(double heading) {
    const double degrees = std::isfinite(heading) ? std::fmod(std::trunc(heading), 360.0) : 0.0;
    return static_cast<std::uint16_t>(degrees < 0.0 ? degrees + 360.0 : degrees);
}

double ownSpeed(const Entity& entity) {
    return entity.motion ? entity.motion->speed : 0.0;
}

} // namespace

ArraySonar::ArraySonar(Entity& owner, float figure, const Layout& layout)
    : ReceiverSensor(owner, figure, {true, layout.broadbandRows, layout.longTerm}, layout.firstLetter),
      upgrade_(layout.upgrade) {
    type = layout.type;
    arcCentre = layout.arcCentre;
    arcHalfWidth = layout.arcHalfWidth;
    bandLow = layout.bandLow;
    bandHigh = layout.bandHigh;
    threshold = layout.threshold;
    maxHeight = 5;
    minHeight = -3000;
    const double q = figure;
    setResponse(0.0, 0.0, 0, 0, 1666.0 * q, 6666.0 * q, sensorErrorFigure(4, figure),
                sensorErrorFigure(layout.farBearingError, figure), 1666.0 * q, 6666.0 * q,
                static_cast<std::uint32_t>(std::clamp(std::trunc(250.0 * q), 0.0, 4.0e9)),
                static_cast<std::uint32_t>(std::clamp(std::trunc(2500.0 * q), 0.0, 4.0e9)));
    ArraySonar::placeReceiver();
}

void ArraySonar::placeReceiver() {
    if (const MotionModel* motion = owner().motion.get()) {
        x = motion->x;
        y = motion->y;
        z = motion->z;
        heading = motion->heading;
    }
}

void ArraySonar::step(double dt) {
    const double now = simClock().gameClock;
    const double newest = broadband_->head().time;
    // A clock set back starts the rows again at once rather than when it has caught up.
    if (now - newest < kRowInterval && now >= newest)
        return;
    const Background noise = startRows(now);
    Sensor::step(dt);
    const BroadbandRow& fresh = broadband_->head();
    if (longTerm1_)
        rollLongTerm(*longTerm1_, kLongTerm1Interval, fresh, noise);
    if (longTerm2_)
        rollLongTerm(*longTerm2_, kLongTerm2Interval, fresh, noise);
}

ArraySonar::Background ArraySonar::startRows(double now) {
    placeReceiver();
    for (TrackSlot& tracker : trackers_)
        tracker.advanceHistory();
    sourceTable.fill(0);
    const std::uint16_t ownHeading = wholeDegrees(owner().motion ? owner().motion->heading : heading);
    NarrowbandRow& lines = narrowband_->take();
    lines.clear();
    lines.time = now;
    lines.heading = ownHeading;
    BroadbandRow& row = broadband_->take();
    row = BroadbandRow{};
    row.time = now;
    row.value = ownHeading;
    const Background noise = background();
    row.selfNoise = static_cast<std::uint16_t>(std::max(0.0, std::trunc(noise.level + 0.66 * noise.floor)));
    fillBackground(row, noise);
    return noise;
}

ArraySonar::Background ArraySonar::background() const {
    const NoiseShape shape = noiseShape();
    const double ambient = soundProfile().ambientNoise;
    Background noise;
    noise.floor = ambient * shape.gain / 6.0;
    noise.mirrored = shape.mirrored;
    noise.axisBin = bearingBin(heading);
    double level = (targetLevel(ownSpeed(owner())) + ambient) * shape.gain;
    if (shape.onBottom)
        level = 99.0 - noise.floor;
    if (z > kHighReceiver)
        level *= 1.0 - (z - kHighReceiver) / 198.0;
    noise.level = std::min(level + 3.0 * simClock().seaState - 3.0, 100.0 - noise.floor);
    return noise;
}

void ArraySonar::fillBackground(BroadbandRow& row, const Background& noise) const {
    // A level below nothing is nothing (rather than a byte wrapped round to a loud one).
    const auto draw = [&] {
        const double value = noise.level - noise.floor + randomScaled(2.0 * noise.floor);
        return static_cast<std::uint16_t>(std::clamp(std::trunc(value), 0.0, 255.0));
    };
    if (!noise.mirrored) {
        for (std::uint16_t& level : row.level)
            level = draw();
        return;
    }
    for (int k = 0; k <= kBearingBins / 2; ++k) {
        const std::uint16_t level = draw();
        row.level[static_cast<std::size_t>((noise.axisBin + k) & (kBearingBins - 1))] = level;
        row.level[static_cast<std::size_t>((noise.axisBin - k) & (kBearingBins - 1))] = level;
    }
}

void ArraySonar::rollLongTerm(LongTermHistory& history, double interval, const BroadbandRow& fresh,
                              const Background& noise) const {
    BroadbandRow& working = history.working;
    if (!(fresh.time - working.time > interval) && fresh.time >= working.time)
        return;
    history.ring.take() = working;
    working = BroadbandRow{};
    working.time = fresh.time;
    working.value = fresh.value;
    working.selfNoise = fresh.selfNoise;
    fillBackground(working, noise);
}

bool ArraySonar::canSense(Entity& source) {
    const WorldPoint at = worldPoint(source);
    if (!inWindow(at.z))
        return false;
    const double now = simClock().gameClock;
    const double range = geoRange3d(at.x - x, at.y - y, at.z - z);
    double heardRange = range;
    if (source.activityPhase != 0) {
        // A source in its active window is louder: it counts as nearer. A timer long past (which
        // would divide by nothing or less) leaves the range as it is.
        const double nearer = 1.0 + (source.activityTimer - now) / 60.0;
        if (nearer > 0.0)
            heardRange /= nearer;
    }
    const double ownerZ = worldPoint(owner()).z;
    const int noise = source.noiseLevel();
    const int level = source.recordId == 1
                          ? activeLevel(heardRange, ownerZ, at.z, noise)
                          : passiveLevel(source.noiseFactor, heardRange, ownerZ, at.z, noise);
    if (!(targetLevel(ownSpeed(owner())) < level))
        return false;
    const double bearing = geoBearing(at.x - x, at.y - y);
    if (!inArc(bearing, false) || terrainLineBlocked(WorldPoint{x, y, z}, at))
        return false;
    const double error = bearingError(heardRange);
    const double measured = std::fmod(bearing - error + randomScaled(2.0 * error) + 360.0, 360.0);
    if (!signatureLineInBand(source, bandLow, bandHigh))
        return false;
    onEvent(source, measured < 0.0 ? measured + 360.0 : measured, range, std::min(level, 100));
    return true;
}

void ArraySonar::trackEvent(int slot, std::int32_t /*sourceId*/, double bearing, double range,
                            std::int32_t lineFrequency, int sensorType) {
    armTracker(trackers_, slot, bearing, range, lineFrequency, sensorType);
}

} // namespace q71
