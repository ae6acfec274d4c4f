#include "sim/entities/types/mine_entities.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/visual_sensor.h"
#include "sim/entities/types/controller_makers.h"

namespace q71 {

namespace {

void fitMine(Entity& mine, EntityType type, ControllerClass controllerClass, double nearRange,
             double farRange) {
    mine.typeCode = type;
    mine.motion = std::make_unique<MotionModel>(mine);
    mine.controller = entityMakeController(controllerClass, mine);
    mine.addSensor(mineProximitySensor(mine, nearRange, farRange));
}

} // namespace

Sensor* mineProximitySensor(Entity& mine, double nearRange, double farRange) {
    auto* sensor = new VisualSensor(mine, 1.0f);
    sensor->setResponse(nearRange, farRange, 100, 0, nearRange, farRange, 1, 0, nearRange, farRange, 1, 0);
    sensor->maxHeight = 0;
    sensor->minHeight = -10000;
    return sensor;
}

MineEntity::MineEntity(std::int32_t side, std::string_view typeName, std::int32_t level)
    : Entity(side, typeName, level, kKindWeapon, -1) {
    buildParts();
}

MineEntity::MineEntity(const EntityBaseValues& v) : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void MineEntity::buildParts() {
    fitMine(*this, kEntityMine, ControllerClass::mine, 68.58, 91.44);
}

Mine2Entity::Mine2Entity(std::int32_t side, std::string_view typeName, std::int32_t level)
    : Entity(side, typeName, level, kKindWeapon, -1) {
    buildParts();
}

Mine2Entity::Mine2Entity(const EntityBaseValues& v) : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void Mine2Entity::buildParts() {
    fitMine(*this, kEntityMine2, ControllerClass::mine2, 27.432, 45.72);
}

} // namespace q71
