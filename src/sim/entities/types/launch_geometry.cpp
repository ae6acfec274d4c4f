#include "sim/entities/types/launch_geometry.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/simulation/random.h"

#include <cmath>

namespace q71 {

namespace {

constexpr int kFirstCell = 5;
constexpr double kLeastLaunchValue = 40.0;
constexpr double kLaunchBoost = 5.0; // the weapon leaves faster than its launcher goes

struct ExitOffset {
    double lateral;  ///< m, starboard positive
    double vertical; ///< m, up positive
    double ahead;    ///< m
};

ExitOffset exitOffset(int n) {
    const bool starboard = n % 2 != 0;
    if (isLaunchCell(n))
        return {starboard ? 1.5 : -1.5, 2.0, 45.0 - (n - kFirstCell) * 0.5};
    return {starboard ? 3.3 : -3.3, n <= 2 ? -2.0 : -3.0, 48.0};
}

} // namespace

bool isLaunchCell(int launcherNumber) {
    return launcherNumber >= kFirstCell;
}

LaunchExit launchExit(const MotionModel& launcher, int n) {
    const ExitOffset o = exitOffset(n);
    const double bearing = launcher.heading + geoBearing(o.lateral, o.ahead);
    const double elevation = launcher.pitch + geoBearing(o.vertical, o.ahead);
    const double across = geoRange(o.lateral, o.ahead), up = geoRange(o.vertical, o.ahead);
    LaunchExit exit;
    exit.position.x = launcher.x + sinDegrees(bearing) * across * cosDegrees(elevation);
    exit.position.y = launcher.y + cosDegrees(bearing) * across * cosDegrees(elevation);
    exit.position.z = launcher.z + sinDegrees(elevation) * up;
    if (isLaunchCell(n))
        exit.heading = launcher.heading;
    else // out of the tube turned 8 degrees away from the hull
        exit.heading = std::fmod(launcher.heading + (n % 2 != 0 ? 8.0 : 352.0), 360.0);
    return exit;
}

double launchWay(const MotionModel& launcher) {
    return launcher.speed + kLaunchBoost;
}

void startAtExit(MotionModel& weapon, const LaunchExit& exit, double way, double speed) {
    weapon.x = exit.position.x;
    weapon.y = exit.position.y;
    weapon.z = exit.position.z;
    weapon.heading = weapon.orderedCourse = exit.heading;
    weapon.driveSpeed = weapon.headway = way;
    weapon.velocityX = sinDegrees(exit.heading) * weapon.headway;
    weapon.velocityY = cosDegrees(exit.heading) * weapon.headway;
    weapon.speed = speed;
    weapon.smoothedState[kSampleX] = weapon.x;
    weapon.smoothedState[kSampleY] = weapon.y;
    weapon.smoothedState[kSampleZ] = weapon.z;
    weapon.smoothedState[kSampleHeading] = weapon.heading;
}

bool launchFails(const Entity& launcher) {
    return launcher.isOwnShip() && launcher.motion && launcher.motion->launchValue() < kLeastLaunchValue;
}

void fallAway(Entity& weapon, double verticalSpeed, double orderedPitch, double response) {
    MotionModel& m = *weapon.motion;
    m.sinking = 1;
    m.verticalSpeed = verticalSpeed;
    m.orderedSpeed = 0.0;
    m.orderedPitch = orderedPitch;
    m.responseGain = m.responseLoad = response;
    weapon.discardController();
}

void failLaunch(Entity& weapon, const Entity& launcher) {
    fallAway(weapon, -1.016, -60.0 - randomScaled(30.0), launcher.level * 0.04);
}

} // namespace q71
