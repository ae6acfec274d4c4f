#pragma once
// Aircraft with their crews in the test world: an aeroplane or a helicopter on a plan of one
// mode, passes of its crew at chosen game times, and contacts handed to it as its sensors would.

#include "air_sea_world.h"
#include "sim/entities/controllers/aircraft_controller.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/motion_model.h"

namespace q71::test {

class AircraftWorld : public AirSeaWorld {
protected:
    /// An aircraft of a type (side 1) at a place, `z` its height, with its crew on a plan of a mode.
    Entity& aircraft(const char* type, WorldPoint at, std::int32_t mode, std::int32_t level = 3);
    static AirPlatformController& crewOf(Entity& aircraft) {
        return static_cast<AirPlatformController&>(*aircraft.controller);
    }
    /// One pass of the crew at a game time.
    static void passAt(Entity& aircraft, double t);
    /// Puts the aircraft at a point (its height kept).
    static void moveTo(Entity& aircraft, const WorldPoint& point);
    /// The aircraft's current order, which a test expects to exist.
    static const ControllerOrder& currentOrderOf(Entity& aircraft);
    /// The aircraft's orders from the current one on.
    static std::vector<ControllerOrder> ordersOf(Entity& aircraft);
    /// The aircraft's contact on a target where it is, new and rated, with `fixes` fixes of its own
    /// sensors (the older ones a second apart) or one relayed by a friend.
    static ContactRecord& contactOn(Entity& aircraft, Entity& target, int fixes = 1, bool relayed = false);
    /// Gives an aircraft's crew a plan of a mode, made the active plan.
    static void task(Entity& aircraft, std::int32_t mode);
    /// The aircraft's sensors of a type.
    static std::vector<Sensor*> sensorsOf(const Entity& aircraft, int type);
    /// The ping interval of the aircraft's one active sonar; -2 when it has none or more than one.
    static int pingInterval(const Entity& aircraft);
    /// The weapon of a class that an entity put into the world, or null.
    static Entity* releasedBy(const Entity& launcher, EntityType type);
    /// A guided weapon's guidance.
    static GuidanceController& guidanceOf(Entity& weapon) {
        return static_cast<GuidanceController&>(*weapon.controller);
    }
    /// A hostile submarine (side 2) at a place.
    Entity& submarine(WorldPoint at) { return body(2, "Hunter", kKindSubsurface, at); }
};

} // namespace q71::test
