#pragma once
// The world: the list of entities taking part in the mission, the pending list of entities
// that enter later, the own boat, and the observers through which displays and the network
// game learn of entities and contacts coming and going. Around them stand the world queries:
// an entity by id or by contact designation, a designation's text, and the side tests.

#include "framework/lists/linked_list.h"

#include <array>
#include <cstdint>
#include <optional>

namespace q71 {

class Entity;
struct ContactRecord;

/// The flag observers receive.
enum WorldChange : int {
    kWorldEntityAdded = 0,     ///< added to the world list (a contact: added)
    kWorldEntityDestroyed = 1, ///< being destroyed (a contact: dropped)
};

/// A contact's designation: the letter of the sensor that found it and one number per sensor type.
struct ContactDesignation {
    std::uint8_t letter = 0;
    std::array<std::uint8_t, 14> numbers{};
};

using EntityObserver = void (*)(std::uintptr_t owner, Entity* entity, int flag);
using ContactObserver = void (*)(std::uintptr_t owner, ContactRecord* contact, int flag);

/// Entities taking part in the mission, in order of insertion; the list owns them.
LinkedList<Entity>& worldList();

/// Entities that enter the world later, when their first plan falls due; the list owns them.
LinkedList<Entity>& worldPendingList();

/// The own boat, or null (also once it has been flagged for removal).
Entity* worldOwnShip();
/// Sets the own boat; its id becomes the mission's own-submarine id.
void worldSetOwnShip(Entity* entity);
/// The mission's own-submarine id, or none. It outlives the own boat's pointer, since entities
/// and records tell the own submarine by its id.
std::optional<std::int32_t> worldOwnShipId();
/// Sets (or clears) the own-submarine id, as the own boat does before it is built.
void worldSetOwnShipId(std::optional<std::int32_t> id);

/// Appends an entity to the world list and tells the entity observers; safe inside a walk of the
/// list, which then reaches the new entity.
void worldAddEntity(Entity* entity);

/// The first entity of the world list with that id, or null.
Entity* worldFindEntity(std::int32_t id);

/// Registers an observer of entities; it is told of every entity added (flag 0) and destroyed (1).
void worldAddEntityObserver(std::uintptr_t owner, EntityObserver callback);
/// Removes the observer registered under that owner.
void worldRemoveEntityObserver(std::uintptr_t owner);
/// Tells every entity observer, in registration order.
void worldNotifyEntityObservers(Entity* entity, int flag);

/// Registers an observer of the own boat's contacts: added (flag 0) and dropped (1).
void worldAddContactObserver(std::uintptr_t owner, ContactObserver callback);
/// Removes the observer registered under that owner.
void worldRemoveContactObserver(std::uintptr_t owner);
/// Tells every contact observer, in registration order.
void worldNotifyContactObservers(ContactRecord* contact, int flag);

/// The entity whose own contact number matches the designation's highest numbered sensor type
/// among types 0 to 12, or null.
Entity* worldFindByDesignation(const ContactDesignation& designation);

/// "%c%-d" of the designation's letter and its number of the highest numbered sensor type that has
/// one, in a buffer the next call overwrites; "" without any number.
const char* worldFormatDesignation(const ContactDesignation& designation);

/// True for the neutral side, 4.
bool worldIsNeutral(std::int32_t side);

/// True when neither side is neutral, they differ, and one of them is 2.
bool worldSidesHostile(std::int32_t a, std::int32_t b);

/// The affiliation a side has as seen from the own side, as the charts draw it: 2 (hostile) for a
/// side hostile to it, 1 (friendly) for the own side, any other side as it is. Seen from side 1,
/// as in every single-player mission, each side is its own affiliation.
std::int32_t worldAffiliationSeenFrom(std::int32_t ownSide, std::int32_t side);

} // namespace q71
