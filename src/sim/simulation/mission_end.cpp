#include "sim/simulation/mission_end.h"

#include "sim/entities/entity.h"
#include "sim/radio/comms_queue.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

namespace q71 {

void simEndMission() {
    simStopRunning();
    missionState().deathScreenQueued = false; // a death screen is for the mission it ended
    missionState().hostBuilt = false;         // the next mission's stations start it afresh
    // No effect may outlive the entity it shows.
    simTactical().clearEffectList();
    if (Entity* own = worldOwnShip()) {
        worldList().remove(own);
        worldPendingList().remove(own);
        worldSetOwnShip(nullptr);
        delete own;
    }
    worldClose();
    worldFreeSignatureTables();
    ownShipStarts().clear();
    missionTexts() = MissionTexts{};
    worldList().deleteAll();
    worldPendingList().deleteAll();
    entitySetIdCounter(0);
    commsQueueClear();
    launcherTablesFree();
}

} // namespace q71
