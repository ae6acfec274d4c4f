#include "sim/scoring/replay_log.h"

#include "sim/radio/comms_queue.h"
#include "sim/scoring/mission_world.h"
#include "sim/scoring/player_files.h"
#include "sim/services/sim_services.h"
#include "sim/world/object_database.h"

#include <memory>

namespace q71 {
namespace {

std::unique_ptr<RecordFile>& openLog() {
    static std::unique_ptr<RecordFile> log;
    return log;
}

// The name of an entity as the debriefing shows it: a remote player's own name, the own
// boat's name from the scenario, or the display name of its record.
std::string displayName(const EntityFacts& entity) {
    if (const NetworkGame* game = simNetworkGame())
        if (std::optional<std::string> player = game->remotePlayerName(entity.id))
            return *player;
    if (scoringWorld().ownBoatId() == entity.id)
        return commsQueueShipName();
    const ObjectRecord* record = objdbFindById(entity.recordId);
    return record ? std::string(record->displayName.view()) : std::string();
}

bool writeRecord(RecordFile& file, const ReplayEvent& record) {
    std::array<std::uint8_t, kReplayEventSize> bytes{};
    replayEventEncode(record, bytes);
    return file.write(bytes.data(), bytes.size()) == 1;
}

} // namespace

std::string replayLogPath() {
    return playerFilePath("replay.log");
}

void replayLogOpen() {
    replayLogClose();
    const std::string path = replayLogPath();
    if (path.empty())
        return;
    auto log = std::make_unique<RecordFile>(path, true, false, true);
    if (log->isOpen())
        openLog() = std::move(log);
}

ReplayEvent replayBuildRecord(const MissionEvent& event) {
    const MissionWorld& world = scoringWorld();
    const std::optional<EntityFacts> subject = world.findEntity(event.subject);
    std::optional<EntityFacts> object;
    if (!(event.kind == kEventDestroyed && event.subject == event.object))
        object = world.findEntity(event.object);

    ReplayEvent record;
    record.x = event.x;
    record.y = event.y;
    record.z = event.z;
    record.time = event.time;
    record.kind = event.kind;
    record.subjectId = event.subject;
    record.extra = event.extra;
    if (subject) {
        record.subjectCategory = subject->category;
        record.subjectClass = subject->kind;
        replaySetName(record.subjectName, displayName(*subject));
    }
    if (object)
        replaySetName(record.objectName, displayName(*object));

    std::optional<EntityFacts> rangeTo = object;
    if (subject && !object && event.kind == kEventMineReport)
        if (const std::optional<std::int32_t> ownId = world.ownBoatId())
            rangeTo = world.findEntity(*ownId);
    if (subject && rangeTo) {
        record.range = entityRange3dYards(*subject, *rangeTo);
        record.bearing = entityBearing(*subject, *rangeTo);
    }
    return record;
}

void replayLogWrite(const MissionEvent& event, int openFlag) {
    if (RecordFile* log = replayLogFile()) {
        writeRecord(*log, replayBuildRecord(event));
    } else if (openFlag && !replayLogPath().empty()) {
        RecordFile finished(replayLogPath(), false, true, false);
        if (finished.isOpen()) {
            finished.seekEnd();
            writeRecord(finished, replayBuildRecord(event));
        }
    }
    const std::optional<std::int32_t> ownId = scoringWorld().ownBoatId();
    if (NetworkGame* game = simNetworkGame();
        game && event.kind == kEventOptionFlag && ownId == event.subject)
        game->sendEventWithValues(kNetEventOptionFlag, event.extra, 0, 0, *ownId);
}

void replayLogClose() {
    openLog().reset();
}

bool replayLogIsOpen() {
    return openLog() != nullptr;
}

RecordFile* replayLogFile() {
    return openLog().get();
}

std::vector<ReplayEvent> replayLogRead() {
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(replayLogPath(), bytes))
        return {};
    return replayLogDecode(bytes);
}

} // namespace q71
