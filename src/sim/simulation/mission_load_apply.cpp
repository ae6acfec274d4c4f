// Handing a saved mission that was read whole to the simulation. Nothing here can fail: every
// value was checked as it was read.
#include "sim/simulation/mission_load_sections.h"

#include "sim/radio/comms_queue.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/mission_flow.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_save_replay.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "sim/world/terrain_world.h"

namespace q71 {

namespace {

void applyEnvironment(const SavedEnvironment& e) {
    MissionState& mission = missionState();
    mission.mapOriginLatitude = e.originLatitude;
    mission.mapOriginLongitude = e.originLongitude;
    mission.soundProfileKind = e.soundProfileKind;
    soundProfile().layerDepthBase = e.layerDepthBase;

    SimClock& clock = simClock();
    clock.seaState = e.seaState;
    simTactical().updateSeaTexture();
    clock.timeOfDayBase = e.timeOfDayBase;
    simSetGameTime(e.gameClock);
    simClearPauses();
    clock.lastStepTime = e.lastStepTime;
    clock.lastSecondPassTime = e.lastSecondPassTime;
    clock.timeOfDay = e.timeOfDay;
    clock.dayPhase = simDayPhaseAt(e.timeOfDay, e.originLatitude);

    if (const std::optional<std::string> campaignFile = savedCampaignToLoad(e.campaignIndex))
        campaignLoad(*campaignFile);
}

} // namespace

void missionApply(SavedMission& saved) {
    // The new mission's signature tables, and every entity's cursors over them.
    simSeedAroundSignatureTables();
    for (auto* node = worldList().head(); node; node = node->next)
        node->item->initSignature();
    for (const std::unique_ptr<Entity>& entity : saved.pending)
        entity->initSignature();

    missionTexts() = std::move(saved.texts);
    applyEnvironment(saved.environment);
    // Ids are counted up before use: the next new entity takes one above every id read.
    entitySetIdCounter(saved.entityIds.empty() ? 0 : *saved.entityIds.rbegin());

    // The terrain first, so that the sound profile is built over the bottom the boat lies on, as
    // at a mission's start, and over the same extent.
    const MissionState& mission = missionState();
    worldLoadRegion(mission.mapOriginLatitude, mission.mapOriginLongitude, kMissionRegionKm, kMissionRegionKm,
                    kMissionGridSamples, kMissionGridSamples, false);
    simBuildSoundProfile(mission.soundProfileKind, worldBottomUnderOwnShip());

    const SavedScoring& scoring = saved.scoring;
    scoringResumeMission(scoring.missionMode, scoring.missionIndex, scoring.score, scoring.campaignLeg);
    replayLoadFrom(saved.replay);
    goalTree() = std::move(saved.goals);
    scoringState().thresholds = saved.thresholds;

    simWeapons().restoreStationStates(saved.stationStates);
    simTactical().restoreRadioRoomLines(std::move(saved.radioLines));
    commsQueueSetShipName(saved.boatName ? *saved.boatName : kDefaultBoatName);
    commsQueueInit();
    for (const std::string& message : saved.messages)
        commsQueueAdd(message, 1);

    for (std::unique_ptr<Entity>& entity : saved.pending)
        worldPendingList().appendItem(entity.release());
    saved.pending.clear();
    missionState().loadedFromSave = true;
}

} // namespace q71
