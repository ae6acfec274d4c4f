#pragma once
// What an entity makes of other entity classes, installed by their modules at start-up: the
// explosion a damaged entity leaves behind. Until a maker is installed nothing is made.

#include <cstdint>

namespace q71 {

class Entity;

/// Makes an explosion on a side at a source entity (kind 1 for a damaged entity's), not yet in the world.
using ExplosionMaker = Entity* (*)(std::int32_t side, Entity& source, std::int32_t explosionKind);

/// Installs the explosion maker; null: no explosions are made.
void entitySetExplosionMaker(ExplosionMaker maker);

/// A new explosion, or null while no maker is installed.
Entity* entityMakeExplosion(std::int32_t side, Entity& source, std::int32_t explosionKind);

} // namespace q71
