#include "sim/entities/types/depth_charge_entity.h"

#include "sim/entities/entity_events.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {

namespace {

constexpr double kSinkRate = -2.54;    // m/s
constexpr double kLethalRange = 250.0; // yards
constexpr double kFullDamage = 8.0;    // at the charge
constexpr double kSelfDamage = 2.0;

// The depth a charge is set to, drawn from the water under the dropper: 10 ft, and 50 ft more
// for each step of the draw, the deeper the water the more steps.
double explosionHeight(const Entity* dropper) {
    double steps = 20.0; // deep water where the terrain knows nothing
    if (double depth = 0.0;
        dropper && worldDepthAt(worldPoint(*dropper).x, worldPoint(*dropper).y, &depth, false))
        steps = std::fabs(std::max(depth, -1000.0)) * 0.02;
    const double n = std::trunc(randomScaled(steps));
    return (-10.0 - 50.0 * n) * kFeetToMetres;
}

} // namespace

DepthChargeEntity::DepthChargeEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level,
                                     std::int32_t dropperId)
    : Entity(side, recordId, level, kKindSubsurface, -1) {
    setUp(dropperId);
    worldAddEntity(this);
}

DepthChargeEntity::DepthChargeEntity(const EntityBaseValues& v)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    setUp(v.parentId);
}

void DepthChargeEntity::setUp(std::int32_t dropperId) {
    typeCode = kEntityDepthCharge;
    parentId = dropperId;
    motion = std::make_unique<MotionModel>(*this);
    MotionModel& m = *motion;
    const Entity* dropper = worldFindEntity(dropperId);
    if (dropper && dropper->motion) {
        const MotionModel& from = *dropper->motion;
        m.x = from.x;
        m.y = from.y;
        m.z = from.z;
        m.speed = from.speed;
        m.heading = m.orderedCourse = from.heading;
    }
    m.orderedSpeed = 0.0;
    m.orderedDepth = explosionHeight(dropper);
    m.verticalSpeed = kSinkRate;
    m.sinking = 1; // it only falls: no drive, no helm
}

void DepthChargeEntity::updatePerSecond(double /*elapsed*/) {
    if (motion->z < motion->orderedDepth)
        detonate();
}

void DepthChargeEntity::detonate() {
    // The hulls within reach as the charge goes off, not the explosions the blast itself leaves.
    std::vector<Entity*> inReach;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& hit = *node->item;
        if (&hit == this || hit.id == parentId || (hit.category == kCategoryFloat && hit.kind == kKindAir))
            continue;
        if (std::trunc(entityRange3dYards(*this, hit)) < kLethalRange)
            inReach.push_back(&hit);
    }
    for (Entity* hit : inReach) {
        const double range = std::trunc(entityRange3dYards(*this, *hit));
        const double damage = std::trunc(kFullDamage * (kLethalRange - range) / kLethalRange);
        hit->applyDamage(damage, this, false, true, true);
        if (hit->isOwnShip()) {
            logOwnBoatDamage(hit->id, damage, kLossDepthCharge);
            if (hit->hull < 0.1)
                missionState().ownBoatLossCause = kLossDepthCharge;
        }
    }
    applyDamage(kSelfDamage, nullptr, true, true, true);
    markForRemoval();
}

} // namespace q71
