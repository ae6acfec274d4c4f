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
#include <cmath>

namespace q71 {

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
    PropagationPoints points;
    PropagationLevels levels;
    passivePropagation(source, sensorZ, level, points, levels);
    return detect(points, levels, range, sensorZ, targetZ, static_cast<std::uint8_t>(level));
}

int SimpleSonarSensor::activeLevel(double range, double sensorZ, double targetZ, int level) {
    PropagationPoints points;
    PropagationLevels levels;
    activePropagation(sensorZ, level, points, levels);
    return detect(points, levels, activeRange(range), sensorZ, targetZ, static_cast<std::uint8_t>(level));
}

bool SimpleSonarSensor::canSense(Entity& entity) {
    const WorldPoint target = worldPoint(entity);
    if (!inWindow(target.z))
        return false;
    // An echo: the level test of the active sonar counts the way out only.
    const double share = type == kSensorActive ? 0.5 : 1.0;
    const int noise = entity.noiseLevel();
    const double ownerZ = worldPoint(owner()).z;
    const bool special = entity.recordId == 1; // the player's boat is heard by its own curve
    // The range is at least the longest axis of the offset: a target out of hearing at that is
    // out of hearing, and its exact range need not be worked out.
    const double atLeast =
        share * std::max({std::fabs(target.x - x), std::fabs(target.y - y), std::fabs(target.z - z)});
    PropagationPoints points;
    PropagationLevels levels;
    if (special)
        activePropagation(ownerZ, noise, points, levels);
    else
        passivePropagation(entity.noiseFactor, ownerZ, noise, points, levels);
    if (outOfHearing(points, special ? activeRange(atLeast) : atLeast, ownerZ, target.z))
        return false;
    const double range = share * geoRange3d(target.x - x, target.y - y, target.z - z);
    const int heard = special ? activeLevel(range, ownerZ, target.z, noise)
                              : passiveLevel(entity.noiseFactor, range, ownerZ, target.z, noise);
    if (heard == 0)
        return false;
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
