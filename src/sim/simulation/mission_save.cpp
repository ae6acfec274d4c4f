#include "sim/simulation/mission_save.h"

#include "sim/entities/entity.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_files.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_save_format.h"
#include "sim/simulation/mission_save_replay.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"

#include <optional>

namespace q71 {

namespace {

constexpr int kTextSaveCaption = 637;
constexpr int kTextCannotWrite = 663;
constexpr int kTextContactIdTooLarge = 665;

SavedEnvironment currentEnvironment() {
    const MissionState& mission = missionState();
    const SimClock& clock = simClock();
    SavedEnvironment e;
    e.originLatitude = mission.mapOriginLatitude;
    e.originLongitude = mission.mapOriginLongitude;
    e.soundProfileKind = mission.soundProfileKind;
    e.layerDepthBase = soundProfile().layerDepthBase;
    e.seaState = clock.seaState;
    e.lastStepTime = clock.lastStepTime;
    e.lastSecondPassTime = clock.lastSecondPassTime;
    e.timeOfDayBase = clock.timeOfDayBase;
    e.gameClock = clock.gameClock;
    e.timeOfDay = clock.timeOfDay;
    e.campaignIndex = static_cast<std::uint32_t>(campaign().header.missionSet);
    return e;
}

// Only the eighteen entity classes can be read back; anything else would leave the file unreadable.
bool savable(const Entity& entity) {
    return entity.typeCode >= kEntityGeneric && entity.typeCode <= kSavedTypeCodeLast;
}

SavedEntityHeader headerOf(const Entity& entity) {
    SavedEntityHeader h;
    h.side = entity.side;
    h.recordId = entity.recordId;
    h.typeCode = entity.typeCode;
    h.level = entity.level;
    h.kind = entity.kind;
    h.id = entity.id;
    h.parentId = entity.parentId;
    if (const auto* explosion = dynamic_cast<const ExplosionEntity*>(&entity))
        h.explosionKind = explosion->explosionKind;
    return h;
}

// A count and every savable entity of a list, each as its header and its own state.
bool writeEntities(ByteSink& sink, const LinkedList<Entity>& entities) {
    FieldWriter w;
    std::uint32_t count = 0;
    for (auto* node = entities.head(); node; node = node->next)
        count += savable(*node->item) ? 1 : 0;
    w.u32(count);
    for (auto* node = entities.head(); node; node = node->next) {
        const Entity& entity = *node->item;
        if (!savable(entity))
            continue;
        SavedEntityHeader header = headerOf(entity);
        savedEntityHeaderFields(header, FieldWriteCodec{w});
        if (header.typeCode == kEntityExplosion)
            w.i32(header.explosionKind);
        if (!w.flush(sink) || !entity.save(sink))
            return false;
    }
    return w.flush(sink);
}

// The message queue, taken off and put back in its order and unchanged, so that writing it
// leaves the queue as it was whatever happens to the file.
std::vector<std::string> queuedMessages() {
    std::vector<std::string> messages;
    while (std::optional<std::string> message = commsQueuePop())
        messages.push_back(std::move(*message));
    for (const std::string& message : messages)
        commsQueueAdd(message, 0);
    return messages;
}

bool writeTexts(ByteSink& sink) {
    for (const std::optional<std::string>* text : savedTextBlocks(missionTexts()))
        if (!scenWriteBlock(sink, *text))
            return false;
    return true;
}

bool writeScoringReplayAndGoals(ByteSink& sink) {
    FieldWriter w;
    SavedScoring scoring{missionState().missionMode, missionState().missionIndex, scoringState().score,
                         campaignPlay().leg};
    savedScoringFields(scoring, FieldWriteCodec{w});
    if (!w.flush(sink) || !replaySaveInto(sink) || !goalTree().write(sink))
        return false;
    w.bytes(gradeThresholdsEncode(scoringState().thresholds));
    return w.flush(sink);
}

bool writeLaunchers(ByteSink& sink, const LauncherTables& launchers) {
    for (const WeaponLauncher* cell : launchers.cells)
        if (!cell->save(sink))
            return false;
    for (const WeaponLauncher* tube : launchers.tubes)
        if (!tube->save(sink))
            return false;
    return true;
}

bool writeStationsAndRadio(ByteSink& sink) {
    FieldWriter w;
    for (std::uint32_t state : simWeapons().stationStates())
        w.u32(state);
    savedTextsWrite(w, simTactical().radioRoomLines());
    savedTextsWrite(w, queuedMessages());
    return w.flush(sink);
}

// The own boat's model keeps the navigation chart's waypoints, so that they travel with it.
void storePlottedWaypoints() {
    Entity* own = worldOwnShip();
    if (own && own->motion)
        own->motion->storePlottedWaypoints(simWeapons().plottedWaypoints());
}

} // namespace

bool missionWrite(ByteSink& sink) {
    const std::optional<LauncherTables> launchers = launcherTables();
    if (!launchers)
        return false;
    FieldWriter w;
    SavedEnvironment environment = currentEnvironment();
    savedEnvironmentFields(environment, FieldWriteCodec{w});
    return writeTexts(sink) && w.flush(sink) && writeEntities(sink, worldList()) &&
           writeScoringReplayAndGoals(sink) && writeLaunchers(sink, *launchers) &&
           writeStationsAndRadio(sink) && writeEntities(sink, worldPendingList()) &&
           scenWriteBlock(sink, commsQueueShipName());
}

bool simSaveMission(const std::string& path) {
    if (const Entity* own = worldOwnShip(); own && !own->contactIdsSavable()) {
        savedMissionAlert(kTextSaveCaption, kTextContactIdTooLarge, path);
        return false;
    }
    storePlottedWaypoints();
    MemorySink sink;
    if (missionWrite(sink) && fileReplaceContents(path, sink.bytes()))
        return true;
    savedMissionAlert(kTextSaveCaption, kTextCannotWrite, path);
    return false;
}

} // namespace q71
