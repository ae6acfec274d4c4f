// The aircraft's weapon run: after the run-in it drops a depth charge or a torpedo on a
// submarine, a torpedo on a ship, or fires a missile at a ship or an aircraft; then it breaks
// away beyond its target, its sonars stowed.
#include "sim/entities/controllers/aircraft_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/depth_charge_entity.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kOffsetRange = 5000.0;       // yards: inside it an aeroplane passes the fix on its left
constexpr double kOffsetTurn = 85.0;          // degrees off the bearing to the fix
constexpr double kHelicopterDropSpeed = 30.0; // a helicopter faster than this slows before a drop
constexpr double kHelicopterSlowSpeed = 10.0;
constexpr double kRecheckDelay = 30.0; // seconds before a depth-charged contact is rated again
constexpr double kAfterRunTime = 30.0; // seconds after a torpedo's run to the target
// A dropped torpedo's presets: close targets are circled, farther ones snaked for.
constexpr double kCircleRange = 1000.0; // yards
constexpr double kEnableFraction = 0.5; // of the range, run before the seeker arms
constexpr double kTorpedoPresetSpeed = 70.0, kTorpedoSearchSpeed = 50.0;
constexpr double kTorpedoRunDepth = -100.0; // where the water depth is not known
constexpr double kTorpedoDeepest = -1000.0;
constexpr double kTorpedoCeiling = 0.0, kTorpedoFloor = -3000.0;
constexpr double kMissileRunPerYard = 0.0005;     // units of 2000 yards
constexpr double kMissileEnablePerYard = 0.00025; // units of 2000 yards
constexpr double kBreakAwayLife = 600.0;
constexpr double kBreakAwayYards = 1828.8 * kMetresToYards; // 1000 to 2000 yards beyond
constexpr int kLeadLevel = 2;                               // above it a dropped torpedo leads its target

} // namespace

// An aeroplane's run-in: far off it flies at the fix, near it passes the fix on its left.
void AirPlatformController::passFix(const WorldPoint& fix) {
    MotionModel& m = motion();
    if (fixRangeYards(m, fix) < kOffsetRange) {
        m.setOrderedCourse(
            std::fmod(steerBearing(worldPoint(m), m.heading, m.speed, fix) + kOffsetTurn, 360.0));
        m.setOrderedSpeed(m.quietSpeed);
    } else {
        steerFor(fix, m.maxSpeed);
    }
}

void AirPlatformController::attack(ContactRecord& contact) {
    if (!(simClock().gameClock > attackTimer)) {
        if (!isHelicopter()) // a helicopter waits where it is
            passFix(contactPoint(contact));
        return;
    }
    if (releaseWeapon(contact))
        breakAway(contact);
}

// The weapon that fits the contact, released; false when there is none (or a helicopter must
// slow down first).
bool AirPlatformController::releaseWeapon(ContactRecord& contact) {
    const Entity& aircraft = owner();
    const auto stocked = [&](std::size_t slot, EntityCategory category) {
        return aircraft.weapon[slot].category == category && aircraft.weaponCount[slot] > 0;
    };
    if (contact.kind == kKindSubsurface && stocked(1, kCategoryDepth)) {
        dropDepthCharge(contact);
        return true;
    }
    const bool torpedoOnSubmarine = contact.kind == kKindSubsurface && stocked(1, kCategoryTorp);
    if (torpedoOnSubmarine || (contact.kind == kKindSurface && stocked(0, kCategoryTorp))) {
        if (isHelicopter() && motion().speed > kHelicopterDropSpeed) {
            motion().setOrderedSpeed(kHelicopterSlowSpeed);
            return false;
        }
        releaseTorpedo(contact, torpedoOnSubmarine ? 1 : 0);
        return true;
    }
    const bool missileOnShip = contact.kind == kKindSurface && stocked(0, kCategoryMissile);
    if (missileOnShip || (contact.kind == kKindAir && aircraft.weaponCount[2] > 0)) {
        releaseMissile(contact, missileOnShip ? 0 : 2);
        return true;
    }
    return false;
}

void AirPlatformController::dropDepthCharge(ContactRecord& contact) {
    Entity& aircraft = owner();
    new DepthChargeEntity(aircraft.side, aircraft.weapon[1].recordId, aircraft.level,
                          aircraft.id); // into the world
    contact.classifyTime = simClock().gameClock + kRecheckDelay;
    contact.heldTime = -kRecheckDelay;
    contact.reaction = kReactionClose;
    --aircraft.weaponCount[1];
}

void AirPlatformController::releaseTorpedo(const ContactRecord& contact, std::size_t slot) {
    Entity& aircraft = owner();
    const MotionModel& m = motion();
    --aircraft.weaponCount[slot];
    auto* torpedo =
        new TorpedoEntity(aircraft.side, aircraft.weapon[slot].recordId, aircraft.level, aircraft.id);
    const double range = contact.range;
    const double torpedoSpeed = torpedo->motion->maxSpeed * kSpeedUnitMetresPerSecond;
    const double runTime = torpedoSpeed > 0.0 ? range / torpedoSpeed : 0.0;
    double course = contact.bearing;
    if (level > kLeadLevel && range > 0.0) {
        // Lead the target by where it will be when the torpedo gets there.
        const double across = contact.speed * kSpeedUnitMetresPerSecond *
                              std::sin(angleDiff(contact.bearing, contact.course) * kDegreesToRadians) *
                              runTime;
        course = std::fmod(course + std::atan(across / range) * kRadiansToDegrees + 360.0, 360.0);
    }
    double runDepth = kTorpedoRunDepth;
    if (double water = 0.0; worldDepthAt(m.x, m.y, &water, false))
        runDepth = std::max(water * 0.5, kTorpedoDeepest);
    TorpedoTubeLaunch drop;
    drop.course = course;
    drop.searchPattern = range < kCircleRange && !(isHelicopter() && level > kLeadLevel) ? 1 : 0;
    drop.enableDistance = range * kEnableFraction;
    drop.presetSpeed = kTorpedoPresetSpeed;
    drop.searchSpeed = kTorpedoSearchSpeed;
    drop.searchDepth = runDepth;
    drop.ceiling = kTorpedoCeiling;
    drop.floor = kTorpedoFloor;
    drop.seekerPreset = 0;
    torpedo->launchAt(aircraft, {worldPoint(m), m.heading}, drop); // into the world
    torpedo->motion->setOrderedCourse(course);
    attackTimer = simClock().gameClock + runTime + kAfterRunTime;
}

void AirPlatformController::releaseMissile(const ContactRecord& contact, std::size_t slot) {
    Entity& aircraft = owner();
    --aircraft.weaponCount[slot];
    const double run = aircraft.weapon[slot].value * kMissileRunPerYard;
    auto* missile =
        new Torpedo2Entity(aircraft.side, aircraft.weapon[slot].recordId, aircraft.level, aircraft.id);
    MissileTubeLaunch launch;
    launch.tube = 3 + static_cast<int>(randomScaled(1.99)); // from under one wing or the other
    launch.course = contact.bearing;
    launch.targetRange = contact.range;
    launch.vertical = 0;
    launch.designatedKind = contact.kind;
    launch.runDistance = run;
    launch.enableDistance = std::min(contact.range * kMissileEnablePerYard, run);
    launch.flag = 1;
    missile->launchFromTube(aircraft, launch); // into the world
}

// After a release: on along the contact's bearing to 1000 to 2000 yards beyond, at full speed,
// the sonars stowed, back to closing the contact.
void AirPlatformController::breakAway(ContactRecord& contact) {
    MotionModel& m = motion();
    queueOrderAtOffset(kAircraftTransit, 0, worldPoint(m), kBreakAwayLife, contact.bearing,
                       (0.5 + randomScaled(0.5)) * kBreakAwayYards);
    m.setOrderedSpeed(m.maxSpeed);
    dipTimer = 0.0;
    contact.reaction = kReactionClose;
    Entity& aircraft = owner();
    for (auto* node = aircraft.sensors.head(); node; node = node->next)
        if (node->item->type == kSensorActive)
            node->item->deleteFlag = 1;
    aircraft.deleteFlaggedSensors();
}

} // namespace q71
