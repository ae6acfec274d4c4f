#include "sim/entities/types/entity_factory.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/aircraft_entity.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/entities/types/depth_charge_entity.h"
#include "sim/entities/types/mine_entities.h"
#include "sim/entities/types/missile_entity.h"
#include "sim/entities/types/mobile_mine_entity.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/support_units.h"
#include "sim/entities/types/surface_ship_entity.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {

// A new entity of a saved mission's type code (not the own boat's).
std::unique_ptr<Entity> loadedEntity(const EntityLoadEntry& entry) {
    const EntityBaseValues& v = entry.values;
    switch (entry.typeCode) {
    case kEntityGeneric:
        return std::make_unique<Entity>(v.side, v.recordId, v.level, v.kind, v.id);
    case kEntityExplosion:
        return std::make_unique<ExplosionEntity>(v.side, v.recordId, v.level, v.kind, v.id, v.parentId,
                                                 entry.explosionKind);
    case kEntitySurfaceShip2:
        return std::make_unique<SurfaceShip2Entity>(v);
    case kEntityAircraft:
        return std::make_unique<AircraftEntity>(v);
    case kEntityCountermeasure:
        return std::make_unique<CountermeasureEntity>(v);
    case kEntityCountermeasure2:
        return std::make_unique<Countermeasure2Entity>(v);
    case kEntityMine:
        return std::make_unique<MineEntity>(v);
    case kEntityMissile:
        return std::make_unique<MissileEntity>(v);
    case kEntitySubmarine:
        return std::make_unique<SubmarineEntity>(v);
    case kEntitySurfaceShip:
        return std::make_unique<SurfaceShipEntity>(v);
    case kEntityTorpedo:
        return std::make_unique<TorpedoEntity>(v);
    case kEntityTorpedo2:
        return std::make_unique<Torpedo2Entity>(v);
    case kEntityMissileCapsule:
        return std::make_unique<MissileCapsuleEntity>(v);
    case kEntityMine2:
        return std::make_unique<Mine2Entity>(v);
    case kEntityMobileMine:
        return std::make_unique<MobileMineEntity>(v);
    case kEntityDepthCharge:
        return std::make_unique<DepthChargeEntity>(v);
    case kEntitySubmarine2:
        return std::make_unique<Submarine2Entity>(v);
    default:
        return nullptr;
    }
}

} // namespace

std::unique_ptr<Entity> entityCreatePlaced(std::int32_t typeCode, std::int32_t side,
                                           std::string_view typeName, std::int32_t level, std::int32_t id) {
    switch (typeCode) {
    case kEntitySubmarine:
        return std::make_unique<SubmarineEntity>(side, typeName, level, id);
    case kEntitySurfaceShip:
        return std::make_unique<SurfaceShipEntity>(side, typeName, level);
    case kEntityAircraft:
        return std::make_unique<AircraftEntity>(side, typeName, level);
    case kEntityMine:
        return std::make_unique<MineEntity>(side, typeName, level);
    case kEntityMine2:
        return std::make_unique<Mine2Entity>(side, typeName, level);
    case kEntityMissile:
        return std::make_unique<MissileEntity>(side, typeName, level);
    default:
        return nullptr;
    }
}

LoadedEntity entityCreateForLoad(const EntityLoadEntry& entry) {
    LoadedEntity loaded;
    if (entry.typeCode == kEntityOwnShip) {
        loaded.entity = worldOwnShip();
        return loaded;
    }
    loaded.made = loadedEntity(entry);
    loaded.entity = loaded.made.get();
    return loaded;
}

} // namespace q71
