#include "sim/entities/sensors/radar_sensor.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/scan_index.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::uint8_t kEventTransmission = 10;
constexpr double kMastBand = -3.6576; // m: a submarine's masts show down to 12 ft

} // namespace

RadarSensor::RadarSensor(Entity& owner, float figure) : Sensor(owner, figure) {
    type = kSensorRadar;
    arcHalfWidth = owner.category == kCategoryMissile ? 45.0 : 150.0;
    minHeight = -16;
    maxHeight = 50000;
    const double square = double(figure) * figure;
    setResponse(std::trunc(4000.0 * square), std::trunc(6000.0 * square), 75, 0, std::trunc(4000.0 * square),
                std::trunc(6000.0 * square), sensorErrorFigure(5, figure), sensorErrorFigure(7, figure),
                std::trunc(4000.0 * square), std::trunc(6000.0 * square), 50, 100);
    transmitInterval = static_cast<std::int16_t>(5 + static_cast<int>(randomScaled(5.0)));
    lastTransmit = randomScaled(5.0);
    bandLow = 0;
    bandHigh = 32000;
}

void RadarSensor::step(double /*dt*/) {
    const double now = simClock().gameClock;
    if (!transmitDue(now))
        return;
    if (NetworkGame* game = simNetworkGame())
        game->sendEventWithValue(kEventTransmission, kSensorRadar, owner().id);
    copyOwnerPose();
    if (inWindow(worldPoint(owner()).z))
        scanWorldInOrder([&](const Entity& entity) { return &entity != &owner() && scanMayReach(entity); },
                         [&](Entity& entity) {
                             canSense(entity);
                             scanList(entity);
                         });
    lastTransmit = now;
}

bool RadarSensor::mayPaint(const Entity& entity) const {
    const WorldPoint target = worldPoint(entity);
    return !(target.z < kMastBand || target.z > maxHeight || !withinReach(target));
}

bool RadarSensor::listening(const Sensor& esm, double height) {
    return esm.type == kSensorEsm && !esm.deleteFlag && !(esm.minHeight > height) && !(esm.figure + 1.0 <= 0.0);
}

bool RadarSensor::heardByEsm(const Entity& entity) const {
    const WorldPoint target = worldPoint(entity);
    for (auto* node = entity.sensors.head(); node; node = node->next)
        if (const Sensor& esm = *node->item; listening(esm, target.z) &&
                                             geoRange3d(target.x - x, target.y - y, target.z - z) /
                                                     (esm.figure + 1.0) <
                                                 rangeFar)
            return true;
    return false;
}

bool RadarSensor::scanMayReach(const Entity& entity) const {
    return mayPaint(entity) || heardByEsm(entity);
}

bool RadarSensor::canSense(Entity& entity) {
    if (!mayPaint(entity))
        return false;
    const WorldPoint target = worldPoint(entity);
    const double range = geoRange3d(target.x - x, target.y - y, target.z - z);
    int level = levelAtRange(range);
    if (level == 0)
        return false;
    if (target.z < 0.0) { // only a submarine's masts show below the surface
        if (entity.kind != kKindSubsurface)
            return false;
        level = level * (14 + static_cast<int>(target.z)) / 14;
    }
    // Seen end-on a hull shows less than on the beam.
    const int aspect = sensorAspectPoints(owner(), entity);
    if (level < 20 - aspect)
        return false;
    level -= 20 - aspect;
    if (level == 0)
        return false;
    const double bearing = geoBearing(target.x - x, target.y - y);
    if (!inArc(bearing, false))
        return false;
    double measuredBearing = 0.0, measuredRange = 0.0;
    measure(bearing, range, measuredBearing, measuredRange);
    onEvent(entity, measuredBearing, measuredRange, level);
    if (!owner().isOwnShip())
        owner().processContactRecord(entity, makeFix(entity, measuredBearing, measuredRange, level));
    return true;
}

void RadarSensor::scanList(Entity& entity) {
    const WorldPoint target = worldPoint(entity);
    Entity& radarOwner = owner();
    for (auto* node = entity.sensors.head(); node; node = node->next) {
        Sensor& esm = *node->item;
        if (!listening(esm, target.z))
            continue;
        // A receiver of figure f hears the radar as if f + 1 times nearer.
        const double heardRange = geoRange3d(target.x - x, target.y - y, target.z - z) / (esm.figure + 1.0);
        if (levelAtRange(heardRange) == 0)
            continue;
        const int level = static_cast<int>(std::min(95.0, 200.0 * (rangeFar - heardRange) / rangeFar));
        const double bearing = std::fmod(entityBearing(radarOwner, entity) + 180.0, 360.0);
        esm.onPing(radarOwner.id, static_cast<int>(bearing), level);
        if (entity.isOwnShip())
            continue;
        entity.processContactRecord(radarOwner, interceptFix(radarOwner, entity, bearing, level, kSensorEsm));
    }
}

} // namespace q71
