// The submarine on its plan: transits with repositioning legs, patrols between periscope and
// patrol depth, the mast of the less able crews, and a contact that was lost.
#include "sim/entities/controllers/submarine_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kLookDepth = -22.86;     // metres (75 ft): deeper than this a boat comes up to look
constexpr double kRepositionLeg = 2000.0; // yards
constexpr double kRepositionDelay = 10.0; // seconds
constexpr double kFreshFix = 11.0;        // seconds: a fix this recent makes a lost contact found again

// Between periscope depth and patrol depth: a boat below 75 ft comes up, one above goes down.
// Returns true when it came up.
bool alternateDepth(MotionModel& motion, double patrolDepth) {
    if (motion.z < kLookDepth) {
        motion.orderShallowDepth();
        return true;
    }
    motion.setOrderedDepth(patrolDepth);
    return false;
}

} // namespace

bool SubmarineController::cycleMast() {
    const double now = simClock().gameClock;
    if (now < mastTimer)
        return false;
    MotionModel& motion = *owner().motion;
    const bool wasUp = motion.blowerOn != 0;
    motion.setSnorkel(wasUp ? 0 : 1);
    // A crew of level 2 keeps the mast up briefly and down long; level 1 every half hour.
    mastTimer = now + (level == 1 ? 1800.0 : wasUp ? 2880.0 : 720.0);
    return wasUp;
}

void SubmarineController::transit(std::int32_t /*state*/) {
    MotionModel& motion = *owner().motion;
    advanceWaypoint();
    if (activeOrders && activeOrders->empty())
        planMode = kStateStop; // the route is run: stop from the next pass on
    const double now = simClock().gameClock;
    if (level <= 2) {
        if (cycleMast())
            motion.orderShallowDepth(); // the mast is down: back to periscope depth
        if (const ControllerOrder* order = currentOrder()) {
            motion.setOrderedCourse(fixBearing(motion, *order));
            if (order->hasSpeedDepth)
                motion.setOrderedSpeed(order->speed);
        }
        return;
    }
    if (now >= repositionTimer) {
        // A leg aside now and then, so that the boat's track is no straight line.
        const double bearing = level == 3 ? 180.0 : angleAdd(motion.heading, 180.0);
        queueOrderAtOffset(kStateTransit, 0, worldPoint(motion), kRepositionDelay, bearing, kRepositionLeg);
        repositionTimer = now + (level == 3 ? (1.5 + randomScaled(1.0)) * 3600.0 : 14400.0);
    }
    if (now >= depthTimer) {
        if (alternateDepth(motion, patrolDepth()))
            depthTimer = now + (10.0 + randomScaled(5.0)) * 60.0;
        else
            depthTimer = now + (level == 3 ? 25.0 + randomScaled(15.0) : 50.0 + randomScaled(20.0)) * 60.0;
    }
    steerCourseToOrder(*this);
}

void SubmarineController::followWaypoints(std::int32_t stateCode) {
    Entity& boat = owner();
    MotionModel& motion = *boat.motion;
    advancePatrol(*this);
    steerCourseToOrder(*this);
    const double now = simClock().gameClock;
    if (level <= 2) {
        motion.orderShallowDepth();
        cycleMast();
    } else if (level == 3) {
        if (now >= depthTimer)
            depthTimer = now + (alternateDepth(motion, patrolDepth()) ? 600.0 : 1200.0);
    } else {
        switchDepthOnPatrol();
    }
    if (stateCode != kStateWaypointLoop19)
        capSpeedForSonar(boat);
}

void SubmarineController::switchDepthOnPatrol() {
    MotionModel& motion = *owner().motion;
    const double now = simClock().gameClock;
    if (now >= depthTimer) {
        // Up to look slowly, down to sprint.
        if (alternateDepth(motion, patrolDepth())) {
            depthTimer = now + (10.0 + randomScaled(5.0)) * 60.0;
            motion.setOrderedSpeed(3.0 + randomScaled(2.0));
        } else {
            depthTimer = now + (25.0 + randomScaled(10.0)) * 60.0;
            if (motion.orderedSpeed != 0.0)
                motion.setOrderedSpeed(10.0);
        }
    }
    if (now >= speedTimer) {
        if (motion.speed > 5.0) {
            motion.setOrderedSpeed(3.0);
            speedTimer = now + 600.0;
        } else {
            motion.setOrderedSpeed(motion.z < kLookDepth ? 10.0 : 3.0 + randomScaled(2.0));
            speedTimer = now + (20.0 + randomScaled(10.0)) * 60.0;
        }
    }
}

void SubmarineController::contactLost(ContactRecord& contact) {
    MotionModel& motion = *owner().motion;
    setActiveSonar(owner(), kActiveSonarOff);
    const ContactFix* fix = latestFix(contact);
    if (fix && std::fabs(contact.lastUpdate - fix->time) <= kFreshFix)
        postEncounterEvent(contact, 0); // heard again: rate it afresh
    else if (level >= 3)
        motion.setOrderedCourse(contact.bearing);
    const double now = simClock().gameClock;
    if (now >= depthTimer)
        depthTimer = now + (alternateDepth(motion, patrolDepth()) ? 600.0 : 1200.0);
}

} // namespace q71
