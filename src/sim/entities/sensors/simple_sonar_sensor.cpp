#include "sim/entities/sensors/simple_sonar_sensor.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/player_upgrades.h"
#include "sim/entities/sensors/propagation_points.h"
#include "sim/entities/sensors/signature_band.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/terrain_geometry.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace q71 {

namespace {

// Every figure a curve's range points and levels depend on: the bits of the sonar's figure and
// the source's, the level, and the three switches of the curves.
struct CurveKey {
    std::uint64_t source = 0;
    std::uint64_t figureAndLevel = 0;
    std::uint32_t switches = 0;
    bool operator==(const CurveKey&) const = default;
};

// The loudest noise an entity makes (Entity::noiseLevel): 20 for its speed, and 20, 20, 5 and
// 10 for cavitating, the blower, the mode word and an emergency blow; the quietest is 0.
constexpr int kLoudestNoise = 75;

struct KeptCurve {
    CurveKey key;
    SimpleSonarSensor::Curve curve;
    bool filled = false;
};

} // namespace

SimpleSonarSensor::SimpleSonarSensor(Entity& owner, float figure) : Sensor(owner, figure) {
    type = kSensorPassive;
    arcHalfWidth = figure > 2.0f ? 180.0 : 150.0;
    minHeight = -3000;
    maxHeight = 5;
    const double f = figure;
    setResponse(0.0, 0.0, 0, 0, 10000.0 * f, 15000.0 * f, sensorErrorFigure(4, figure),
                sensorErrorFigure(6, figure), 10000.0 * f, 15000.0 * f,
                static_cast<std::uint32_t>(std::max(propagationWhole(400.0 * f), 0)),
                static_cast<std::uint32_t>(std::max(propagationWhole(1500.0 * f), 0)));
    threshold = static_cast<std::uint8_t>(std::clamp(propagationWhole(5.0 * f), 0, 255));
    bandLow = 10;
    bandHigh = static_cast<std::uint16_t>(std::clamp(propagationWhole(600.0 * f), 0, 65535));
}

void SimpleSonarSensor::passivePropagation(double source, double sensorZ, int level,
                                           PropagationPoints& points, PropagationLevels& levels) const {
    // The figure is below 4 in every record; a larger one would divide by nothing or turn the
    // curve inside out, so it is taken as just below 4.
    const double q = std::max(4.0 - figure, 0.1);
    const double s = source / q;
    if (missionState().soundProfileKind == 1) {
        points.r0 = propagationWhole(5000.0 * s);
        levels.a = propagationWhole(70.0 + 10.0 * s);
        points.r1 = propagationPushedOut(propagationWhole(10000.0 * s), points.r0, level, levels.a);
    } else if (propagationBelowLayer(sensorZ)) {
        propagationLayerCase(points, levels, propagationWhole(5000.0 * s), propagationWhole(9000.0 * s),
                             propagationWhole(-7000.0 - 1000.0 * s), level,
                             level - propagationWhole(-50.0 - 10.0 * s));
    } else {
        points.r0 = propagationWhole(10000.0 * s);
        levels.a = propagationWhole(85.0 + 5.0 * s);
        points.r1 = propagationPushedOut(propagationWhole(15000.0 * s), points.r0, level, levels.a);
    }
}

void SimpleSonarSensor::activePropagation(double sensorZ, int level, PropagationPoints& points,
                                          PropagationLevels& levels) const {
    const double f = figure;
    levels.a = 90;
    if (missionState().soundProfileKind == 1) {
        points.r0 = propagationWhole(1200.0 * f);
        points.r1 = propagationPushedOut(propagationWhole(2500.0 * f), points.r0, level, 90);
    } else if (propagationBelowLayer(sensorZ)) {
        propagationLayerCase(points, levels, propagationWhole(1200.0 * f), propagationWhole(3000.0 * f),
                             propagationWhole(-3000.0 - 1000.0 * f), level, level + 80);
    } else {
        points.r0 = propagationWhole(2000.0 * f);
        points.r1 = propagationPushedOut(propagationWhole(3000.0 * f), points.r0, level, 90);
    }
}

double SimpleSonarSensor::activeRange(double range) const {
    if (playerHasUpgrade(PlayerUpgrade::quieting))
        range *= 1.25;
    if (simFrontEnd().optionsField(kOptionLoudActiveSonar) != 0)
        range *= 2.0;
    return range;
}

int SimpleSonarSensor::passiveLevel(double source, double range, double sensorZ, double targetZ, int level) {
    Curve curve = curveOf(soundLayers(), false, source, level, sensorZ);
    return detect(curve.points, curve.levels, range, sensorZ, targetZ, static_cast<std::uint8_t>(level));
}

int SimpleSonarSensor::activeLevel(double range, double sensorZ, double targetZ, int level) {
    Curve curve = curveOf(soundLayers(), true, 0.0, level, sensorZ);
    return detect(curve.points, curve.levels, activeRange(range), sensorZ, targetZ,
                  static_cast<std::uint8_t>(level));
}

std::uint32_t SimpleSonarSensor::curveSwitches(const SoundLayers& layers, bool active, double sensorZ) {
    // The player's boat's curve, the standard profile, and the listener below the layer.
    return (active ? 1u : 0u) | (layers.kind == 1 ? 2u : 0u) | (layers.belowLayer(sensorZ) ? 4u : 0u);
}

SimpleSonarSensor::Curve SimpleSonarSensor::curveOf(const SoundLayers& layers, bool active, double source, int level,
                                                    double sensorZ) const {
    const std::uint32_t switches = curveSwitches(layers, active, sensorZ);
    const CurveKey key{active ? 0 : std::bit_cast<std::uint64_t>(source),
                       std::uint64_t{std::bit_cast<std::uint32_t>(figure)} << 32 | static_cast<std::uint32_t>(level),
                       switches};
    static std::array<KeptCurve, 64> kept; // one table for all the sonars: the same figures recur
    KeptCurve& slot = kept[((key.source ^ key.figureAndLevel * 31 ^ switches) * 0x9E3779B97F4A7C15ULL) >> 58];
    if (!slot.filled || !(slot.key == key)) {
        slot.curve = Curve{}; // as fresh points and levels: a curve leaves some of them alone
        if (active)
            activePropagation(sensorZ, level, slot.curve.points, slot.curve.levels);
        else
            passivePropagation(source, sensorZ, level, slot.curve.points, slot.curve.levels);
        slot.key = key;
        slot.filled = true;
    }
    return slot.curve;
}

SimpleSonarSensor::HearingScan SimpleSonarSensor::hearingScan() const {
    HearingScan scan;
    refreshHearing(scan);
    return scan;
}

void SimpleSonarSensor::refreshHearing(HearingScan& scan) const {
    scan.layers = soundLayers();
    scan.ownerZ = worldPoint(owner()).z;
    const std::uint64_t bounded = std::uint64_t{std::bit_cast<std::uint32_t>(figure)} << 32 |
                                  curveSwitches(scan.layers, false, scan.ownerZ);
    if (bounded == scan.bounded)
        return;
    scan.loudest = {};
    scan.bounded = bounded;
}

const PropagationPoints& SimpleSonarSensor::boundLoudest(HearingScan& scan, HearingScan::Loudest& slot,
                                                         float source) const {
    // The curves of the quietest and the loudest noise, as curveOf works them out.
    PropagationPoints quiet, loud;
    PropagationLevels levels;
    passivePropagation(source, scan.ownerZ, 0, quiet, levels);
    levels = {};
    passivePropagation(source, scan.ownerZ, kLoudestNoise, loud, levels);
    slot.points = {std::max(quiet.r0, loud.r0), std::max(quiet.r1, loud.r1), std::max(quiet.r2, loud.r2)};
    slot.source = std::bit_cast<std::uint32_t>(source);
    slot.known = true;
    return slot.points;
}

bool SimpleSonarSensor::mayHear(const HearingScan& scan, const Entity& entity, Hearing& hearing) const {
    hearing.target = motionPoint(entity.motion.get());
    if (!inWindow(hearing.target.z))
        return false;
    // An echo: the level test of the active sonar counts the way out only.
    hearing.share = type == kSensorActive ? 0.5 : 1.0;
    hearing.noise = entity.noiseLevel();
    hearing.special = entity.recordId == 1; // the player's boat is heard by its own curve
    // The range is at least the longest axis of the offset: a target out of hearing at that is
    // out of hearing, and its exact range need not be worked out.
    const double atLeast = leastRange(hearing.target, hearing.share);
    const Curve curve = curveOf(scan.layers, hearing.special, entity.noiseFactor, hearing.noise, scan.ownerZ);
    return !scan.layers.outOfHearing(curve.points, hearing.special ? activeRange(atLeast) : atLeast, scan.ownerZ,
                                     hearing.target.z);
}

void SimpleSonarSensor::askForNoise(const Entity& entity) {
    __builtin_prefetch(&entity.recordId);
    if (const MotionModel* motion = entity.motion.get()) {
        __builtin_prefetch(&motion->sinking);
        __builtin_prefetch(&motion->maxSpeed);
    }
}

bool SimpleSonarSensor::mayHearInScan(HearingScan& scan, const Entity& entity, Hearing& hearing) const {
    if (entity.recordId != 1) { // the player's boat is heard by a curve of its own
        const WorldPoint target = motionPoint(entity.motion.get());
        const double atLeast = leastRange(target, type == kSensorActive ? 0.5 : 1.0);
        if (scan.layers.outOfHearing(loudestPoints(scan, entity.noiseFactor), atLeast, scan.ownerZ, target.z))
            return false;
    }
    return mayHear(scan, entity, hearing);
}

bool SimpleSonarSensor::pingMayReach(const HearingScan& scan, const Entity& entity) const {
    const WorldPoint target = motionPoint(entity.motion.get());
    if (!inWindow(target.z))
        return false;
    return !scan.layers.outOfHearing(curveOf(scan.layers, false, entity.noiseFactor, 0, scan.ownerZ).points,
                                     leastRange(target, 0.5), scan.ownerZ, target.z);
}

bool SimpleSonarSensor::scanMayReach(const Entity& entity) const {
    Hearing hearing;
    return mayHear(hearingScan(), entity, hearing);
}

void SimpleSonarSensor::scanWorld() {
    HearingScan scan = hearingScan();
    Hearing hearing;
    scanWorldWith([&](const Entity& entity) { return mayHearInScan(scan, entity, hearing); },
                  [&] { refreshHearing(scan); }, askForNoise);
}

bool SimpleSonarSensor::canSense(Entity& entity) {
    owner().contacts.prefetchSlot(entity.id); // the report's memory arrives while the tests run
    const HearingScan scan = hearingScan();
    Hearing hearing;
    if (!mayHear(scan, entity, hearing))
        return false;
    const WorldPoint& target = hearing.target;
    const double ownerZ = scan.ownerZ;
    const int noise = hearing.noise;
    const bool special = hearing.special;
    const double range = hearing.share * geoRange3d(target.x - x, target.y - y, target.z - z);
    const int heard = special ? activeLevel(range, ownerZ, target.z, noise)
                              : passiveLevel(entity.noiseFactor, range, ownerZ, target.z, noise);
    if (heard == 0)
        return false;
    owner().contacts.prefetch(entity.id);
    const double ownSpeed = owner().motion ? owner().motion->speed : 0.0;
    if (!(heard > std::max(soundProfile().ambientNoise, double(targetLevel(ownSpeed)))))
        return false;
    const double bearing = geoBearing(target.x - x, target.y - y);
    if (!inArc(bearing, false) || terrainLineBlocked(WorldPoint{x, y, z}, target))
        return false;
    double measuredBearing = 0.0, measuredRange = 0.0;
    measure(bearing, range, measuredBearing, measuredRange);
    if (!signatureLineInBand(entity, bandLow, bandHigh))
        return false;
    onEvent(entity, measuredBearing, measuredRange, heard);
    owner().processContactRecord(entity, makeFix(entity, measuredBearing, measuredRange, heard));
    return true;
}

} // namespace q71
