#include "sim/simulation/scenario_units.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/goal_tree.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/patrol_patterns.h"
#include "sim/simulation/scenario_placement.h"
#include "sim/simulation/world_lists.h"

namespace q71 {
namespace {

// Where the reader puts a plan's values that the controllers read besides the area (docs/scenarios.md).
constexpr std::size_t kPlanCountOffset = 0; // a byte: the number of sonobuoys of a mode-6 field
constexpr std::size_t kPlanAreaX = 16, kPlanAreaY = 24, kPlanAreaWidth = 32, kPlanAreaHeight = 40;
constexpr std::size_t kPlanDepthOffset = 48;
constexpr std::size_t kPlanSpeedOffset = 72;

void setArea(PlanParameters& params, const WorldPoint& origin, double width, double height, double depth) {
    params.setValue(kPlanAreaX, origin.x);
    params.setValue(kPlanAreaY, origin.y);
    params.setValue(kPlanAreaWidth, width);
    params.setValue(kPlanAreaHeight, height);
    params.setValue(kPlanDepthOffset, depth);
}

// The first plan of a tasked unit, made the active plan, with its parameters and the orders of its mode.
void task(Entity& unit, const ScenarioRecord& record, const WorldPoint& position, double speed,
          double depth) {
    EntityController& controller = *unit.controller;
    auto* plan = new ControllerPlan;
    plan->mode = record.patrolMode;
    controller.addPlan(plan);
    controller.plans.rewind();
    controller.activatePlanUnderCursor();
    PlanParameters& params = plan->params;
    switch (record.patrolMode) {
    case kModeRandomPattern:
        worldQueueRandomPattern(unit, position.x, position.y, 0.0, record.boxEast, record.boxNorth, speed,
                                depth);
        break;
    case kModeExpandingPattern:
        setArea(params, position, record.boxEast, 0.0, depth);
        params.setValue(kPlanSpeedOffset, speed);
        worldQueueExpandingPattern(unit, position.x, position.y, record.boxEast, speed, depth);
        break;
    case kModeSonobuoyField:
        setArea(params, position, record.boxEast, record.boxNorth, depth);
        params.bytes[kPlanCountOffset] = record.areaFlag;
        break;
    case kModeRandomBox:
    case kModeBoxPatrol: {
        const ScenarioBox box = scenarioBox(record);
        setArea(params, box.corner, box.width, box.height, depth);
        for (const ScenarioOrder& o : scenarioBoxOrders(record.patrolMode, box, speed, depth))
            controller.queueOrder(o.type, 0, 0.0, o.x, o.y, o.speed, o.depth);
        break;
    }
    default:
        break;
    }
}

} // namespace

EntityType scenarioEntityType(const ScenarioRecord& record, const ObjectRecord* object) {
    switch (record.type) {
    case kScenarioSubmarine:
        return kEntitySubmarine;
    case kScenarioSurfaceShip:
        return kEntitySurfaceShip;
    case kScenarioAircraft:
        return kEntityAircraft;
    default:
        break;
    }
    if (!object || object->category() != kCategoryMine)
        return kEntityMissile;
    return record.typeName.find("nf") != std::string::npos ? kEntityMine : kEntityMine2;
}

std::unique_ptr<Entity> scenarioMakeUnit(const ScenarioRecord& record, const ObjectRecord* object) {
    std::unique_ptr<Entity> unit(
        simMakeEntity(scenarioEntityType(record, object), record.side, record.typeName, record.level, -1));
    if (!unit)
        return nullptr;
    const double speed = scenarioStartSpeed(record);
    const ScenarioPlacement placed = scenarioPlacement(record);
    const double feet = placed.depthFeet + (unit->isOwnShip() ? kOwnShipDepthOffsetFeet : 0.0);
    const double depth = feet * kFeetToMetres;
    const WorldPoint position{placed.x, placed.y, depth};
    if (MotionModel* motion = unit->motion.get()) {
        motion->x = position.x;
        motion->y = position.y;
        motion->z = depth;
        // Where it was placed is where an aircraft without a launching platform goes to rearm.
        motion->homeX = position.x;
        motion->homeY = position.y;
        motion->heading = record.course;
        motion->speed = motion->driveSpeed = motion->headway = speed;
        motion->setOrderedCourse(record.course);
        motion->orderedSpeed = speed;
        motion->orderedDepth = depth;
    }
    if (!unit->controller)
        return unit;
    task(*unit, record, position, speed, depth);
    for (const ScenarioOrder& o : scenarioRouteOrders(record, position, depth, speed))
        unit->controller->queueOrder(o.type, 0, 0.0, o.x, o.y, o.speed, o.depth);
    // A unit with orders starts on its way to the current one.
    if (const ControllerOrder* order = unit->controller->currentOrder(); order && unit->motion) {
        const double bearing = geoBearing(order->x - position.x, order->y - position.y);
        unit->motion->heading = bearing;
        unit->motion->setOrderedCourse(bearing);
    }
    return unit;
}

void scenarioEnterUnit(std::unique_ptr<Entity> unit, const ScenarioRecord& record) {
    Entity* entity = unit.release();
    // A delay needs a plan to wait on; a unit without a controller enters at once.
    if (record.entryDelay > 0.0 && entity->controller && !entity->controller->plans.empty()) {
        entity->controller->plans.head()->item->startTime = record.entryDelay;
        worldPendingList().prepend(entity);
    } else {
        worldAddEntity(entity);
    }
    for (std::int32_t goal : {record.goalNode1, record.goalNode2})
        if (goal > 0)
            goalTreeSetTarget(goal, entity->id);
}

} // namespace q71
