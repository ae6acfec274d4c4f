#pragma once
// The entity classes a mission start makes, installed by their modules at start-up: the units
// of a scenario and the boats of network players by their entity type, and the own submarine.
// Until a maker is installed none is made, and a scenario that needs one cannot start.

#include "sim/entities/entity.h"

#include <cstdint>
#include <string_view>

namespace q71 {

/// Makes an entity of a type (submarine, surface ship, aircraft, the mines and the stationary
/// object) in its first form, with its motion model, controller and sensors, not yet in the
/// world; a submarine takes the id given (−1: the next), the others the next id. Null when the
/// type is not one the maker knows.
using EntityMaker = Entity* (*)(EntityType type, std::int32_t side, std::string_view typeName,
                                std::int32_t level, std::int32_t id);
/// Makes the own submarine with its motion model and receivers, not yet in the world.
using OwnShipMaker = Entity* (*)(std::int32_t side, std::int32_t level, std::int32_t id);

/// Installs the maker of scenario units and network players' boats; null: none is made.
void simSetEntityMaker(EntityMaker maker);
/// Installs the maker of the own submarine; null: none is made.
void simSetOwnShipMaker(OwnShipMaker maker);

/// A new entity, or null.
Entity* simMakeEntity(EntityType type, std::int32_t side, std::string_view typeName, std::int32_t level,
                      std::int32_t id);
/// A new own submarine, or null.
Entity* simMakeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id);

} // namespace q71
