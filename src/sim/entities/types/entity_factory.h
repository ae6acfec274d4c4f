#pragma once
// The entity factory: the classes of the eighteen type codes as the rest of the simulation asks
// for them. A scenario places submarines, surface ships, aircraft, mines and mission objects by
// their type codes; a network peer's new entity is made from its record's kind word and then
// moved by the peer alone; a saved mission rebuilds each entity of any of the eighteen codes.
// Weapons, countermeasures, depth charges and support units are otherwise made by their own
// constructors, which take what their launch needs.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"
#include "sim/simulation/geometry.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace q71 {

/// A new entity of a type code a scenario places: a submarine (10), surface ship (11), aircraft
/// (4), mine (7 or 15) or mission object (9), of a type name on a side and at a level, with a new
/// id and not yet in the world; null for any other code.
std::unique_ptr<Entity> entityCreatePlaced(std::int32_t typeCode, std::int32_t side,
                                           std::string_view typeName, std::int32_t level);

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

/// Where a peer's new entity starts; x and y both −1 ask for one of the mission's own-ship starts.
struct PeerPlacement {
    double x = -1.0, y = -1.0;
    double depth = 0.0; ///< z, metres
    double speed = 0.0;
    double course = 0.0; ///< degrees
};

/// Fills a placement from the mission's own-ship start positions for a player (the start list
/// may have none, and leave it as it was).
using StartPicker = void (*)(PeerPlacement& placement, std::int32_t playerId);

/// The entity of a network peer, of a type name: a submarine (the player's boat, with the player's
/// id), surface ship, aircraft or mission object by its record's kind word. It has no controller,
/// is moved by the peer alone, scans with no sensor of its own, and is put into the world. Its id,
/// or 0 for an unknown name or a kind word that makes no entity.
std::int32_t entityCreateForPeer(std::string_view typeName, std::int32_t side, std::int32_t level,
                                 PeerPlacement placement, std::int32_t playerId, StartPicker pickStart);
/// The same for a record id.
std::int32_t entityCreateForPeer(std::uint32_t recordId, std::int32_t side, std::int32_t level,
                                 PeerPlacement placement, std::int32_t playerId, StartPicker pickStart);

} // namespace q71
