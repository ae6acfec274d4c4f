// The shore team's boat.
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/surface_ship_motion.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/empty_plan.h"
#include "sim/entities/types/nearest_entity.h"
#include "sim/entities/types/support_units.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::int32_t kNeutralSide = 4;
constexpr double kWaitAtTarget = 600.0;  // s the team stays ashore or at its target
constexpr double kCastOffLead = 120.0;   // s before the wait ends the boat makes way again
constexpr double kCharge = 20.0;         // the team's demolition charge
constexpr double kShoalHeight = -8.5344; // m (28 ft): shallower, a hull touches the bottom

// The terrain under a point is known and at or above a height, taken as the hull's motion meets
// it: off the beach is where the motion no longer grounds the boat.
bool terrainAtLeast(double x, double y, double least) {
    return MotionModel::terrainHeight(x, y) >= least;
}

// How many steps of a length cross the whole terrain grid: a walk over land ends by then.
long stepsAcrossGrid(double stepLength) {
    double width = 0.0, height = 0.0;
    if (!worldExtent(&width, &height))
        return 0;
    return static_cast<long>((width + height) / stepLength) + 1;
}

} // namespace

SurfaceShip2Entity::SurfaceShip2Entity(std::string_view typeName, std::int32_t level)
    : Entity(kNeutralSide, typeName, level, kKindSurface, -1) {
    setUp();
}

SurfaceShip2Entity::SurfaceShip2Entity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    setUp();
}

void SurfaceShip2Entity::setUp() {
    typeCode = kEntitySurfaceShip2;
    motion = std::make_unique<SurfaceShipMotion>(*this);
    if (const Entity* own = worldOwnShip(); own && own->motion) {
        motion->x = own->motion->x;
        motion->y = own->motion->y;
        motion->heading = own->motion->heading;
    }
    motion->z = 0.0;
    // The boat is the own submarine's at every level: put out from a surfaced boat it must not
    // count as a collision with it.
    if (const std::optional<std::int32_t> ownId = worldOwnShipId())
        parentId = *ownId;
    spareWords.firstTimer = 0.0;
    if (level == 1) {
        spareWords.creationTime = simClock().gameClock;
        spareWords.secondTimer = 0.0;
    } else if (level == 2) {
        controller = entityMakeController(ControllerClass::surfaceShip, *this);
        if (controller) {
            controllerStartEmptyPlan(*controller);
            chooseTarget();
        }
    }
}

// The nearest float of a mission object (or else the nearest rock) to the own submarine; the
// boat's orders are to run to it, stopping short of it by its size, and to come back.
void SurfaceShip2Entity::chooseTarget() {
    const Entity* own = worldOwnShip();
    if (!own)
        return;
    Entity* target = worldNearestEntity(
        *own, [](const Entity& e) { return e.kind == kKindMissile && e.category == kCategoryFloat; });
    if (!target)
        target = worldNearestEntity(*own, [](const Entity& e) { return e.category == kCategoryRock; });
    if (!target)
        return;
    spareWords.keptEntityId = target->id;
    const double reach =
        target->motion ? std::max(target->motion->halfBeam, target->motion->halfLength) : 0.0;
    const WorldPoint from = worldPoint(*own);
    WorldPoint goal;
    geoProject(from.x, from.y, entityBearing(*own, *target), entityRangeYards(*own, *target) - reach, goal.x,
               goal.y);
    controller->queueOrder(2, 0, 0.0, motion->x, motion->y, motion->maxSpeed, 0.0);
    controller->queueOrder(2, 0, 0.0, goal.x, goal.y, motion->maxSpeed, 0.0);
}

void SurfaceShip2Entity::updatePerSecond(double elapsed) {
    if (level == 1)
        runToLand(elapsed);
    else if (level == 2 && controller)
        runToTarget();
}

void SurfaceShip2Entity::runToLand(double elapsed) {
    EntitySpareWords& w = spareWords;
    MotionModel& m = *motion;
    const double now = simClock().gameClock;
    if (w.firstTimer == 0.0 && w.secondTimer == 0.0) {
        m.setOrderedSpeed(m.maxSpeed);
        // Ashore: on the land, or aground in the shallows before it, where a hull stops for good.
        // Then the team waits, and the boat comes back as long as the way in took.
        if (terrainAtLeast(m.x, m.y, 0.0) || m.lastGroundingTime > w.creationTime) {
            w.firstTimer = now + kWaitAtTarget;
            w.secondTimer = now + kWaitAtTarget + (now - w.creationTime);
        }
    }
    if (w.firstTimer != 0.0 && now > w.firstTimer) {
        m.heading = m.orderedCourse = std::fmod(m.heading + 180.0, 360.0);
        m.orderedSpeed = m.maxSpeed;
        // Off the beach under full way, out to water deep enough to float in. A boat without
        // speed stays where it is, rather than looking for the water for ever.
        const double step = m.maxSpeed * kSpeedUnitMetresPerSecond * elapsed;
        if (step > 0.0) {
            for (long left = stepsAcrossGrid(step); left > 0 && terrainAtLeast(m.x, m.y, kShoalHeight);
                 --left) {
                m.driveSpeed = m.speed = m.headway = m.maxSpeed;
                m.velocityX = sinDegrees(m.heading) * m.maxSpeed;
                m.velocityY = cosDegrees(m.heading) * m.maxSpeed;
                m.x += sinDegrees(m.heading) * step;
                m.y += cosDegrees(m.heading) * step;
            }
        }
        m.z = 0.0;
        w.firstTimer = 0.0;
    }
    if (w.secondTimer != 0.0 && now > w.secondTimer)
        m.setOrderedSpeed(0.0);
}

void SurfaceShip2Entity::runToTarget() {
    EntitySpareWords& w = spareWords;
    MotionModel& m = *motion;
    const double now = simClock().gameClock;
    const std::int32_t reached = controller->advanceWaypoint();
    const int left = controller->activeOrders ? controller->activeOrders->count() : 0;
    if (reached == 2 && left == 1) { // at the target: the team goes over the side
        w.firstTimer = now + kWaitAtTarget;
        m.setOrderedSpeed(0.0);
        m.velocityX = m.velocityY = m.driveSpeed = 0.0;
    }
    if (left == 0) {
        if (w.firstTimer != 0.0) {
            blowUpTarget();
            w.firstTimer = 0.0;
        }
        discardController();
        m.setOrderedSpeed(0.0);
        return;
    }
    if (w.firstTimer == 0.0 || w.firstTimer - now < kCastOffLead) {
        controller->steerToOrder();
        m.setOrderedSpeed(m.maxSpeed);
    }
    if (w.firstTimer != 0.0 && now > w.firstTimer) {
        blowUpTarget();
        w.firstTimer = 0.0;
    }
}

void SurfaceShip2Entity::blowUpTarget() {
    if (Entity* target = worldFindEntity(spareWords.keptEntityId))
        target->applyDamage(kCharge, this, true, true, true);
}

bool SurfaceShip2Entity::load(ByteSource& source) {
    if (!Entity::load(source))
        return false;
    if (level == 2 && controller)
        controller->activatePlanUnderCursor();
    return true;
}

} // namespace q71
