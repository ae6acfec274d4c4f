#include "sim/entities/types/surface_ship_entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/surface_ship_motion.h"
#include "sim/entities/types/controller_makers.h"

namespace q71 {

SurfaceShipEntity::SurfaceShipEntity(std::int32_t side, std::string_view typeName, std::int32_t level)
    : Entity(side, typeName, level, kKindSurface, -1) {
    buildParts();
}

SurfaceShipEntity::SurfaceShipEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void SurfaceShipEntity::buildParts() {
    typeCode = kEntitySurfaceShip;
    motion = std::make_unique<SurfaceShipMotion>(*this);
    controller = entityMakeController(ControllerClass::surfaceShip, *this);
}

} // namespace q71
