#pragma once
// The nearest entity of the world list that a test accepts, by planar range from a point.

#include "sim/entities/entity.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

/// The accepted entity nearest to a place, or null; the list's cursor is left where it was.
template <Placed P, class Accept> Entity* worldNearestEntity(const P& from, Accept accept) {
    Entity* nearest = nullptr;
    double nearestRange = 0.0;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& entity = *node->item;
        if (!accept(entity))
            continue;
        const double range = entityRangeYards(from, entity);
        if (!nearest || range < nearestRange) {
            nearest = &entity;
            nearestRange = range;
        }
    }
    return nearest;
}

} // namespace q71
