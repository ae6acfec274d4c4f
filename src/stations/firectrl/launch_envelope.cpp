#include "stations/firectrl/launch_envelope.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/weapon_launches.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/launcher.h"

namespace q71 {
namespace {

constexpr double kSurfaceBand = -4.0;             // metres: a Tomahawk always leaves from above this
constexpr double kCalmSpeed = 6.0;                // below this speed and depth a missile always leaves
constexpr double kCalmDepth = -9.7536;            // 32 ft
constexpr double kLimitSpeed = 10.0;              // at or above this speed or depth it never leaves
constexpr double kLimitDepth = -40.2336;          // 132 ft
constexpr double kPerMetre = 0.06561679790026247; // the envelope's chance falls by this per metre deeper
constexpr std::int32_t kWaypointOrder = 2;        // a one-shot waypoint order

// A Tomahawk that does not leave the water climbs out at random and falls back.
LostMissileLaunch lostTomahawk(const Entity& ownShip) {
    LostMissileLaunch lost;
    lost.heading = randomScaled(360.0);
    lost.speed = 55.0;
    lost.pitch = 85.0;
    lost.verticalSpeed = 9.96;
    lost.orderedPitch = -60.0 - randomScaled(30.0);
    lost.response = 0.04 * ownShip.level;
    return lost;
}

} // namespace

bool missileLaunchSucceeds(const MotionModel& ownBoat, bool tomahawk) {
    const double speed = ownBoat.speed, z = ownBoat.z;
    if (tomahawk && z > kSurfaceBand)
        return true;
    if (speed < kCalmSpeed && z > kCalmDepth)
        return true;
    return speed < kLimitSpeed && z > kLimitDepth &&
           (speed - kCalmSpeed) + (kCalmDepth - z) * kPerMetre < randomScaled(4.0);
}

CruiseMissileLaunch launchCruiseMissile(Launcher& launcher, std::int32_t range) {
    Entity* ownShip = worldOwnShip();
    if (!ownShip || !ownShip->motion)
        return {};
    CruiseMissileLaunch result;
    if (!missileLaunchSucceeds(*ownShip->motion, true)) {
        result.missile = weaponLaunches().launchLostMissile(*ownShip, "Tomahawk", lostTomahawk(*ownShip));
        result.lost = true;
    } else {
        result.missile = weaponLaunches().launchCapsule(*ownShip, "Tomahawk", launcher.number(), range);
        if (result.missile && result.missile->controller) {
            EntityController& controller = *result.missile->controller;
            // With the guidance switch off the missile flies without taking fire control's orders.
            if (auto* guidance = dynamic_cast<GuidanceController*>(&controller);
                guidance && !fireControlStations().fireGuidanceSwitch())
                guidance->wireConnected = 0;
            // Queued from the last to the first, so that the first waypoint is the current order.
            for (auto* node = launcher.waypoints.tail(); node; node = node->previous)
                controller.queueOrder(kWaypointOrder, 0, 0.0, node->item->x, node->item->y, node->item->speed,
                                      node->item->depth);
        }
    }
    if (LaunchWaypoint* first = launcher.waypoints.head() ? launcher.waypoints.head()->item : nullptr)
        first->afterOwnShip = false;
    return result;
}

} // namespace q71
