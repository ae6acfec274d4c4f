// The submarine's approach and attack: the range its stores give it, the approach of each crew
// (straight in, by the range rate, or on target-motion legs until the solution is good), and the
// attack with torpedoes, or missiles in salvos of three.
#include "sim/entities/controllers/submarine_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kLevelAttackRange = 2000.0; // yards per level when the stores give no range
constexpr double kStoreRangeShare = 0.2;     // of a weapon's range, per level
constexpr double kStaleFix = 120.0;          // seconds without a fix after which the contact is lost
constexpr double kApproachDepth = -30.48;    // metres: a trained crew approaches below 100 ft...
constexpr double kApproachCeiling = -15.24;  // ...when it is shallower than 50 ft
constexpr double kFiringArc = 70.0;          // degrees off the bow a boat fires within
constexpr double kSlowApproachRange = 2000.0; // yards: closer than this a level-2 crew fires
constexpr double kRateApproachRange = 10000.0; // yards: closer than this a level-3 crew minds its rate
constexpr double kFastClosing = -2.032;      // m/s of range rate
constexpr double kSlowClosing = -1.016;
constexpr double kSlowestApproach = 2.0;
constexpr double kFastestApproach = 17.0;
constexpr double kFirstLegLength = 914.4;    // yards, level 3
constexpr double kFirstLegTurn = 80.0;       // degrees off the target's bearing
constexpr double kTorpedoFlight = 0.03579098067287043;  // seconds per yard
constexpr double kMissileFlight = 0.004374453193350831;
constexpr int kSalvo = 3;

// Range rate pacing: slower while closing fast, faster while hardly closing.
void paceByRangeRate(MotionModel& motion, double rangeRate) {
    if (rangeRate < kFastClosing)
        motion.setOrderedSpeed(std::max(motion.orderedSpeed - 2.0, kSlowestApproach));
    else if (rangeRate > kSlowClosing)
        motion.setOrderedSpeed(std::min(motion.orderedSpeed + 2.0, kFastestApproach));
}

void speedUpWhileSlowClosing(MotionModel& motion, double rangeRate) {
    if (rangeRate > kSlowClosing)
        motion.setOrderedSpeed(std::min(motion.orderedSpeed + 2.0, kFastestApproach));
}

bool onTheBow(const MotionModel& motion, const ContactRecord& contact) {
    return std::fabs(angleDiff(motion.heading, contact.bearing)) <= kFiringArc;
}

// A tube, 1 to 4.
int drawTube() {
    return 1 + static_cast<int>(randomScaled(3.99));
}

} // namespace

double SubmarineController::attackRange(const ContactRecord& contact) const {
    const Entity& boat = owner();
    const double share = level * kStoreRangeShare;
    if (contact.kind == kKindSubsurface && storeLoaded(boat, kStoreSubmarine))
        return storeRange(boat, kStoreSubmarine) * share;
    if ((storeLoaded(boat, kStoreSurface) && !storeIs(boat, kStoreSurface, kCategoryMissile)) ||
        (contact.kind == kKindSurface && storeHolds(boat, kStoreSurface, kCategoryMissile)))
        return storeRange(boat, kStoreSurface) * share;
    return level * kLevelAttackRange;
}

void SubmarineController::closeOn(ContactRecord& contact) {
    Entity& boat = owner();
    MotionModel& motion = *boat.motion;
    const ContactFix* fix = latestFix(contact);
    if (!fix || simClock().gameClock - fix->time > kStaleFix)
        contact.reaction = kReactionLost;
    const double range = attackRange(contact);
    const double leastSpeed = 2.0 * level + 4.0;
    if (motion.orderedSpeed < leastSpeed)
        motion.setOrderedSpeed(leastSpeed);
    if (level >= 3 && motion.z > kApproachCeiling)
        motion.setOrderedDepth(kApproachDepth);
    if (level <= 2)
        approachSlowly(contact);
    else
        approachOnLegs(contact, range);
    capSpeedNearSonarContact(boat, contact);
}

void SubmarineController::approachSlowly(ContactRecord& contact) {
    Entity& boat = owner();
    MotionModel& motion = *boat.motion;
    const double now = simClock().gameClock;
    motion.setOrderedCourse(contact.bearing);
    if (attackTimer == 0.0) {
        attackTimer = now + 90.0 + randomScaled(90.0);
        setActiveSonar(boat, kActiveSonarAttack);
        return;
    }
    if (level == 1) {
        if (now >= attackTimer && contact.heldTime > 60.0 && onTheBow(motion, contact)) {
            contact.reaction = kReactionAttack;
            attackTimer = 0.0;
        }
        return;
    }
    // The range rate is the rate of change of the range: below 0 the target closes.
    if (now < attackTimer || (contact.rangeRate < 0.0 && contact.range >= kSlowApproachRange)) {
        paceByRangeRate(motion, contact.rangeRate);
    } else if (onTheBow(motion, contact)) {
        contact.reaction = kReactionAttack;
        setActiveSonar(boat, kActiveSonarOff);
        attackTimer = 0.0;
    }
}

void SubmarineController::approachOnLegs(ContactRecord& contact, double range) {
    Entity& boat = owner();
    MotionModel& motion = *boat.motion;
    const double now = simClock().gameClock;
    const bool expert = level >= 4;
    if (contact.range >= range) {
        motion.setOrderedCourse(contact.bearing);
        if (expert)
            motion.setOrderedSpeed(contact.rangeRate > kSlowClosing
                                       ? std::min(motion.orderedSpeed + 2.0, kFastestApproach)
                                       : 10.0);
        else if (contact.range < kRateApproachRange) {
            paceByRangeRate(motion, contact.rangeRate);
        }
        return;
    }
    if (attackTimer == 0.0) {
        if (expert) {
            layApproachLeg(contact);
        } else {
            // A short first leg across the bearing, to start the target-motion analysis.
            const double off = angleDiff(motion.heading, contact.bearing);
            const double bearing = off < 0.0 ? angleAdd(motion.heading, off + kFirstLegTurn)
                                             : angleAdd(motion.heading, off - kFirstLegTurn);
            queueOrderAtOffset(kStateTransit, contact.entityId, worldPoint(motion), 0.0, bearing, kFirstLegLength);
        }
        attackTimer = now + 30.0;
        return;
    }
    const double threshold = 70.0 + 10.0 * randomFactor;
    const bool solved = expert ? contact.quality >= threshold : contact.quality > threshold;
    if (now >= attackTimer && solved) {
        if (onTheBow(motion, contact)) {
            contact.reaction = kReactionAttack;
            setActiveSonar(boat, kActiveSonarOff);
            attackTimer = 0.0;
        } else {
            motion.setOrderedCourse(contact.bearing);
        }
        return;
    }
    if (advanceWaypoint() != 0) {
        layApproachLeg(contact);
    } else if (currentOrder()) {
        steerToOrder();
        if (expert)
            speedUpWhileSlowClosing(motion, contact.rangeRate);
    }
}

void SubmarineController::layApproachLeg(const ContactRecord& contact) {
    const MotionModel& motion = *owner().motion;
    const ContactFix* fix = latestFix(contact);
    const bool submerged = fix && fix->z < 0.0;
    const bool expert = level >= 4;
    const double offset = expert ? (submerged ? 30.0 : 60.0) : (submerged ? 45.0 : 90.0);
    const double length = expert ? 6000.0 : 4000.0;
    // Ahead of the target on its side of the boat, from where the boat estimates it to be.
    double x = 0.0, y = 0.0;
    geoProject(motion.x, motion.y, contact.bearing, contact.range, x, y);
    queueOrderAtOffset(kStateTransit, contact.entityId, {x, y, 0.0}, 0.0,
                       angleAdd(contact.course, sideOfCourse(contact) * offset), length);
}

void SubmarineController::attack(ContactRecord& contact) {
    const Entity& boat = owner();
    const MotionModel& motion = *boat.motion;
    const bool torpedoFlight = contact.kind == kKindSubsurface ||
                               (!storeLoaded(boat, kStoreSubmarine) && !storeIs(boat, kStoreSurface, kCategoryMissile));
    const double flightTime = contact.range * (torpedoFlight ? kTorpedoFlight : kMissileFlight);
    double aim = contact.bearing;
    if (level == 1) {
        aim += randomScaled(10.0) - 5.0;
    } else if (level == 2) {
        aim += randomScaled(6.0) - 3.0;
    } else {
        const double lateral = contact.speed * kSpeedUnitMetresPerSecond *
                               std::sin(angleDiff(contact.bearing, contact.course) * kDegreesToRadians) * flightTime;
        aim += std::atan2(lateral, contact.range) * kRadiansToDegrees;
    }
    aim = angleAdd(aim, 0.0);
    contact.reaction = kReactionClose; // after a shot, or without one, approach again
    if (launchTorpedo(contact, aim, flightTime) || launchMissile(contact, aim, flightTime))
        return;
    // Nothing in the stores for this target: open out across its track and come again.
    queueOrderAtOffset(kStateTransit, contact.entityId, worldPoint(motion), 0.0,
                       angleAdd(contact.bearing, sideOfCourse(contact) * 90.0),
                       motion.speed * kSpeedUnitMetresPerSecond * flightTime);
}

bool SubmarineController::launchTorpedo(ContactRecord& contact, double aimBearing, double flightTime) {
    Entity& boat = owner();
    WeaponStore store = kStoreSurface;
    if (contact.kind == kKindSubsurface && storeLoaded(boat, kStoreSubmarine))
        store = kStoreSubmarine;
    else if ((contact.kind != kKindSubsurface && contact.kind != kKindSurface) ||
             !storeHolds(boat, kStoreSurface, kCategoryTorp))
        return false;
    TorpedoEntity* torpedo = makeStoreTorpedo(boat, store);
    torpedo->motion->setOrderedCourse(aimBearing);
    // A trained crew's torpedo snakes as it searches, the others' run straight.
    torpedo->launchFromTube(boat, torpedoLaunch(boat, drawTube(), aimBearing, level <= 2 ? 2 : 0,
                                                contact.range - 2000.0, 50.0));
    attackTimer = simClock().gameClock + flightTime + 60.0;
    return true;
}

bool SubmarineController::launchMissile(ContactRecord& contact, double aimBearing, double flightTime) {
    Entity& boat = owner();
    if (contact.kind != kKindSurface || !storeHolds(boat, kStoreSurface, kCategoryMissile))
        return false;
    Torpedo2Entity* missile = makeStoreMissile(boat, kStoreSurface);
    missile->motion->setOrderedCourse(aimBearing);
    const double reach = storeRange(boat, kStoreSurface) * 0.0005;
    missile->launchFromTube(boat, missileLaunch(drawTube(), aimBearing, contact.range, contact.kind,
                                                std::min(contact.range * 0.00075, reach),
                                                std::min(contact.range * 0.00025, reach)));
    const std::int32_t left = --boat.weaponCount[kStoreSurface];
    // Salvos of three, ten seconds apart; then a pause for the salvo's flight.
    const double now = simClock().gameClock;
    attackTimer = left % kSalvo == 0 ? now + flightTime * 0.5 + 60.0 : now + 10.0;
    return true;
}

} // namespace q71
