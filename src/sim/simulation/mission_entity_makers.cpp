#include "sim/simulation/mission_entity_makers.h"

namespace q71 {
namespace {

EntityMaker entityMaker = nullptr;
OwnShipMaker ownShipMaker = nullptr;

} // namespace

void simSetEntityMaker(EntityMaker maker) {
    entityMaker = maker;
}

void simSetOwnShipMaker(OwnShipMaker maker) {
    ownShipMaker = maker;
}

Entity* simMakeEntity(EntityType type, std::int32_t side, std::string_view typeName, std::int32_t level,
                      std::int32_t id) {
    return entityMaker ? entityMaker(type, side, typeName, level, id) : nullptr;
}

Entity* simMakeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id) {
    return ownShipMaker ? ownShipMaker(side, level, id) : nullptr;
}

} // namespace q71
