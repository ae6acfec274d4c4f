#include "sim/simulation/world_alert.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/sim_clock.h"

#include <array>

namespace q71 {

namespace {

// The three classes of platform alerted, in the order they hear of it; -1 for any other entity.
int alertClass(const Entity& entity) {
    if (entity.kind == kKindSurface && entity.level > 1)
        return 0;
    if (entity.kind == kKindAir && entity.category != kCategoryMissile)
        return 1;
    if (entity.kind == kKindSubsurface && !entity.isOwnShip())
        return 2;
    return -1;
}

} // namespace

void worldAlertNearestHostiles(std::int32_t sourceId, double rangeMetres) {
    Entity* source = worldFindEntity(sourceId);
    if (!source)
        return;
    std::array<Entity*, 3> nearest{};
    std::array<double, 3> nearestRange;
    nearestRange.fill(rangeMetres * kMetresToYards);
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& entity = *node->item;
        if (&entity == source || !worldSidesHostile(source->side, entity.side) || entity.sensors.empty())
            continue;
        const int alerted = alertClass(entity);
        if (alerted < 0)
            continue;
        const auto slot = static_cast<std::size_t>(alerted);
        if (const double range = entityRangeYards(entity, *source); range < nearestRange[slot]) {
            nearestRange[slot] = range;
            nearest[slot] = &entity;
        }
    }
    const WorldPoint at = worldPoint(*source);
    ContactFix report;
    report.time = simClock().gameClock;
    report.quality = 100;
    report.sensorType = kSensorVisual;
    report.x = at.x;
    report.y = at.y;
    report.z = at.z;
    if (source->motion) {
        report.course = source->motion->heading;
        report.speed = source->motion->speed;
    }
    report.count = 1;
    for (Entity* alerted : nearest) {
        if (!alerted)
            continue;
        const WorldPoint from = worldPoint(*alerted);
        report.bearing = entityBearing(*alerted, *source);
        report.sensorX = from.x;
        report.sensorY = from.y;
        alerted->processContactRecord(*source, report);
    }
}

} // namespace q71
