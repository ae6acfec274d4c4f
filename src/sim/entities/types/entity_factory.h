#pragma once
// The entity factory: the classes of the eighteen type codes as the rest of the simulation asks
// for them. A scenario places submarines, surface ships, aircraft, mines and mission objects by
// their type codes (and a network player's boat is one of these, moved by the peer); a saved
// mission rebuilds each entity of any of the eighteen codes. Weapons, countermeasures, depth
// charges and support units are otherwise made by their own constructors, which take what their
// launch needs.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace q71 {

/// A new entity of a type code a scenario places: a submarine (10), surface ship (11), aircraft
/// (4), mine (7 or 15) or mission object (9), of a type name on a side and at a level, not yet in
/// the world; a submarine takes the id given (−1: the next one), the others the next one. Null for
/// any other code.
std::unique_ptr<Entity> entityCreatePlaced(std::int32_t typeCode, std::int32_t side,
                                           std::string_view typeName, std::int32_t level,
                                           std::int32_t id = -1);

/// An entity of a saved mission as it is listed before its state: its type code, the values it
/// was made with, and for an explosion its kind.
struct EntityLoadEntry {
    std::int32_t typeCode = 0;
    EntityBaseValues values;
    std::int32_t explosionKind = 0;
};

/// What an entry of a saved mission is rebuilt as.
struct LoadedEntity {
    std::unique_ptr<Entity> made; ///< a new entity of the entry's class, for the caller to put into the world
    Entity* entity = nullptr; ///< the entity to read the state into: the new one, or the own boat (code 8)
};

/// Rebuilds an entry through its class's loading constructor, its state still to be read; the own
/// boat's entry (code 8) is the own boat the mission's set-up made. Nothing for a code outside 1
/// to 18, or for code 8 without an own boat.
LoadedEntity entityCreateForLoad(const EntityLoadEntry& entry);

} // namespace q71
