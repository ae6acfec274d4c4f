#include "sim/scoring/scoring.h"

#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_actions.h"
#include "sim/scoring/goal_match.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/world/object_record.h"

namespace q71 {
namespace {

constexpr double kSurvivingHull = 0.1;
constexpr std::int32_t kSpentFloatState = 0;
constexpr std::int32_t kSpentMineState = 4;
constexpr std::uint32_t kNeverSurvivingRecords[] = {125, 108};

bool goalMet(const GoalNode& node, const MissionEvent& event, MissionWorld& world) {
    if (!goalKindTakesEvent(node, event, world) || !goalTimeWindowPasses(node, event))
        return false;
    bool met = goalKindTestPasses(node, event, world);
    // The recovery test runs whatever the goal's own test gave, and can meet the goal by itself.
    if (goalRecoveryTest(node, event, world))
        met = true;
    return met && goalRunAction(node, event, world) == 1;
}

void achieve(GoalNode& node) {
    node.achieved = 1;
    scoringAddPoints(node.points);
    if (node.message)
        commsQueueAdd(*node.message, 1);
}

// Entities that do not count as survivors: weapons, countermeasures, missiles, spent floats and
// mines, and two records of things that are never meant to survive.
bool countsAsSurvivor(const EntityFacts& entity) {
    if (entity.hull < kSurvivingHull)
        return false;
    switch (entity.category) {
    case kCategoryTorp:
    case kCategoryCm:
    case kCategoryMissile:
        return false;
    case kCategoryFloat:
        if (entity.stateWord == kSpentFloatState)
            return false;
        break;
    case kCategoryMine:
        if (entity.stateWord == kSpentMineState)
            return false;
        break;
    default:
        break;
    }
    for (std::uint32_t record : kNeverSurvivingRecords)
        if (entity.recordId == record)
            return false;
    return true;
}

} // namespace

int goalTreeEvaluate(const MissionEvent& event, GoalNode* first) {
    MissionWorld& world = scoringWorld();
    for (GoalNode* node = first; node; node = node->next) {
        if (node->achieved) {
            if (goalTreeEvaluate(event, node->firstChild))
                return 1;
        } else if (goalMet(*node, event, world)) {
            achieve(*node);
            return 1;
        }
    }
    return 0;
}

void scoringPostEvent(const MissionEvent& event, int logFlag) {
    MissionWorld& world = scoringWorld();
    if (!world.findEntity(event.subject))
        return;
    goalTreeEvaluate(event, goalTreeRoot());
    if (!logFlag)
        return;
    if (logFlag == 1 && event.kind == kEventMeeting) {
        // Two of one class meeting is routine: scored, never logged.
        const std::optional<EntityFacts> subject = world.findEntity(event.subject);
        const std::optional<EntityFacts> object = world.findEntity(event.object);
        if (subject && object && subject->kind == object->kind)
            return;
    }
    replayLogWrite(event, 0);
}

void scoringGradeMission() {
    const double now = simClock().gameClock;
    for (const EntityFacts& entity : scoringWorld().entities()) {
        if (!countsAsSurvivor(entity))
            continue;
        MissionEvent survived;
        survived.time = now;
        survived.kind = kEventSurvived;
        survived.subject = survived.object = entity.id;
        scoringPostEvent(survived, 1);
    }
    ScoringState& state = scoringState();
    state.won = allRequiredGoalsAchieved() == 1;
    state.grade = missionGrade();
}

} // namespace q71
