#include "sim/support/mission_makers.h"

#include "sim/simulation/mission_entity_makers.h"
#include "sim/support/world_harness.h"

namespace q71::test {
namespace {

std::int32_t kindOf(EntityType type) {
    switch (type) {
    case kEntityAircraft:
        return kKindAir;
    case kEntitySurfaceShip:
        return kKindSurface;
    case kEntitySubmarine:
        return kKindSubsurface;
    case kEntityMissile:
        return kKindMissile;
    default:
        return kKindWeapon;
    }
}

Entity* makeUnit(EntityType type, std::int32_t side, std::string_view typeName, std::int32_t level,
                 std::int32_t id) {
    auto* unit = new HarnessEntity(side, typeName, level, kindOf(type), {}, 0.0, 0.0, id);
    unit->typeCode = type;
    if (type == kEntityMissile)
        unit->controller.reset(); // a plain object without a third weapon has no controller
    return unit;
}

Entity* makeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id) {
    auto* own = new HarnessEntity(side, "Q71i", level, kKindSubsurface, {}, 0.0, 0.0, id);
    own->typeCode = kEntityOwnShip;
    own->controller.reset();
    return own;
}

} // namespace

HarnessOwnShip::HarnessOwnShip() {
    simSetOwnShipMaker(makeOwnShip);
}

HarnessOwnShip::~HarnessOwnShip() {
    simSetOwnShipMaker(nullptr);
}

HarnessMakers::HarnessMakers() {
    simSetEntityMaker(makeUnit);
}

HarnessMakers::~HarnessMakers() {
    simSetEntityMaker(nullptr);
}

} // namespace q71::test
