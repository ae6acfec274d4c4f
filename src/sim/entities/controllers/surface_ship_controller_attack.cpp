// The surface ship's attack: the range its stores give it against a target, closing on the
// target until the crew has tracked it long enough, and the attack itself with depth charges,
// missiles or torpedoes.
#include "sim/entities/controllers/surface_ship_controller.h"

#include "framework/math/fast_math.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/motion/vehicle_laws.h"
#include "sim/entities/types/depth_charge_entity.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kDepthChargeRange = 500.0;   // yards: a ship with only depth charges closes to this
constexpr double kLevelAttackRange = 2000.0;  // yards per level when the stores give no range
constexpr double kStoreRangeShare = 0.2;      // of a weapon's range, per level
constexpr double kOverrun = 500.0;            // yards past the attack range a ship keeps closing
constexpr double kAttackSpeed = 25.0;
constexpr double kCloseRange3 = 3657.6;       // yards: a level-3 crew attacks sooner inside it
constexpr double kCloseRange4 = 9144.0;
constexpr double kUnflownMissilePause = 60.0; // seconds after a missile without speed
constexpr double kMissileFlightDistance = 14630.4; // metres a missile flies before the next one

// The lead factors: seconds of target motion per yard of range for a missile and a torpedo.
constexpr double kMissileLead = 0.0042608310324845754;
constexpr double kTorpedoLead = 0.028121484814398197;

// One of the after tubes, 3 or 4.
int drawAfterTube() {
    return 3 + static_cast<int>(randomScaled(1.99));
}

} // namespace

double SurfaceShipController::attackRange(const ContactRecord& contact) const {
    const Entity& ship = owner();
    const double share = level * kStoreRangeShare;
    switch (contact.kind) {
    case kKindSubsurface:
        if (storeHolds(ship, kStoreSubmarine, kCategoryDepth) &&
            (storeIs(ship, kStoreSurface, kCategoryMissile) || !storeLoaded(ship, kStoreSurface)))
            return kDepthChargeRange;
        if (storeLoaded(ship, kStoreSubmarine) && !storeIs(ship, kStoreSubmarine, kCategoryDepth))
            return storeRange(ship, kStoreSubmarine) * share;
        if (storeLoaded(ship, kStoreSurface) && !storeIs(ship, kStoreSurface, kCategoryMissile))
            return storeRange(ship, kStoreSurface) * share;
        break;
    case kKindSurface:
        if (storeLoaded(ship, kStoreSurface))
            return storeRange(ship, kStoreSurface) * share;
        break;
    case kKindAir:
        if (storeLoaded(ship, kStoreAir))
            return storeRange(ship, kStoreAir) * share;
        break;
    default:
        break;
    }
    return level * kLevelAttackRange;
}

void SurfaceShipController::closeOn(ContactRecord& contact) {
    Entity& ship = owner();
    MotionModel& motion = *ship.motion;
    const double now = simClock().gameClock;
    const double range = attackRange(contact);
    const double patience = (randomFactor + 1.0) * 60.0; // seconds of tracking before an attack
    if (contact.heldTime > patience && contact.sinceFix < 30.0)
        relayContact(contact);
    const bool within = contact.range < range;
    bool attackNow = false;
    if (level == 2) {
        if (within) {
            motion.setOrderedSpeed(3.0);
        } else {
            motion.setOrderedCourse(contact.bearing);
            motion.setOrderedSpeed(15.0);
        }
        if (contact.heldTime > patience) {
            contact.reaction = kReactionAttack;
            attackTimer = now + 60.0 + randomScaled(60.0);
        }
    } else if (level >= 3 && !within) {
        motion.setOrderedCourse(contact.bearing);
        if (level == 4 && contact.kind == kKindSubsurface)
            setActiveSonar(ship, kActiveSonarSearch);
    } else if (level == 3) {
        motion.setOrderedSpeed(3.0);
        if (contact.kind == kKindAir)
            attackNow = now >= attackTimer;
        else
            attackNow = contact.range <= kCloseRange3 ? contact.heldTime > patience
                                                       : contact.heldTime > randomFactor * 180.0;
        if (attackNow)
            attackTimer = now + 30.0 + randomScaled(30.0);
    } else if (level == 4) {
        motion.setOrderedSpeed(3.0);
        if (contact.kind == kKindAir) {
            attackNow = now >= attackTimer;
        } else if (contact.range <= kCloseRange4) {
            attackNow = contact.heldTime > 60.0;
        } else if (contact.heldTime > 120.0) {
            attackNow = true;
            setActiveSonar(ship, kActiveSonarOff);
        }
        if (attackNow)
            attackTimer = now + 15.0 + randomScaled(15.0);
    }
    if (attackNow)
        contact.reaction = kReactionAttack;
    capSpeedNearSonarContact(ship, contact);
}

void SurfaceShipController::approachToAttack(const ContactRecord& contact, double range) {
    const Entity& ship = owner();
    MotionModel& motion = *ship.motion;
    const bool depthChargeStore = storeIs(ship, kStoreSubmarine, kCategoryDepth);
    const bool torpedoesOnly = storeIs(ship, kStoreSurface, kCategoryTorp) && !storeLoaded(ship, kStoreSubmarine);
    if (contact.range >= range || (contact.kind == kKindSubsurface && depthChargeStore && !torpedoesOnly)) {
        // Run in on the target; a ship without charges to drop holds its course in the last
        // 500 yards outside its range.
        if (storeHolds(ship, kStoreSubmarine, kCategoryDepth) || contact.range > range + kOverrun) {
            motion.setOrderedSpeed(kAttackSpeed);
            motion.setOrderedCourse(contact.bearing);
        }
    } else {
        motion.setOrderedSpeed(kAttackSpeed);
        motion.setOrderedCourse(angleAdd(contact.bearing, 90.0)); // beam-on to launch
    }
}

void SurfaceShipController::attack(ContactRecord& contact) {
    const Entity& ship = owner();
    const double range = attackRange(contact);
    approachToAttack(contact, range);
    if (simClock().gameClock < attackTimer || contact.range >= range)
        return;
    if (dropDepthCharge(contact))
        return;
    if (contact.kind == kKindSurface && storeHolds(ship, kStoreSurface, kCategoryMissile))
        launchMissile(contact, kStoreSurface);
    else if (contact.kind == kKindAir && storeHolds(ship, kStoreAir, kCategoryMissile))
        launchMissile(contact, kStoreAir);
    else
        launchTorpedo(contact);
}

bool SurfaceShipController::dropDepthCharge(ContactRecord& contact) {
    Entity& ship = owner();
    if (contact.kind != kKindSubsurface || !storeHolds(ship, kStoreSubmarine, kCategoryDepth) ||
        storeHolds(ship, kStoreSurface, kCategoryTorp))
        return false;
    new DepthChargeEntity(ship.side, ship.weapon[kStoreSubmarine].recordId, ship.level, ship.id); // in the world
    --ship.weaponCount[kStoreSubmarine];
    // The charge's noise hides the target for a while: track it afresh before the next run.
    const double now = simClock().gameClock;
    contact.classifyTime = now + 30.0;
    contact.heldTime = -30.0;
    contact.reaction = kReactionClose;
    return true;
}

bool SurfaceShipController::launchMissile(ContactRecord& contact, WeaponStore store) {
    Entity& ship = owner();
    --ship.weaponCount[store];
    Torpedo2Entity* missile = makeStoreMissile(ship, store);
    double aimBearing = contact.bearing;
    double aimRange = contact.range;
    if (level >= 3) {
        // Lead the target by its motion over the missile's flight.
        const double flight = contact.range * kMissileLead;
        const double lateral =
            contact.speed * kSpeedUnitMetresPerSecond * sinDegrees(angleDiff(contact.bearing, contact.course)) * flight;
        aimBearing = angleAdd(aimBearing, std::atan2(lateral, contact.range) * kRadiansToDegrees);
        const int off = static_cast<int>(angleDiff(aimBearing, contact.course));
        const double along = cosTable[(off + 270) % 360];
        aimRange = std::max(aimRange + contact.speed * kSpeedUnitMetresPerSecond * flight * along, 100.0);
    }
    missile->motion->setOrderedCourse(aimBearing);
    const double run = storeRange(ship, store) * 0.0005;
    missile->launchFromTube(ship, missileLaunch(drawAfterTube(), aimBearing, aimRange, contact.kind, run,
                                                std::min(aimRange * 0.000125, run)));
    contact.heldTime = -60.0;
    contact.reaction = kReactionClose;
    // The next missile once this one has flown its distance; one without speed never flies it.
    const double speed = missile->motion->maxSpeed;
    const double pause =
        speed > 0.0 ? kMissileFlightDistance / (speed * kSpeedUnitMetresPerSecond) : kUnflownMissilePause;
    attackTimer = simClock().gameClock + pause;
    return true;
}

bool SurfaceShipController::launchTorpedo(ContactRecord& contact) {
    Entity& ship = owner();
    WeaponStore store = kStoreSurface;
    if (contact.kind == kKindSubsurface && storeHolds(ship, kStoreSubmarine, kCategoryTorp))
        store = kStoreSubmarine;
    else if ((contact.kind != kKindSubsurface && contact.kind != kKindSurface) ||
             !storeHolds(ship, kStoreSurface, kCategoryTorp))
        return false;
    TorpedoEntity* torpedo = makeStoreTorpedo(ship, store);
    double aimBearing = contact.bearing;
    const bool lead = level >= 3;
    if (lead) {
        const double lateral = contact.speed * kSpeedUnitMetresPerSecond * contact.range * kTorpedoLead *
                               sinDegrees(angleDiff(contact.bearing, contact.course));
        aimBearing = angleAdd(aimBearing, std::atan2(lateral, contact.range) * kRadiansToDegrees);
        torpedo->motion->setOrderedCourse(aimBearing);
    }
    // Led, it snakes as it searches; unled it runs straight.
    torpedo->launchFromTube(ship, torpedoLaunch(ship, drawAfterTube(), aimBearing, lead ? 0 : 2,
                                                contact.range * 0.6, 70.0));
    const double now = simClock().gameClock;
    contact.classifyTime = now + 600.0;
    contact.heldTime = -600.0;
    contact.reaction = kReactionClose;
    return true;
}

} // namespace q71
