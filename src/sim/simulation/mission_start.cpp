#include "sim/simulation/mission_start.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/radio/comms_queue.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "sim/world/terrain_world.h"

#include <cmath>

namespace q71 {
namespace {

constexpr std::int32_t kControlStart = 1;

// The own boat at its start: placed, heading and moving as the start says, its orders the same.
void placeOwnShip(Entity& own, const PickedStart& start) {
    commsQueueSetShipName(start.boatName.empty() ? kDefaultBoatName : start.boatName);
    MotionModel* motion = own.motion.get();
    if (!motion)
        return;
    motion->x = start.x;
    motion->y = start.y;
    motion->z = motion->orderedDepth = start.depth;
    motion->heading = motion->orderedCourse = start.course;
    motion->speed = motion->driveSpeed = motion->headway = motion->orderedSpeed = start.speed;
    const double radians = start.course * kDegreesToRadians;
    motion->velocityX = start.speed * std::sin(radians);
    motion->velocityY = start.speed * std::cos(radians);
    if (auto* boat = dynamic_cast<OwnShipEntity*>(&own))
        boat->ownMotion->placed();
}

} // namespace

ScenarioStatus simStartMission(const std::string& name, std::int32_t mode) {
    // A new mission was chosen: it is not the loaded one, starts its own clock, and its stations
    // start it afresh.
    missionState().loadedFromSave = false;
    missionState().hostBuilt = false;
    // Without the set-up's own boat no mission can start: nothing is read, scored or booked for it.
    Entity* own = worldOwnShip();
    if (!own) {
        simEndMission();
        return {ScenarioError::CannotMake, kDefaultBoatName};
    }
    simSeedMission();
    if (missionState().fixedSeedMode())
        randomScaled(10.0); // the first single mission's first draw is thrown away
    simClearPauses();
    const ScenarioStatus status = ReadScen(name, mode);
    if (!status.ok()) {
        simEndMission();
        return status;
    }

    // A single player takes a start at random; a network player his own, once the game runs.
    NetworkGame* game = simNetworkGame();
    commsQueueSetShipName(kDefaultBoatName);
    if (!game || game->gameActive()) {
        if (const std::optional<PickedStart> start = scenPickOwnShipStart(game ? game->ownPlayerId() : -1))
            placeOwnShip(*own, *start);
    }
    if (game && game->gameActive())
        game->sendControl(kControlStart, 1);

    const MissionState& mission = missionState();
    worldLoadRegion(mission.mapOriginLatitude, mission.mapOriginLongitude, kMissionRegionKm, kMissionRegionKm,
                    kMissionGridSamples, kMissionGridSamples, false);
    soundProfile().layerDepthBase = -1.0; // drawn anew
    simBuildSoundProfile(mission.soundProfileKind, worldBottomUnderOwnShip());
    commsQueueInit();
    return status;
}

} // namespace q71
