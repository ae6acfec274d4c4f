#include "sim/simulation/player_entities.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

#include <optional>

namespace q71 {
namespace {

constexpr double kAtStart = -1.0;

std::optional<EntityType> typeOfKind(std::uint32_t kind) {
    switch (kind) {
    case kObjectKindSubmarine:
        return kEntitySubmarine;
    case kObjectKindSurfaceShip:
        return kEntitySurfaceShip;
    case kObjectKindAircraft:
        return kEntityAircraft;
    case 4:
    case 5:
        return kEntityMissile;
    default:
        return std::nullopt;
    }
}

} // namespace

void simMakeEntityRemote(Entity& entity) {
    // The peer steers it: no controller of ours, and the network's motion, which runs on from
    // where the entity is and how it moves until the peer says more.
    auto motion = std::make_unique<RemoteMotionModel>(entity);
    if (const MotionModel* old = entity.motion.get()) {
        motion->x = old->x;
        motion->y = old->y;
        motion->z = old->z;
        motion->speed = old->speed;
        motion->heading = old->heading;
        motion->pitch = old->pitch;
        motion->roll = old->roll;
    }
    entity.controller.reset();
    entity.motion = std::move(motion);
    entity.remote = 1;
    entity.lastRemoteUpdate = simClock().gameClock;
}

std::int32_t simCreatePlayerEntity(std::uint32_t kind, const ObjectRecord& record, std::int32_t side,
                                   std::int32_t level, double x, double y, double depth, double speed,
                                   double course, std::int32_t playerId) {
    const std::optional<EntityType> type = typeOfKind(kind);
    if (!type)
        return 0;
    const std::int32_t id = *type == kEntitySubmarine ? playerId : -1;
    Entity* entity = simMakeEntity(*type, side, record.keyName.view(), level, id);
    if (!entity)
        return 0;
    simMakeEntityRemote(*entity);
    if (x == kAtStart && y == kAtStart) {
        if (const std::optional<PickedStart> start = scenPickOwnShipStart(playerId)) {
            x = start->x;
            y = start->y;
            depth = start->depth;
            speed = start->speed;
            course = start->course;
        }
    }
    MotionModel& motion = *entity->motion;
    motion.x = x;
    motion.y = y;
    motion.z = depth;
    motion.speed = speed;
    motion.heading = course;
    for (auto* node = entity->sensors.head(); node; node = node->next)
        node->item->transmitInterval = -1; // no periodic scan of its own
    worldAddEntity(entity);
    return entity->id;
}

std::int32_t simCreateEntityByName(std::string_view typeName, std::int32_t side, std::int32_t level, double x,
                                   double y, double depth, double speed, double course,
                                   std::int32_t playerId) {
    const ObjectRecord* record = objdbFindByName(typeName);
    return record ? simCreatePlayerEntity(record->kind, *record, side, level, x, y, depth, speed, course,
                                          playerId)
                  : 0;
}

std::int32_t simCreateEntityByClassId(std::uint32_t recordId, std::int32_t side, std::int32_t level, double x,
                                      double y, double depth, double speed, double course,
                                      std::int32_t playerId) {
    const ObjectRecord* record = objdbFindById(recordId);
    return record ? simCreatePlayerEntity(record->kind, *record, side, level, x, y, depth, speed, course,
                                          playerId)
                  : 0;
}

} // namespace q71
