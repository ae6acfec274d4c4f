// The surface ship's states but the attack: transits and waypoints, a lost contact, keeping
// clear of a target, running from it and turning off a torpedo; the rating of new contacts; its
// part of a saved mission.
#include "sim/entities/controllers/surface_ship_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/byte_layout.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kZigZagRange = 1000.0;     // yards: farther points are approached zig-zagging
constexpr double kLowLevelKeepClear = 18288.0;
constexpr double kKeepClearRange = 12801.6;
constexpr double kRunDepthStep = 50.0;      // metres

// The ship's fields in the controller's saved block; 24 and 48 to 63 are spare.
template <class Layout, class Ship> void shipFields(const Layout& layout, Ship& ship) {
    layout.f64(32, ship.attackTimer);
    layout.f64(40, ship.manoeuvreTimer);
    layout.f64(64, ship.searchPingTimer);
}

struct SavedShipFields {
    double attackTimer, manoeuvreTimer, searchPingTimer;
};

EntityController* makeShipController(Entity& owner, double /*value*/) {
    return new SurfaceShipController(owner);
}

} // namespace

SurfaceShipController::SurfaceShipController(Entity& owner) : VesselController(owner) {
    if (level == 2)
        setActiveSonar(owner, kActiveSonarSearch);
}

void SurfaceShipController::contactLost(ContactRecord& contact) {
    if (level >= 3) {
        owner().motion->setOrderedCourse(contact.bearing);
        setActiveSonar(owner(), kActiveSonarSearch);
    }
}

void SurfaceShipController::evadeWeapon(ContactRecord& weapon) {
    if (level >= 3)
        putOffBow(*owner().motion, weapon.bearing);
}

void SurfaceShipController::afterState() {
    avoidShoals(owner());
}

void SurfaceShipController::transit(std::int32_t stateCode) {
    Entity& ship = owner();
    MotionModel& motion = *ship.motion;
    advanceWaypoint();
    if (activeOrders && activeOrders->empty())
        planMode = kStateStop; // the route is run: stop from the next pass on
    const double now = simClock().gameClock;
    if (const ControllerOrder* order = currentOrder()) {
        if (level == 1) {
            motion.setOrderedCourse(fixBearing(motion, *order));
            if (order->hasSpeedDepth)
                motion.setOrderedSpeed(order->speed);
        } else if (now >= manoeuvreTimer) {
            // Legs of five to fifteen minutes, zig-zagging up to 25 degrees off the point.
            double course = fixBearing(motion, *order);
            if (fixRangeYards(motion, *order) > kZigZagRange)
                course = angleAdd(course, randomScaled(50.0) - 25.0);
            motion.setOrderedCourse(course);
            manoeuvreTimer = now + (5.0 + randomScaled(10.0)) * 60.0;
            if (level != 3)
                motion.setOrderedSpeed(2.0 * level + 8.0);
        }
    }
    if (level == 3 && stateCode == kStateSearchTransit && now >= searchPingTimer) {
        toggleActiveSonar(ship);
        searchPingTimer = now + (7.0 + randomScaled(7.0)) * 60.0;
    }
}

void SurfaceShipController::followWaypoints(std::int32_t stateCode) {
    Entity& ship = owner();
    advancePatrol(*this);
    steerCourseToOrder(*this);
    if (level == 3) {
        const double now = simClock().gameClock;
        if (now >= manoeuvreTimer) {
            toggleActiveSonar(ship);
            manoeuvreTimer = now + (7.0 + randomScaled(7.0)) * 60.0;
        }
    } else {
        steerToOrder();
    }
    if (stateCode != kStateWaypointLoop19)
        capSpeedForSonar(ship);
}

void SurfaceShipController::keepClear(ContactRecord& contact) {
    MotionModel& motion = *owner().motion;
    const double now = simClock().gameClock;
    if (level <= 2) {
        if (contact.range < kLowLevelKeepClear)
            turnBearingOff(motion, motion.orderedCourse, contact.bearing, 100.0);
    } else if (contact.range < kKeepClearRange) {
        if (contact.rangeRate > 0.0 && level == 4) {
            // An opening target: slip away on a course drawn away from it.
            if (now >= manoeuvreTimer) {
                manoeuvreTimer = now + 300.0;
                motion.setOrderedCourse(courseAwayFrom(contact.bearing));
                motion.setOrderedSpeed(8.0);
            }
        } else {
            motion.setOrderedSpeed(5.0);
            if (now >= manoeuvreTimer) {
                turnBearingOff(motion, motion.heading, contact.bearing, 90.0, 25.0);
                manoeuvreTimer = now + 300.0;
            }
        }
    }
    capSpeedNearSonarContact(owner(), contact);
}

void SurfaceShipController::withdraw(ContactRecord& contact) {
    MotionModel& motion = *owner().motion;
    const double away = angleAdd(contact.bearing, 180.0);
    if (level <= 2) {
        motion.setOrderedSpeed(level == 1 ? 4.0 : 6.0);
        motion.setOrderedCourse(away);
        return;
    }
    const double now = simClock().gameClock;
    if (now < manoeuvreTimer)
        return;
    motion.setOrderedCourse(angleAdd(away, randomScaled(60.0) - 30.0));
    motion.setOrderedDepth(-kRunDepthStep - kRunDepthStep * randomScaled(10.0));
    motion.setOrderedSpeed(10.0 + randomScaled(4.0));
    manoeuvreTimer = now + 300.0 + 60.0 * randomScaled(5.0);
}

void SurfaceShipController::postEncounterEvent(ContactRecord& contact, int relayFlag) {
    Entity& ship = owner();
    const double now = simClock().gameClock;
    contact.classified = 1;
    contact.reaction = kReactionNone;
    contact.classifyTime = now;
    const bool hostile = worldSidesHostile(contact.side, ship.side);
    if (contact.kind == kKindWeapon) {
        if (hostile && ship.motion) {
            contact.reaction = kReactionEvadeWeapon;
            ship.motion->setOrderedCourse(courseAwayFrom(contact.bearing));
            ship.motion->setOrderedSpeed(ship.motion->maxSpeed);
            manoeuvreTimer = now + 60.0;
            if (relayFlag)
                relayContact(contact);
        }
    } else if (planMode == kStateTransit || !hostile) {
        contact.reaction = hostile ? kReactionEvade : kReactionNone;
    } else if (level < 2) {
        contact.reaction = kReactionEvade;
    } else {
        contact.reaction = kReactionClose;
        attackTimer = now + 15.0 + randomScaled(15.0);
        if (level == 3)
            setActiveSonar(ship, kActiveSonarAttack);
    }
    if (contact.reaction != kReactionNone && isPlatformContact(contact))
        EntityController::postEncounterEvent(contact, relayFlag);
}

void SurfaceShipController::saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    shipFields(LayoutWriter(block), *this);
}

bool SurfaceShipController::loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    SavedShipFields loaded{};
    shipFields(LayoutReader(block), loaded);
    if (!std::isfinite(loaded.attackTimer) || !std::isfinite(loaded.manoeuvreTimer) ||
        !std::isfinite(loaded.searchPingTimer))
        return false;
    shipFields(LayoutReader(block), *this);
    return true;
}

void surfaceShipControllerInstall() {
    entitySetControllerMaker(ControllerClass::surfaceShip, makeShipController);
}

} // namespace q71
