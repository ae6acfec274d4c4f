#include "sim/entities/types/missile_entity.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/motion_model.h"

namespace q71 {

MissileEntity::MissileEntity(std::int32_t side, std::string_view typeName, std::int32_t level)
    : Entity(side, typeName, level, kKindMissile, -1) {
    buildParts();
}

MissileEntity::MissileEntity(const EntityBaseValues& v) : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void MissileEntity::buildParts() {
    typeCode = kEntityMissile;
    motion = std::make_unique<MotionModel>(*this);
    motion->speed = 0.0;
    motion->responseGain = motion->responseLoad = 0.0; // no drive of its own until a launch sets one
    if (weapon[2].recordId >= 1)
        controller = std::make_unique<GuidanceController>(*this);
}

} // namespace q71
