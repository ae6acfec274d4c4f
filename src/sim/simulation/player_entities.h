#pragma once
// The boats of network players: each peer's boat is an entity of this world whose motion comes
// from the network, made by its object record's kind and placed where the peer says, or at a
// start position of the scenario.

#include "sim/world/object_record.h"

#include <cstdint>
#include <string_view>

namespace q71 {

class Entity;

/// Hands an entity to the network: its controller removed, its motion a remote one that starts
/// where and as the entity moved, flagged remote (a host's unit on a client's world).
void simMakeEntityRemote(Entity& entity);

/// Makes the entity of a network player by its record's kind (1 a submarine with the player's
/// id as its own, 2 a surface ship, 3 an aircraft, 4 and 5 a plain object): without a
/// controller, moved by the network (a remote motion model), its sensors not scanning by
/// themselves, at (x, y), or at the player's start position when both are −1, and adds it to
/// the world. Its id, or 0 when the kind makes nothing.
std::int32_t simCreatePlayerEntity(std::uint32_t kind, const ObjectRecord& record, std::int32_t side,
                                   std::int32_t level, double x, double y, double depth, double speed,
                                   double course, std::int32_t playerId);

/// simCreatePlayerEntity for the record of a key name; 0 when the object database lacks it.
std::int32_t simCreateEntityByName(std::string_view typeName, std::int32_t side, std::int32_t level, double x,
                                   double y, double depth, double speed, double course,
                                   std::int32_t playerId);

/// simCreatePlayerEntity for the record of an id; 0 when the object database lacks it.
std::int32_t simCreateEntityByClassId(std::uint32_t recordId, std::int32_t side, std::int32_t level, double x,
                                      double y, double depth, double speed, double course,
                                      std::int32_t playerId);

} // namespace q71
