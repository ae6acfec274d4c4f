#include "sim/scoring/goal_actions.h"

#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/scoring/goal_match.h"
#include "sim/scoring/replay_log.h"
#include "sim/services/sim_services.h"
#include "sim/world/terrain_world.h"

#include <cmath>

namespace q71 {
namespace {

constexpr int kLandingRings = 100;
constexpr double kLandingRingSpacing = 2000.0;
constexpr int kLandingFirstPoints = 8;
// Team reports are spoken at every report level.
constexpr int kTeamReportPriority = -1;

// The report of a unit coming back aboard, by its record.
struct RecoveryReport {
    std::uint32_t recordId;
    const char* wave;
    int text;
};
constexpr RecoveryReport kRecoveryReports[] = {
    {kRecordRescueSubmarine, "XoDSBack.wav", kTextRescueBack},
    {kRecordDownedPilot, "XoPilot.wav", kTextPilotAboard},
    {kRecordShoreTeam, "XoSlBack.wav", kTextTeamBack},
};

const RecoveryReport* recoveryReportFor(std::uint32_t recordId) {
    for (const RecoveryReport& report : kRecoveryReports)
        if (report.recordId == recordId)
            return &report;
    return nullptr;
}

void report(const char* wave, int text) {
    const std::string file = wave;
    simAudio().crewQueueSpeech(CrewChannel::scoring, {&file, 1}, kTeamReportPriority);
    msgLogAdd(textGetString(text));
}

// Writes a copy of the event to the open replay log as another kind, about the own boat and a unit.
void logAs(const MissionEvent& event, std::int32_t kind, std::int32_t ownId, std::int32_t unitId) {
    MissionEvent copy = event;
    copy.kind = kind;
    copy.subject = ownId;
    copy.object = unitId;
    replayLogWrite(copy, 0);
}

// Cosine of a bearing from the whole-degree table, the bearing taken to the nearest degree.
double tableCos(double degrees) {
    const long index = std::lround(degrees) % 360;
    return cosTable[index < 0 ? index + 360 : index];
}

int putOutUnit(const MissionEvent& event, MissionWorld& world, SupportUnit unit, int level, bool steerToLand,
               const char* wave, int text) {
    const std::optional<std::int32_t> ownId = world.ownBoatId();
    if (!ownBoatStopped(world))
        return 0;
    std::optional<double> course;
    if (steerToLand)
        if (const std::optional<EntityFacts> own = world.findEntity(*ownId))
            course = landingSearchBearing(own->position.x, own->position.y, terrainHeightAt);
    const std::optional<std::int32_t> unitId = world.createSupportUnit(unit, level, course);
    if (!unitId)
        return 0;
    report(wave, text);
    logAs(event, kEventTeamLaunched, *ownId, *unitId);
    return 1;
}

int takeBackUnit(const MissionEvent& event, MissionWorld& world, std::uint32_t recordId) {
    if (!ownBoatStopped(world))
        return 0;
    for (const EntityFacts& unit : world.entities()) {
        if (unit.recordId != recordId)
            continue;
        // The first unit with that record is the one waiting; too far from the event, none is taken.
        if (geoRange(unit.position.x - event.x, unit.position.y - event.y) >= kRecoveryReach)
            return 0;
        const RecoveryReport& back = *recoveryReportFor(recordId);
        report(back.wave, back.text);
        logAs(event, kEventRecovered, *world.ownBoatId(), unit.id);
        world.markForRemoval(unit.id);
        return 1;
    }
    return 0;
}

} // namespace

bool goalRecoveryTest(const GoalNode& node, const MissionEvent& event, MissionWorld& world) {
    if (event.kind != kEventOwnBoatMoved || node.kind != kGoalRecover || world.ownBoatId() != event.subject ||
        !goalAreaPasses(node, event, world) || !goalDepthPasses(node.depthCondition, event.z) ||
        !ownBoatStopped(world))
        return false;
    replayLogWrite(event, 0);
    if (const std::optional<EntityFacts> target = world.findEntity(node.targetId);
        node.targetId != 0 && target) {
        if (const RecoveryReport* back = recoveryReportFor(target->recordId))
            report(back->wave, back->text);
        if (node.targetId > 1)
            world.markForRemoval(node.targetId);
    }
    return true;
}

int goalRunAction(const GoalNode& node, const MissionEvent& event, MissionWorld& world) {
    switch (node.action) {
    case kActionLandTeam:
        return putOutUnit(event, world, SupportUnit::ShoreTeam, 1, true, "XoSlAway.wav", kTextTeamAway);
    case kActionRecoverTeam:
        return takeBackUnit(event, world, kRecordShoreTeam);
    case kActionRecoverPilot:
        return takeBackUnit(event, world, kRecordDownedPilot);
    case kActionLaunchRescue:
        return putOutUnit(event, world, SupportUnit::RescueSubmarine, 1, false, "XoDSAway.wav",
                          kTextRescueAway);
    case kActionRecoverRescue:
        return takeBackUnit(event, world, kRecordRescueSubmarine);
    case kActionLandTeamHere:
        return putOutUnit(event, world, SupportUnit::ShoreTeam, 2, false, "XoSlAway.wav", kTextTeamAway);
    default:
        return 1;
    }
}

std::optional<double> terrainHeightAt(double x, double y) {
    double height = 0.0;
    return worldDepthAt(x, y, &height, false) ? std::optional(height) : std::nullopt;
}

double landingSearchBearing(double x0, double y0, const TerrainHeightAt& heightAt) {
    initCosTable();
    double bestHeight = -1.0;
    double bestBearing = 0.0;
    int points = kLandingFirstPoints;
    for (int ring = 1; ring <= kLandingRings; ++ring) {
        const double reach = kLandingRingSpacing * ring;
        bool land = false;
        for (int i = 0; i < points; ++i) {
            const double bearing = i * 360.0 / points;
            // The point at that bearing: x takes its sine (the cosine of bearing + 270), y its cosine.
            const double x = x0 + tableCos(bearing + 270.0) * reach;
            const double y = y0 + tableCos(bearing) * reach;
            const std::optional<double> height = heightAt(x, y);
            if (!height || *height <= 0.0)
                continue;
            land = true;
            if (*height > bestHeight) {
                bestHeight = *height;
                bestBearing = bearing;
            }
        }
        if (land)
            break;
        ++points;
    }
    return bestBearing;
}

} // namespace q71
