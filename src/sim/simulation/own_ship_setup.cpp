#include "sim/simulation/own_ship_setup.h"

#include "framework/math/fast_math.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

namespace q71 {
namespace {

// The own submarine's crew level, and the depth it waits at until the scenario places it.
constexpr std::int32_t kOwnShipLevel = 4;
constexpr double kWaitingDepth = -33.4;
constexpr std::uint32_t kFixedSeed = 1000;

void buildOwnShip(std::int32_t playerId) {
    const NetworkGame* game = simNetworkGame();
    Entity* own = game ? simMakeOwnShip(playerId, kOwnShipLevel, game->ownPlayerId())
                       : simMakeOwnShip(1, kOwnShipLevel, -1);
    if (!own)
        return;
    worldSetOwnShip(own);
    if (MotionModel* motion = own->motion.get()) {
        motion->x = motion->y = 0.0;
        motion->speed = motion->heading = 0.0;
        motion->z = motion->orderedDepth = kWaitingDepth;
    }
    worldAddEntity(own);
}

} // namespace

void simSeedMission() {
    // Every peer of a network game draws the same sequence, from the host's seed.
    if (const NetworkGame* game = simNetworkGame(); game && game->missionSeed())
        randomSeed(*game->missionSeed());
    else if (missionState().fixedSeedMode())
        randomSeed(kFixedSeed);
    else
        randomSeedFromTime();
}

void simSeedAroundSignatureTables() {
    // The signature tables draw from the sequence; the mission then starts it again.
    simSeedMission();
    worldBuildSignatureTables();
    simSeedMission();
}

void simBuildOwnShipAndLaunchers(std::int32_t playerId) {
    buildOwnShip(playerId);
    launcherTablesBuild();
}

void simSetupOwnShip(std::int32_t playerId) {
    simStopRunning();
    // The new mission's clock starts before anything of it is made: the own boat and the units
    // time their cycles from it, not from the end of the mission before.
    simSetGameTime(0.0);
    initCosTable();
    simSeedAroundSignatureTables();
    simBuildOwnShipAndLaunchers(playerId);
}

} // namespace q71
