#include "sim/entities/entity_events.h"

#include "sim/entities/entity.h"
#include "sim/scoring/replay_log.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/sim_clock.h"

namespace q71 {

MissionEvent missionEventAt(const WorldPoint& place, std::int32_t kind, std::int32_t subject, std::int32_t object,
                            std::int32_t extra) {
    MissionEvent event;
    event.x = place.x;
    event.y = place.y;
    event.z = place.z;
    event.time = simClock().gameClock;
    event.kind = kind;
    event.subject = subject;
    event.object = object;
    event.extra = extra;
    return event;
}

void logOwnBoatDamage(std::int32_t ownId, double damage, std::int32_t cause) {
    // The damage record carries the score lost in place of a position, and keeps the boat's depth
    // so that the deck log can tell where the hull suffered.
    const Entity* boat = worldFindEntity(ownId);
    const double depth = boat ? worldPoint(*boat).z : 0.0;
    replayLogWrite(missionEventAt({-100.0 * damage, 0.0, depth}, kEventOwnBoatDamage, ownId, 0, cause), 0);
}

} // namespace q71
