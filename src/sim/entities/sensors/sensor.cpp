#include "sim/entities/sensors/sensor.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/terrain_geometry.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace q71 {

namespace {

constexpr double kScanInterval = 0.4; // s of game time between two scans
// Game times are sums of doubles: a time that is a sub-step (or an interval) after another may
// come a hair short of it, and still counts as that much later.
constexpr double kClockSlack = 1e-9;

// A curve's value at a range: the near value inside the near range, the far value from the far
// range on, linear between.
double curve(double range, double nearRange, double farRange, double nearValue, double farValue) {
    if (range >= farRange)
        return farValue;
    if (range < nearRange)
        return nearValue;
    return nearValue + (farValue - nearValue) * (range - nearRange) / (farRange - nearRange);
}

// A range figure in metres as the curves keep it; held inside 32 bits whatever the figure.
std::int32_t wholeMetres(double range) {
    return static_cast<std::int32_t>(std::clamp(std::trunc(range), -2.0e9, 2.0e9));
}

} // namespace

std::uint8_t sensorErrorFigure(int base, float figure) {
    const double value = base - std::trunc(static_cast<double>(figure));
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

Sensor::Sensor(Entity& owner, float figure) : figure(figure), owner_(&owner) {}

void Sensor::setResponse(double nearRange, double farRange, std::uint8_t nearLevel, std::uint8_t farLevel,
                         double bearingNear, double bearingFar, std::uint8_t bearingErrorNear,
                         std::uint8_t bearingErrorFar, double rangeErrorRangeNear, double rangeErrorRangeFar,
                         std::uint32_t rangeErrorNear, std::uint32_t rangeErrorFar) {
    rangeNear = wholeMetres(nearRange);
    rangeFar = wholeMetres(farRange);
    levelNear = nearLevel;
    levelFar = farLevel;
    bearingRangeNear = wholeMetres(bearingNear);
    bearingRangeFar = wholeMetres(bearingFar);
    bearingErrNear = bearingErrorNear;
    bearingErrFar = bearingErrorFar;
    rangeErrRangeNear = wholeMetres(rangeErrorRangeNear);
    rangeErrRangeFar = wholeMetres(rangeErrorRangeFar);
    rangeErrNear = rangeErrorNear;
    rangeErrFar = rangeErrorFar;
}

double Sensor::bearingError(double range) const {
    return curve(range, bearingRangeNear, bearingRangeFar, bearingErrNear, bearingErrFar);
}

double Sensor::rangeError(double range) const {
    return curve(range, rangeErrRangeNear, rangeErrRangeFar, rangeErrNear, rangeErrFar);
}

int Sensor::levelAtRange(double range) {
    if (!(range < rangeFar))
        return 0;
    if (range < rangeNear)
        return static_cast<int>(100.0 + (levelNear - 100.0) * range / rangeNear); // certain
    const auto level = static_cast<std::uint8_t>(curve(range, rangeNear, rangeFar, levelNear, levelFar));
    return randomScaled(100.0) < level ? level : 0; // beyond the near range, a chance
}

int Sensor::targetLevel(double received) const {
    if (threshold == 0 || received < threshold)
        return 0;
    const double excess = (received - threshold) / (0.25 * threshold);
    return static_cast<int>(std::min(100.0, 100.0 * excess * excess));
}

Sensor::SoundLayers Sensor::soundLayers() {
    return {missionState().soundProfileKind, soundProfile().layerDepth};
}

std::uint8_t Sensor::detect(const PropagationPoints& points, PropagationLevels& levels, double range,
                            double sensorZ, double targetZ, std::uint8_t sourceLevel) {
    const SoundLayers layers = soundLayers();
    if (layers.outOfHearing(points, range, sensorZ, targetZ))
        return 0;
    range = layers.path(range, sensorZ, targetZ);
    const int source = sourceLevel;
    if (range < points.r0) // inside the first range point the source is heard well
        return static_cast<std::uint8_t>(source + 100 -
                                         static_cast<int>((100 - levels.a) * range / points.r0));
    levels.a += source;
    std::uint8_t heard;
    if (layers.convergence(sensorZ, targetZ)) { // both below the layer: the convergence zone
        if (range < points.r1)
            heard = static_cast<std::uint8_t>(static_cast<int>(
                levels.a + (levels.b - levels.a) * (range - points.r0) / (points.r1 - points.r0)));
        else
            heard = std::fabs(kConvergenceRange - range) < points.r2 ? levels.c : 20;
    } else {
        const double ambient = soundProfile().ambientNoise;
        const int direct =
            range < points.r1
                ? static_cast<int>(levels.a * (1.0 - (range - points.r0) / (points.r1 - points.r0)))
                : 0;
        const auto reverberant = static_cast<std::uint8_t>(
            static_cast<int>(ambient * (range - points.r0) / (2.0 * points.r1 - points.r0)) + source);
        heard = static_cast<std::uint8_t>(std::max(direct, int{reverberant}));
    }
    return owner().isOwnShip() && !(randomScaled(100.0) < heard) ? 0 : heard;
}

void Sensor::copyOwnerPose() {
    const MotionModel* motion = owner().motion.get();
    if (!motion)
        return;
    heading = motion->heading;
    if (type == kSensorDropped)
        return; // a dropped sonar stays where it was put
    x = motion->x;
    y = motion->y;
    z = motion->z;
}

void Sensor::step(double /*dt*/) {
    const double now = simClock().gameClock;
    if (now - lastStep < kScanInterval - kClockSlack)
        return;
    if (!owner().isOwnShip())
        copyOwnerPose();
    if (inWindow(z))
        scanWorld();
    lastStep = now;
}

Sensor::ScanTakes Sensor::scanTakes() const {
    const Entity& self = owner();
    const bool ownShip = self.isOwnShip();
    return {&self, ownShip, ownShip && type >= kSensorArray0 && type <= kSensorMirror};
}

void Sensor::scanWorld() {
    if (!keepsBaseScan()) {
        scanWorldWith([this](const Entity& entity) { return scanMayReach(entity); }, [] {});
        return;
    }
    if (!(rangeFar > 0))
        return; // nothing lies inside a far range of nothing
    scanWorldWith([this](const Entity& entity) { return baseScanMayReach(entity); }, [] {});
}

bool Sensor::keepsBaseScan() const {
    return typeid(*this) == typeid(Sensor);
}

bool Sensor::scanMayReach(const Entity& entity) const {
    // The first tests of canSense, which draws nothing before them; scanList does nothing here.
    return !keepsBaseScan() || baseScanMayReach(entity);
}

bool Sensor::transmitDue(double now) const {
    return transmitInterval != -1 && now - lastTransmit >= transmitInterval - kClockSlack;
}

bool Sensor::inArc(double bearing, bool strictly) const {
    const double off = std::fabs(std::fabs(angleDiff(heading, bearing)) - arcCentre);
    return strictly ? off < arcHalfWidth : off <= arcHalfWidth;
}

void Sensor::measure(double bearing, double range, double& measuredBearing, double& measuredRange) const {
    const double e = bearingError(range);
    measuredBearing = std::fmod(bearing - e + randomScaled(2.0 * e), 360.0);
    if (measuredBearing < 0.0)
        measuredBearing += 360.0;
    const double g = rangeError(range);
    measuredRange = range - g + randomScaled(2.0 * g);
}

ContactFix Sensor::makeFix(const Entity& entity, double measuredBearing, double measuredRange,
                           int quality) const {
    ContactFix fix;
    fix.time = simClock().gameClock;
    fix.quality = static_cast<std::uint8_t>(std::clamp(quality, 0, 255));
    fix.sensorType = type;
    const double radians = measuredBearing * kDegreesToRadians;
    fix.x = x + std::sin(radians) * measuredRange;
    fix.y = y + std::cos(radians) * measuredRange;
    fix.sensorX = x;
    fix.sensorY = y;
    fix.z = worldPoint(entity).z;
    fix.bearing = measuredBearing;
    if (entity.motion) {
        fix.course = entity.motion->heading;
        fix.speed = entity.motion->speed;
    }
    fix.count = 1;
    return fix;
}

int sensorAspectPoints(const Entity& observer, const Entity& target) {
    // The degree factor is not exact: a beam 90 degrees off comes out a hair short of it.
    constexpr double kAspectSlack = 1e-6;
    return static_cast<int>(std::fabs(worldAspectAngle(observer, target)) * 0.2222222222222222 +
                            kAspectSlack);
}

ContactFix interceptFix(const Entity& source, const Entity& receiver, double bearing, int quality,
                        std::int32_t sensorType) {
    const WorldPoint from = worldPoint(source), at = worldPoint(receiver);
    ContactFix fix;
    fix.time = simClock().gameClock;
    fix.quality = static_cast<std::uint8_t>(std::clamp(quality, 0, 255));
    fix.sensorType = sensorType;
    fix.x = from.x;
    fix.y = from.y;
    fix.sensorX = at.x;
    fix.sensorY = at.y;
    fix.z = from.z;
    fix.bearing = bearing;
    if (source.motion) {
        fix.course = source.motion->heading;
        fix.speed = source.motion->speed;
    }
    fix.count = 1;
    return fix;
}

bool Sensor::canSense(Entity& entity) {
    owner().contacts.prefetchSlot(entity.id); // the report's memory arrives while the tests run
    const WorldPoint target = worldPoint(entity);
    if (!inWindow(target.z))
        return false;
    const WorldPoint here{x, y, z};
    if (!withinReach(target))
        return false;
    const double range = geoRange3d(target.x - x, target.y - y, target.z - z);
    const int level = levelAtRange(range);
    if (level == 0)
        return false;
    owner().contacts.prefetch(entity.id);
    const double bearing = geoBearing(target.x - x, target.y - y);
    if (!inArc(bearing, false) || terrainLineBlocked(here, target))
        return false;
    double measuredBearing = 0.0, measuredRange = 0.0;
    measure(bearing, range, measuredBearing, measuredRange);
    onEvent(entity, measuredBearing, measuredRange, level);
    owner().processContactRecord(entity, makeFix(entity, measuredBearing, measuredRange, level));
    return true;
}

} // namespace q71
