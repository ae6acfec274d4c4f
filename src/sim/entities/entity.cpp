#include "sim/entities/entity.h"

#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {
std::int32_t idCounter = 0; // the last id given in this mission
} // namespace

void entitySetIdCounter(std::int32_t lastId) {
    idCounter = lastId;
}

Entity::Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t kind,
               std::int32_t id)
    : recordId(recordId), side(side), kind(kind), level(level), id(id == -1 ? ++idCounter : id) {}

Entity::~Entity() {
    worldNotifyEntityObservers(this, kWorldEntityDestroyed);
}

} // namespace q71
