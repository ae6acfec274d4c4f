// The submarine's depths (patrol, evasion, and clear of the bottom ahead),
// the rating of new contacts and its part of a saved mission.
#include "sim/entities/controllers/submarine_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/byte_layout.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/terrain_geometry.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kBottomLookAhead = 100.0;  // yards ahead where the bottom is read
constexpr double kKeelClearance = 12.192;   // metres (40 ft) kept between keel and bottom
constexpr double kEvasionBottomClearance = 33.0;
constexpr double kWeaponEvasionRange = 12000.0; // yards: a trained crew evades only inside it
constexpr double kNeutralKeepClear = 2000.0;    // yards

// The submarine's fields in the controller's saved block; 48 to 71 are spare.
template <class Layout, class Boat> void boatFields(const Layout& layout, Boat& boat) {
    layout.f64(24, boat.speedTimer);
    layout.f64(32, boat.attackTimer);
    layout.f64(40, boat.manoeuvreTimer);
    layout.f64(72, boat.mastTimer);
    layout.f64(80, boat.repositionTimer);
    layout.f64(88, boat.depthTimer);
    layout.f64(96, boat.runTimer);
}

struct SavedBoatFields {
    double speedTimer, attackTimer, manoeuvreTimer, mastTimer, repositionTimer, depthTimer, runTimer;
};

EntityController* makeBoatController(Entity& owner, double /*value*/) {
    return new SubmarineController(owner);
}

} // namespace

SubmarineController::SubmarineController(Entity& owner) : VesselController(owner) {
    repositionTimer = simClock().gameClock + (1.0 + randomScaled(1.0)) * 3600.0;
}

void SubmarineController::afterState() {
    keepOffBottom();
    avoidShoals(owner());
}

double SubmarineController::patrolDepth() const {
    const MotionModel& motion = *owner().motion;
    return geoSafeDepth(worldPoint(motion), motion.testDepth);
}

double SubmarineController::evasionDepth() const {
    const MotionModel& motion = *owner().motion;
    const double drawn = randomScaled(motion.testDepth + 75.0) - 50.0;
    double bottom = 0.0;
    if (!bottomHeightAt(motion.x, motion.y, bottom))
        return drawn;
    return std::max(bottom + kEvasionBottomClearance, drawn);
}

void SubmarineController::keepOffBottom() {
    MotionModel& motion = *owner().motion;
    double x = 0.0, y = 0.0, bottom = 0.0;
    geoProject(motion.x, motion.y, motion.heading, kBottomLookAhead, x, y);
    if (!bottomHeightAt(x, y, bottom))
        return;
    // Come up when the keel, where the boat is or where it is going, would pass within 40 ft of
    // the bottom ahead.
    if (motion.z - kKeelClearance < bottom || motion.orderedDepth - kKeelClearance < bottom)
        motion.setOrderedDepth(std::min(bottom + 40.0, -30.0) * kFeetToMetres);
}

void SubmarineController::postEncounterEvent(ContactRecord& contact, int relayFlag) {
    Entity& boat = owner();
    MotionModel* motion = boat.motion.get();
    const double now = simClock().gameClock;
    contact.classified = 1;
    contact.reaction = kReactionEvade;
    contact.classifyTime = now;
    const ContactFix* fix = latestFix(contact);
    if (fix && fix->z > 0.0) {
        // Something above the surface holds the boat: it has been seen, and withdraws.
        contact.reaction = kReactionWithdraw;
        runTimer = 0.0;
        return;
    }
    const bool hostile = worldSidesHostile(contact.side, boat.side);
    if (contact.kind == kKindWeapon) {
        if (!hostile || contactIs(contact, kCategoryMissile)) {
            contact.reaction = kReactionNone;
        } else {
            const double away = courseAwayFrom(contact.bearing);
            contact.reaction = kReactionEvadeWeapon;
            if (motion && (level <= 2 || contact.range < kWeaponEvasionRange)) {
                motion->setOrderedCourse(away);
                motion->setOrderedSpeed(motion->maxSpeed);
                if (level >= 3) {
                    motion->setOrderedDepth(evasionDepth());
                    manoeuvreTimer = now + 60.0;
                }
            }
        }
    } else if (planMode == kStateTransit) {
        contact.reaction = hostile ? kReactionEvade : kReactionNone;
    } else {
        if (planMode == kStateWaypointLoop3 && level == 4 && motion)
            motion->orderShallowDepth(); // look first
        if (hostile)
            contact.reaction = kReactionClose;
        else
            contact.reaction = contact.range < kNeutralKeepClear ? kReactionEvade : kReactionNone;
    }
    if (contact.reaction != kReactionNone && isPlatformContact(contact))
        EntityController::postEncounterEvent(contact, relayFlag);
}

void SubmarineController::saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    boatFields(LayoutWriter(block), *this);
}

bool SubmarineController::loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    SavedBoatFields loaded{};
    boatFields(LayoutReader(block), loaded);
    for (double timer : {loaded.speedTimer, loaded.attackTimer, loaded.manoeuvreTimer, loaded.mastTimer,
                         loaded.repositionTimer, loaded.depthTimer, loaded.runTimer})
        if (!std::isfinite(timer))
            return false;
    boatFields(LayoutReader(block), *this);
    return true;
}

void submarineControllerInstall() {
    entitySetControllerMaker(ControllerClass::submarine, makeBoatController);
}

} // namespace q71
