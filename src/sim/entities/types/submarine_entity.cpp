#include "sim/entities/types/submarine_entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/types/controller_makers.h"

namespace q71 {

SubmarineEntity::SubmarineEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                                 std::int32_t id)
    : Entity(side, typeName, level, kKindSubsurface, id) {
    buildParts();
}

SubmarineEntity::SubmarineEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void SubmarineEntity::buildParts() {
    typeCode = kEntitySubmarine;
    if (isOwnShip())
        return; // the own boat's class makes its own motion and has no controller
    motion = std::make_unique<SubmarineMotion>(*this);
    controller = entityMakeController(ControllerClass::submarine, *this);
}

} // namespace q71
