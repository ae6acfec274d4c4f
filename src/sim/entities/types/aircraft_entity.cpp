#include "sim/entities/types/aircraft_entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/aircraft_motion.h"
#include "sim/entities/types/controller_makers.h"

namespace q71 {

AircraftEntity::AircraftEntity(std::int32_t side, std::string_view typeName, std::int32_t level)
    : Entity(side, typeName, level, kKindAir, -1) {
    buildParts();
}

AircraftEntity::AircraftEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void AircraftEntity::buildParts() {
    typeCode = kEntityAircraft;
    motion = std::make_unique<AircraftMotion>(*this);
    controller = entityMakeController(ControllerClass::airPlatform, *this);
}

} // namespace q71
