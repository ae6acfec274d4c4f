// The submarine keeping clear: of a contact it would rather avoid (the best crews sidestep to a
// hold point and weigh there whether they were detected), withdrawing once detected, and evading
// a torpedo with countermeasures.
#include "sim/entities/controllers/submarine_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <array>
#include <cmath>

namespace q71 {

namespace {

constexpr double kSidestepLeg = 914.4;    // yards to the side before coming back to the hold point
constexpr double kSidestepTurn = 50.0;    // degrees off the contact's bearing
constexpr double kWithdrawalTime = 1800.0; // seconds
constexpr double kTorpedoReach = 2000.0;  // yards: closer than this a torpedo is decoyed
constexpr double kDecoyShare = 0.33;      // draws below this put out noisemakers, else decoys
constexpr const char* kCountermeasureType = "Counter2";

// How hard a boat of one kind (rows) is to detect for a contact of another (columns 0 to 4;
// kind 1 is none); 50 for any other pair.
constexpr std::array<std::array<double, 5>, 5> kConcealment = {{
    {50.0, 50.0, 75.0, 99.0, 1.0},
    {50.0, 50.0, 50.0, 50.0, 50.0},
    {80.0, 50.0, 50.0, 90.0, 99.0},
    {90.0, 50.0, 80.0, 50.0, 99.0},
    {0.0, 50.0, 99.0, 75.0, 50.0},
}};

// The range (yards) that a boat of concealment 50, on its first hold against a contact, must
// have put between itself and the contact to count itself unheard: the radius inside which a
// trained ship works a contact.
constexpr double kUnheardRange = 12801.6;
constexpr double kLowRisk = 50.0;

double concealment(std::int32_t boatKind, std::int32_t contactKind) {
    const auto inTable = [](std::int32_t kind) { return kind >= 0 && kind < 5; };
    return inTable(boatKind) && inTable(contactKind) ? kConcealment[boatKind][contactKind] : 50.0;
}

bool isHold(const ControllerOrder* order) {
    return order && order->type == kStateHold;
}

} // namespace

bool SubmarineController::detectionRiskLow(const ContactRecord& contact, int holdCount) const {
    // K / (n x d) >= 50, with d the contact's nearness: the radius above over its range.
    const double k = concealment(owner().kind, contact.kind);
    return k * contact.range >= kLowRisk * holdCount * kUnheardRange;
}

void SubmarineController::keepClear(ContactRecord& contact) {
    Entity& boat = owner();
    MotionModel& motion = *boat.motion;
    if (level <= 2) {
        motion.setOrderedSpeed(4.0);
        motion.setOrderedDepth(-100.0);
    } else if (level == 3) {
        if (contact.rangeRate <= 0.0)
            motion.setOrderedSpeed(5.0);
        evadeOnTimer(contact, 300.0);
    } else {
        motion.setOrderedSpeed(10.0);
        if (contact.classified) {
            // Just rated: sidestep to a hold point and weigh the risk there on the next passes.
            contact.classified = 0;
            const auto* head = activeOrders ? activeOrders->head() : nullptr;
            if (!head || !head->next || isHold(head->item) || isHold(head->next->item)) {
                queueOrder(kStateHold, contact.entityId, 0.0, motion.x, motion.y, 0.0, 0.0);
                const double off = angleDiff(motion.heading, contact.bearing);
                queueOrderAtOffset(kStateTransit, contact.entityId, worldPoint(motion), 0.0,
                                   angleAdd(contact.bearing, off < 0.0 ? kSidestepTurn : -kSidestepTurn),
                                   kSidestepLeg);
            }
            return;
        }
        keepClearOnHold(contact);
    }
    capSpeedNearSonarContact(boat, contact);
}

void SubmarineController::keepClearOnHold(ContactRecord& contact) {
    MotionModel& motion = *owner().motion;
    if (advanceWaypoint() == kStateHold) {
        ControllerOrder* hold = currentOrder();
        // This hold and those still waiting against the contact: each new rating raises the risk.
        int holds = 0;
        for (auto* node = activeOrders->head(); node; node = node->next)
            if (isHold(node->item) && node->item->parameter == contact.entityId)
                ++holds;
        if (detectionRiskLow(contact, std::max(holds, 1))) {
            contact.reaction = kReactionNone;
        } else {
            putOffBow(motion, contact.bearing);
            motion.setOrderedDepth(patrolDepth());
        }
        activeOrders->saveCursor();
        activeOrders->remove(hold);
        activeOrders->restoreCursor();
        retireOrder(hold);
        return;
    }
    const auto* head = activeOrders ? activeOrders->head() : nullptr;
    if (!head)
        return; // nothing to steer for: keep the course
    if (!head->next || isHold(head->item) || isHold(head->next->item))
        motion.setOrderedCourse(steerBearing(worldPoint(motion), motion.heading, motion.speed, worldPoint(*head->item)));
    else
        evadeOnTimer(contact, 120.0);
}

void SubmarineController::evadeOnTimer(const ContactRecord& contact, double interval) {
    const double now = simClock().gameClock;
    if (now < manoeuvreTimer)
        return;
    manoeuvreTimer = now + interval;
    MotionModel& motion = *owner().motion;
    if (contact.rangeRate > 0.0) {
        // An opening contact: slip away on a course drawn away from it.
        motion.setOrderedCourse(courseAwayFrom(contact.bearing));
        motion.setOrderedSpeed(8.0);
    } else {
        putOffBow(motion, contact.bearing);
    }
}

void SubmarineController::withdraw(ContactRecord& contact) {
    MotionModel& motion = *owner().motion;
    const double now = simClock().gameClock;
    const double away = angleAdd(contact.bearing, sideOfCourse(contact) * 90.0);
    if (runTimer == 0.0) {
        runTimer = now + kWithdrawalTime;
    } else if (now >= runTimer) {
        const ContactFix* fix = latestFix(contact);
        contact.reaction = fix && fix->z > 0.0 ? kReactionEvade : kReactionClose;
    }
    if (level <= 2) {
        motion.setOrderedSpeed(level == 1 ? 4.0 : 6.0);
        motion.setOrderedCourse(away);
    } else if (now >= manoeuvreTimer) {
        motion.setOrderedCourse(angleAdd(away, randomScaled(60.0) - 30.0));
        motion.setOrderedDepth(evasionDepth());
        motion.setOrderedSpeed(10.0 + randomScaled(4.0));
        manoeuvreTimer = now + 300.0 + 60.0 * randomScaled(5.0);
    }
}

void SubmarineController::evadeWeapon(ContactRecord& torpedo) {
    const double now = simClock().gameClock;
    if (level < 3 || now < manoeuvreTimer)
        return;
    MotionModel& motion = *owner().motion;
    motion.setOrderedDepth(evasionDepth());
    if (torpedo.rangeRate >= 0.0) {
        torpedo.reaction = kReactionNone; // it is running away: quiet again
        motion.setOrderedSpeed(3.0);
        return;
    }
    manoeuvreTimer = now + (8.0 - level) * 15.0;
    if (torpedo.range > kTorpedoReach)
        return;
    // Across the torpedo's track, leaving countermeasures behind.
    motion.setOrderedCourse(angleDiff(torpedo.bearing, torpedo.course) <= 0.0 ? angleAdd(torpedo.course, -90.0)
                                                                              : angleAdd(torpedo.course, 90.0));
    launchCountermeasures();
}

void SubmarineController::launchCountermeasures() {
    const Entity& boat = owner();
    const bool decoys = randomScaled(1.0) >= kDecoyShare;
    for (int i = 0; i < 2; ++i) {
        const double depth = -33.0 - 33.0 * std::trunc(randomScaled(5.0));
        Entity* countermeasure =
            decoys ? static_cast<Entity*>(
                         new Countermeasure2Entity(boat.side, kCountermeasureType, boat.level, boat.id, depth))
                   : new CountermeasureEntity(boat.side, kCountermeasureType, boat.level, boat.id, depth);
        worldAddEntity(countermeasure);
    }
}

} // namespace q71
