// A missile's flight along its waypoints, low over the terrain, to its target or its last
// waypoint; and a rocket's release of the torpedo it carries, aimed ahead of its target.
#include "sim/entities/controllers/weapon_guidance.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/weapon_launches.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr double kLastLegArmRange = 1828.8;  // metres from the last waypoint where a missile arms
constexpr double kDiveFactor = 5.0;          // a missile dives within this many cruise heights
constexpr double kReleaseHeight = 5.0;       // metres above the rocket the torpedo is released
constexpr double kReleaseEnable = 0.025;     // its enable run, units of 2000 yards
constexpr double kReleaseRunPerYard = 0.001; // its run per yard of range, units of 2000 yards
constexpr double kLongestReleaseRun = 10.0;
constexpr double kReleaseInterval = 14630.4; // metres a released torpedo runs before the next release

} // namespace

// Returns false when the step ends here (the missile went into the sea).
bool GuidanceController::flyWaypoints(MotionModel& motion, const TargetView& view) {
    const WorldPoint self = previousStepPoint(motion);
    const std::int32_t reached = advanceWaypoint();
    const int left = activeOrders ? activeOrders->count() : 0;
    const ControllerOrder* next = currentOrder();
    if (reached == 0 && next)
        motion.setOrderedCourse(fixBearing(self, *next));
    if (target)
        motion.setOrderedCourse(target->bearing);
    double toLast = 0.0;
    if (left == 1 && next) {
        toLast = geoRange(next->x - self.x, next->y - self.y);
        if (enableRange != 0.0 && toLast < kLastLegArmRange) {
            enableRange = 0.0;
            return true;
        }
    }
    if (target) {
        if (target->range < kDiveFactor * floor) {
            motion.setOrderedDepth(std::sqrt(target->range) + view.height);
            return true;
        }
    } else if (left == 0) {
        motion.setOrderedDepth(-1.0);
        if (motion.z < 0.0) {
            motion.beginSinking();
            return false;
        }
        return true;
    } else if (left == 1 && next && toLast < kDiveFactor * floor) {
        motion.setOrderedDepth(std::sqrt(toLast) + MotionModel::terrainHeight(next->x, next->y));
        return true;
    }
    followTerrain(motion);
    return true;
}

// Looks ahead by the distance the missile runs in one pass of the main loop; over land it also
// looks at the points in between, and climbs over whatever comes within its cruise height.
void GuidanceController::followTerrain(MotionModel& motion) {
    const WorldPoint self = previousStepPoint(motion);
    const double compression = simGetTimeCompression();
    const double run = motion.speed * kSpeedUnitMetresPerSecond;
    auto climbOver = [&](double ahead) {
        double x = 0.0, y = 0.0;
        geoProject(self.x, self.y, motion.heading, ahead, x, y);
        const double height = MotionModel::terrainHeight(x, y);
        if (height > motion.orderedDepth - floor)
            orderHeight(motion, height + floor);
        return height;
    };
    if (climbOver(run * compression) > 0.0)
        for (int i = static_cast<int>(compression); i >= 1; --i)
            climbOver(run * (i - 0.5));
}

void GuidanceController::releaseTorpedo() {
    Entity& rocket = owner();
    const ObjectRecord* torpedo = objdbFindById(rocket.weapon[2].recordId);
    const double torpedoSpeed = torpedo ? torpedo->maxSpeed * kSpeedUnitMetresPerSecond : 0.0;
    if (torpedoSpeed <= 0.0 || !rocket.motion)
        return; // the rocket carries no torpedo that runs
    if (target->range > 0.0) {
        // Aim where the target will be when the torpedo gets there.
        const double toTarget = target->range / torpedoSpeed;
        const double lateral = target->speed * kSpeedUnitMetresPerSecond *
                               std::sin(angleDiff(target->bearing, target->course) * kDegreesToRadians) *
                               toTarget;
        target->bearing = angleAdd(target->bearing, std::atan(lateral / target->range) * kRadiansToDegrees);
    }
    TorpedoRelease release;
    release.recordId = torpedo->id;
    release.position = worldPoint(*rocket.motion);
    release.position.z += kReleaseHeight;
    release.course = target->bearing;
    release.runDistance = std::min(target->range * kReleaseRunPerYard, kLongestReleaseRun);
    release.enableDistance = kReleaseEnable;
    release.designatedKind = target->kind;
    weaponLaunches().releaseTorpedo(rocket, release);
    runEndTime = simClock().gameClock + kReleaseInterval / torpedoSpeed;
}

} // namespace q71
