// A network peer's entities: made from the record's kind word, moved by the peer alone.
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/aircraft_entity.h"
#include "sim/entities/types/entity_factory.h"
#include "sim/entities/types/missile_entity.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/surface_ship_entity.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

namespace q71 {

namespace {

// The record kinds of a peer's entities.
constexpr std::uint32_t kObjectKindObject = 4;
constexpr std::uint32_t kObjectKindWeapon = 5;

// The peer's entity of a record kind, by type name.
std::unique_ptr<Entity> peerEntity(std::uint32_t recordKind, std::string_view typeName, std::int32_t side,
                                   std::int32_t level, std::int32_t playerId) {
    switch (recordKind) {
    case kObjectKindSubmarine:
        return std::make_unique<SubmarineEntity>(side, typeName, level, playerId);
    case kObjectKindSurfaceShip:
        return std::make_unique<SurfaceShipEntity>(side, typeName, level);
    case kObjectKindAircraft:
        return std::make_unique<AircraftEntity>(side, typeName, level);
    case kObjectKindObject:
    case kObjectKindWeapon:
        return std::make_unique<MissileEntity>(side, typeName, level);
    default:
        return nullptr;
    }
}

// The same by record id, through the classes' loading constructors.
std::unique_ptr<Entity> peerEntity(std::uint32_t recordKind, std::uint32_t recordId, std::int32_t side,
                                   std::int32_t level, std::int32_t playerId) {
    EntityBaseValues values{side, recordId, level, 0, -1, 0};
    switch (recordKind) {
    case kObjectKindSubmarine:
        values.kind = kKindSubsurface;
        values.id = playerId;
        return std::make_unique<SubmarineEntity>(values);
    case kObjectKindSurfaceShip:
        values.kind = kKindSurface;
        return std::make_unique<SurfaceShipEntity>(values);
    case kObjectKindAircraft:
        values.kind = kKindAir;
        return std::make_unique<AircraftEntity>(values);
    case kObjectKindObject:
    case kObjectKindWeapon:
        values.kind = kKindMissile;
        return std::make_unique<MissileEntity>(values);
    default:
        return nullptr;
    }
}

// The peer moves it: no behaviour, no sensor sweeps of its own, a motion that only runs on.
std::int32_t enterForPeer(std::unique_ptr<Entity> entity, PeerPlacement place, std::int32_t playerId,
                          StartPicker pickStart) {
    if (!entity)
        return 0;
    entity->controller.reset();
    entity->motion = std::make_unique<RemoteMotionModel>(*entity);
    entity->remote = 1;
    entity->lastRemoteUpdate = simClock().gameClock;
    if (place.x == -1.0 && place.y == -1.0 && pickStart)
        pickStart(place, playerId);
    MotionModel& m = *entity->motion;
    m.x = place.x;
    m.y = place.y;
    m.z = place.depth;
    m.speed = place.speed;
    m.heading = place.course;
    for (auto* node = entity->sensors.head(); node; node = node->next)
        node->item->transmitInterval = -1;
    const std::int32_t id = entity->id;
    worldAddEntity(entity.release());
    return id;
}

} // namespace

std::int32_t entityCreateForPeer(std::string_view typeName, std::int32_t side, std::int32_t level,
                                 PeerPlacement placement, std::int32_t playerId, StartPicker pickStart) {
    const ObjectRecord* record = objdbFindByName(typeName);
    if (!record)
        return 0;
    return enterForPeer(peerEntity(record->kind, typeName, side, level, playerId), placement, playerId,
                        pickStart);
}

std::int32_t entityCreateForPeer(std::uint32_t recordId, std::int32_t side, std::int32_t level,
                                 PeerPlacement placement, std::int32_t playerId, StartPicker pickStart) {
    const ObjectRecord* record = objdbFindById(recordId);
    if (!record)
        return 0;
    return enterForPeer(peerEntity(record->kind, recordId, side, level, playerId), placement, playerId,
                        pickStart);
}

} // namespace q71
