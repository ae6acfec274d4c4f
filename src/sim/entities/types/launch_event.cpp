#include "sim/entities/types/launch_event.h"

#include "sim/entities/entity_events.h"
#include "sim/scoring/replay_log.h"

namespace q71 {

void writeLaunchEvent(std::int32_t launcherId, std::uint32_t recordId) {
    replayLogWrite(missionEventAt({}, kEventWeaponLaunch, launcherId, 0, static_cast<std::int32_t>(recordId)),
                   0);
}

} // namespace q71
