// How the aircraft's crew rates a new contact: what it can fight it closes, what it cannot it
// evades; a submarine is closed by a leg toward it, or, reported by a friend from far off, by an
// expanding search round the aircraft.
#include "sim/entities/controllers/aircraft_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/patrol_patterns.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {

constexpr double kAttackRange = 1000.0;  // yards: inside it the attack begins at once
constexpr double kNearRange = 10000.0;   // yards: inside it a leg is flown toward the contact
constexpr double kNearLegShort = 1500.0; // yards short of a near contact
constexpr double kFarLegShort = 1750.0;  // yards short of a far one
constexpr double kOrderLife = 300.0;     // seconds of the leg order's delay
constexpr double kHelicopterAttackSpeed = 30.0;
constexpr double kAttackRunIn = 120.0;           // seconds of the first run-in
constexpr double kExpandingSearchSize = 25000.0; // yards
constexpr double kExpandingSearchHeight = 100.0; // metres
constexpr double kPhaseEnded = 1.0;              // a timer already past: the present phase ends

bool isWeaponOrDecoy(const Entity* entity) {
    return entity && (entity->category == kCategoryTorp || entity->category == kCategoryMissile ||
                      entity->category == kCategoryCm);
}

} // namespace

void AirPlatformController::postEncounterEvent(ContactRecord& contact, int relayFlag) {
    contact.reaction = kReactionNone;
    contact.classifyTime = simClock().gameClock;
    if (relayFlag)
        relayContact(contact);
    Entity& aircraft = owner();
    if (planMode == kAircraftTransit || !aircraft.motion)
        return; // on its way, the crew only passes contacts on
    if (!worldSidesHostile(contact.side, aircraft.side) || contact.kind == kKindWeapon)
        return;
    if (contact.kind == kKindSurface || contact.kind == kKindAir) {
        // Ships are fought with the first load, aircraft with the third; else they are evaded.
        const std::size_t slot = contact.kind == kKindSurface ? 0 : 2;
        contact.reaction =
            aircraft.weaponCount[slot] > 0 && state != kAircraftAttack ? kReactionClose : kReactionEvade;
    } else {
        rateSubmarine(contact);
    }
    dipTimer = kPhaseEnded;
    if (!isWeaponOrDecoy(worldFindEntity(contact.entityId)))
        EntityController::postEncounterEvent(contact, relayFlag);
}

void AirPlatformController::rateSubmarine(ContactRecord& contact) {
    Entity& aircraft = owner();
    MotionModel& m = motion();
    if (aircraft.weaponCount[1] <= 0) {
        contact.reaction = kReactionEvade;
        return;
    }
    if (state != kAircraftAttack)
        silenceSonars();
    if (contact.range < kAttackRange) {
        contact.reaction = kReactionAttack;
        m.setOrderedSpeed(isHelicopter() ? kHelicopterAttackSpeed : m.quietSpeed);
        attackTimer = simClock().gameClock + kAttackRunIn;
        return;
    }
    contact.reaction = kReactionClose;
    if (contact.range >= kNearRange && relayedFix(contact)) {
        worldQueueExpandingPattern(aircraft, m.x, m.y, kExpandingSearchSize, m.quietSpeed,
                                   kExpandingSearchHeight);
        return;
    }
    if (contact.range < kNearRange && (state == kAircraftProsecute || state == kAircraftAttack))
        return; // already on it
    const double shortOf = contact.range < kNearRange ? kNearLegShort : kFarLegShort;
    queueOrderAtOffset(kAircraftTransit, contact.entityId, worldPoint(m), kOrderLife, contact.bearing,
                       contact.range - shortOf);
}

} // namespace q71
