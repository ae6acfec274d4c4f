#include "sim/entities/types/mobile_mine_entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/launch_geometry.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

MobileMineEntity::MobileMineEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                                   std::int32_t launcherId, const MobileMineLaunch& run)
    : Entity(side, typeName, level, kKindWeapon, -1) {
    parentId = launcherId;
    buildMotion();
    const Entity* launcher = worldFindEntity(launcherId);
    if (!launcher || !launcher->motion)
        return;
    LaunchExit exit = launchExit(*launcher->motion, run.tube);
    exit.heading = launcher->motion->heading; // it leaves along the hull, not turned out
    const double way = launchWay(*launcher->motion);
    startAtExit(*motion, exit, way, way);
    motion->setOrderedCourse(run.course);
    motion->setOrderedSpeed(run.speed);
    motion->setOrderedDepth(run.depth * kFeetToMetres);
    // The run's time is worked out from the ordered speed, so the controller comes last.
    controller = entityMakeController(ControllerClass::mobileMine, *this, run.range);
    if (launchFails(*launcher))
        failLaunch(*this, *launcher);
}

MobileMineEntity::MobileMineEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildMotion();
    controller =
        entityMakeController(ControllerClass::mobileMine, *this, 0.0); // its state comes with the load
}

void MobileMineEntity::buildMotion() {
    typeCode = kEntityMobileMine;
    motion = std::make_unique<SubmarineMotion>(*this);
}

} // namespace q71
