// The rescue submarine.
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/empty_plan.h"
#include "sim/entities/types/nearest_entity.h"
#include "sim/entities/types/support_units.h"

namespace q71 {

namespace {

constexpr std::int32_t kRescueSide = 6;
constexpr double kCreep = 0.01; // speed of the last few metres alongside
constexpr double kTransit = 10.0;
constexpr std::uint32_t kRescueRecordId = 4; // "Dsrv"

} // namespace

Submarine2Entity::Submarine2Entity(std::string_view typeName)
    : Entity(kRescueSide, typeName, 1, kKindSurface, -1) {
    buildParts();
    setUp();
}

Submarine2Entity::Submarine2Entity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    buildParts();
}

void Submarine2Entity::buildParts() {
    typeCode = kEntitySubmarine2;
    motion = std::make_unique<SubmarineMotion>(*this);
    controller = entityMakeController(ControllerClass::submarine, *this);
}

void Submarine2Entity::setUp() {
    MotionModel& m = *motion;
    const Entity* own = worldOwnShip();
    if (own && own->motion) { // just clear of the own submarine's side and deck
        const MotionModel& o = *own->motion;
        const double beside = o.halfBeam + m.halfBeam + 3.0;
        m.x = o.x + beside;
        m.y = o.y + beside;
        m.z = o.z + o.halfHeight + m.halfHeight;
    }
    if (!controller)
        return;
    controllerStartEmptyPlan(*controller);
    const Entity* target = worldNearestEntity(*this, [&](const Entity& e) {
        return &e != own && e.kind == kKindSubsurface && !worldSidesHostile(e.side, kRescueSide);
    });
    if (!target)
        return;
    const WorldPoint start = worldPoint(*this), there = worldPoint(*target);
    controller->queueOrder(2, 0, 0.0, start.x + 5.0, start.y + 5.0, kCreep, start.z);
    controller->queueOrder(2, 0, 0.0, start.x, start.y, kTransit, start.z);
    controller->queueOrder(2, 0, 0.0, there.x, there.y + 10.0, kCreep, there.z + 5.0);
    controller->queueOrder(2, 0, 0.0, there.x, there.y, kTransit, there.z + 5.0);
}

void Submarine2Entity::updatePerSecond(double elapsed) {
    if (!controller) {
        motion->stepSpeed(elapsed);
        return;
    }
    controller->advanceWaypoint();
    if (controller->currentOrder()) {
        controller->steerToOrder();
        return;
    }
    discardController();
    motion->setOrderedSpeed(0.0);
}

bool Submarine2Entity::load(ByteSource& source) {
    if (!Entity::load(source))
        return false;
    if (recordId == kRescueRecordId && controller)
        controller->activatePlanUnderCursor();
    return true;
}

} // namespace q71
