#pragma once
// Mission events as the entities post them: at a place, at the present game time.

#include "sim/scoring/mission_event.h"
#include "sim/simulation/geometry.h"

#include <cstdint>

namespace q71 {

/// Event kinds the entities post besides those scoring tells apart.
enum EntityEventKind : std::int32_t {
    kEventFlooding = 11,      ///< a compartment floods (extra: 9 aft, 10 a side)
    kEventRepaired = 12,      ///< a flooded compartment is back in service
    kEventEmergencyBlow = 16, ///< a submarine blows its tanks
    kEventWeaponLaunch = 18,  ///< a weapon or decoy leaves its launcher (extra: its record id)
    kEventCollision = 21,
    kEventGrounding = 23,
    kEventOwnBoatDamage = 24, ///< x: −100 × the damage, extra: the cause
};

/// An event at a place at the present game time.
MissionEvent missionEventAt(const WorldPoint& place, std::int32_t kind, std::int32_t subject, std::int32_t object,
                            std::int32_t extra = 0);

/// Writes the own boat's damage record to the replay log: −100 × the damage, with its cause, and
/// the depth the boat took it at.
void logOwnBoatDamage(std::int32_t ownId, double damage, std::int32_t cause);

} // namespace q71
