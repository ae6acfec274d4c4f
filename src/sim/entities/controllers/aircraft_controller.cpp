// The aircraft's crew: its speeds, the action of each pass, flying to a point, the terrain
// clearance, transit, evasion, the return to rearm, and its part of a saved mission.
#include "sim/entities/controllers/aircraft_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/byte_layout.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

// Working speeds (speed units): search and transit, of a helicopter and of an aeroplane.
constexpr double kHelicopterSearchSpeed = 70.0, kHelicopterTransitSpeed = 110.0;
constexpr double kAeroplaneSearchSpeed = 200.0, kAeroplaneTransitSpeed = 300.0;
constexpr double kTerrainClearance = 30.48;  // metres (100 ft) above the terrain
constexpr double kTerrainLookAhead = 1000.0; // yards ahead where the terrain is read
constexpr double kEvasionTurn = 100.0;       // degrees off the contact's bearing
constexpr std::size_t kDipTimerOffset = 24;  // in the controller's saved state block
constexpr std::size_t kAttackTimerOffset = 32;

double wrapDegrees(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0.0 ? angle + 360.0 : angle;
}

} // namespace

void airPlatformControllerInstall() {
    entitySetControllerMaker(ControllerClass::airPlatform, [](Entity& owner, double) -> EntityController* {
        return new AirPlatformController(owner);
    });
}

AirPlatformController::AirPlatformController(Entity& owner) : EntityController(owner) {
    if (!owner.motion)
        return;
    const bool helicopter = isHelicopter();
    owner.motion->quietSpeed = helicopter ? kHelicopterSearchSpeed : kAeroplaneSearchSpeed;
    owner.motion->fastSpeed = helicopter ? kHelicopterTransitSpeed : kAeroplaneTransitSpeed;
}

bool AirPlatformController::isHelicopter() const {
    return owner().category == kCategoryHelo;
}

MotionModel& AirPlatformController::motion() const {
    return *owner().motion;
}

void AirPlatformController::actOnTarget(std::int32_t action) {
    if (!owner().motion)
        return; // nothing to fly
    switch (action) {
    case kAircraftTransit:
    case kAircraftTransit7:
        transit();
        break;
    case kStateWaypointLoop3:
    case kStateBoxPatrol:
    case kStateRandomPatrol:
    case kStateSpiralPatrol:
    case kStateWaypointLoop19:
        patrolSearch();
        break;
    case kAircraftDippingSearch:
        if (isHelicopter())
            dippingSearch();
        else
            patrolSearch();
        break;
    case kAircraftSonobuoyDrop:
        sonobuoyField();
        break;
    case kAircraftProsecute:
    case kAircraftAttack:
    case kAircraftEvade:
        // These come from the chosen contact; a plan of such a mode has none to act on.
        if (target) {
            if (action == kAircraftProsecute)
                prosecute(*target);
            else if (action == kAircraftAttack)
                attack(*target);
            else
                evade(*target);
        }
        break;
    case kStateOutOfWeapons:
        returnToRearm();
        break;
    default:
        break; // 1 and 14: on as it flies
    }
    clearTerrain();
}

void AirPlatformController::steerFor(const WorldPoint& point, double speed) {
    MotionModel& m = motion();
    m.setOrderedCourse(steerBearing(worldPoint(m), m.heading, m.speed, point));
    m.setOrderedSpeed(speed);
}

void AirPlatformController::steerForCurrentOrder(double speed) {
    if (const ControllerOrder* order = currentOrder())
        steerFor(worldPoint(*order), speed);
}

// The higher of the terrain under the aircraft and the terrain ahead of it.
void AirPlatformController::clearTerrain() {
    MotionModel& m = motion();
    double aheadX = 0.0, aheadY = 0.0;
    geoProject(m.x, m.y, m.heading, kTerrainLookAhead, aheadX, aheadY);
    const double terrain =
        std::max(MotionModel::terrainHeight(m.x, m.y), MotionModel::terrainHeight(aheadX, aheadY));
    if (m.z - kTerrainClearance < terrain)
        m.setOrderedDepth(terrain + kTerrainClearance);
}

void AirPlatformController::transit() {
    motion().setOrderedSpeed(motion().fastSpeed);
    advanceWaypoint();
    if (currentOrder())
        steerToOrder();
    else
        planMode = kAircraftDone;
}

// Turns 100 degrees away from the contact's bearing, to whichever side the turn is shorter.
void AirPlatformController::evade(const ContactRecord& contact) {
    MotionModel& m = motion();
    const double off = angleDiff(m.orderedCourse, contact.bearing);
    if (off > -kEvasionTurn && off < 0.0)
        m.setOrderedCourse(wrapDegrees(m.orderedCourse + off + kEvasionTurn));
    else if (off > 0.0 && off < kEvasionTurn)
        m.setOrderedCourse(wrapDegrees(m.orderedCourse + off - kEvasionTurn));
}

// Home to the launching platform (or, without one, to the home point) and rearm on arrival.
void AirPlatformController::returnToRearm() {
    MotionModel& m = motion();
    const Entity* platform = owner().parentId != 0 ? worldFindEntity(owner().parentId) : nullptr;
    const double reach = m.speed * kSpeedUnitMetresPerSecond;
    if (platform) {
        steerFor(worldPoint(*platform), m.fastSpeed);
        // A moving deck is met from farther off at high time compression.
        if (entityRangeYards(m, *platform) < reach * simGetTimeCompression())
            rearm();
        return;
    }
    const WorldPoint home{m.homeX, m.homeY, 0.0};
    steerFor(home, m.fastSpeed);
    if (geoRange(home.x - m.x, home.y - m.y) < reach)
        rearm();
}

void AirPlatformController::rearm() {
    Entity& aircraft = owner();
    const ObjectRecord* record = objdbFindById(aircraft.recordId);
    if (!record)
        return;
    for (std::size_t slot = 0; slot < aircraft.weapon.size(); ++slot)
        if (aircraft.weapon[slot].recordId != 0)
            aircraft.weaponCount[slot] = record->weapons[slot].count;
}

void AirPlatformController::saveSubclassState(
    std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    const LayoutWriter writer(block);
    writer.f64(kDipTimerOffset, dipTimer);
    writer.f64(kAttackTimerOffset, attackTimer);
}

bool AirPlatformController::loadSubclassState(
    const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    double dip = 0.0, attackEnd = 0.0;
    const LayoutReader reader(block);
    reader.f64(kDipTimerOffset, dip);
    reader.f64(kAttackTimerOffset, attackEnd);
    if (!std::isfinite(dip) || !std::isfinite(attackEnd))
        return false;
    dipTimer = dip;
    attackTimer = attackEnd;
    return true;
}

} // namespace q71
