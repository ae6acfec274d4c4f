#include "multiplayer/shared_entities.h"

#include "sim/entities/entity.h"
#include "sim/simulation/world_lists.h"

namespace q71 {
namespace {

// A launcher's launcher is followed this far at most (a torpedo dropped by an aircraft a ship
// put up): a loop of parents in a damaged world ends here.
constexpr int kMostLaunchers = 8;

} // namespace

std::int32_t SharedEntities::bookedAttacker(std::int32_t attackerId) const {
    std::int32_t id = attackerId;
    for (int step = 0; step <= kMostLaunchers && id != 0; ++step) {
        if (shared(id))
            return id;
        const Entity* entity = worldFindEntity(id);
        id = entity ? entity->parentId : 0;
    }
    return 0;
}

} // namespace q71
