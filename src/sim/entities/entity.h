#pragma once
// An entity: one simulated object of a mission (a submarine, ship, aircraft, weapon, mine,
// countermeasure, explosion or the own boat), built from one object record. This is its
// identity, which the world lists, the contact designations and every by-id reference read:
// ids, not pointers, are what entities, messages and files keep.

#include <array>
#include <cstdint>

namespace q71 {

/// Sensor types, one slot each in the per-type tables of entities and contacts.
inline constexpr int kSensorTypeCount = 14;

class Entity {
public:
    /// An entity of a record id with its side, level and kind; an id of −1 takes the mission's next id.
    Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t kind, std::int32_t id);
    /// Tells the entity observers (flag 1) before the entity goes.
    virtual ~Entity();
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    std::uint32_t recordId = 0; ///< id of the object record the entity was built from
    std::int32_t side = 0;      ///< affiliation; 4 neutral, and sides hostile as worldSidesHostile says
    std::int32_t kind =
        0; ///< 0 aircraft and explosions, 2 surface ships, 3 submarines, 4 weapons, 5 missiles
    std::int32_t level = 0;    ///< crew level
    std::int32_t id = 0;       ///< unique in the mission
    std::int32_t parentId = 0; ///< the entity that launched or caused this one; 0 when none
    /// The contact number the own boat gave this entity, per sensor type (0: none).
    std::array<std::int32_t, kSensorTypeCount> designation{};
};

/// Sets the mission's id counter: the next new entity takes counter + 1 (0 at a mission's start).
void entitySetIdCounter(std::int32_t lastId);

} // namespace q71
