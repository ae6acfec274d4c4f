#include "frontend/debrief/debrief_result.h"

#include "framework/textmngr/text_manager.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_node.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/scenario_reader.h"

namespace q71 {
namespace {

constexpr int kWonText = 2450;
constexpr int kLostText = 2451;
constexpr int kGradeText = 2351;
constexpr int kScoreText = 2352;
constexpr int kCareerText = 2353;
constexpr int kGoalsText = 2452;
constexpr int kNoGoalText = 2453;
constexpr int kPenaltiesText = 2464;
constexpr int kPenaltyPointsText = 2465;
// Goal messages name the boat by its placeholder.
constexpr int kWithShipName = 1;
constexpr int kGoalOfTheMission = 2470;

// What a goal without a message of its own is called in the list: by its kind.
int goalKindText(std::int32_t kind) {
    switch (kind) {
    case kGoalDestroy:
        return 2471;
    case kGoalReachArea:
        return 2472;
    case kGoalRecover:
        return 2473;
    case kGoalStopInArea:
        return 2474;
    case kGoalMeetTarget:
        return 2475;
    case kGoalTargetMeets:
        return 2476;
    case kGoalInArea:
        return 2477;
    case kGoalSurvive:
        return 2478;
    case kGoalDamage:
        return 2479;
    default:
        return kGoalOfTheMission;
    }
}

std::string format(int id, std::int32_t value) {
    char line[256];
    textFormat(line, id, value);
    return line;
}

// A goal as the list names it: by its message, the boat's name put in, or else by its kind.
std::string goalName(const GoalNode& goal) {
    return goal.message ? commsQueueExpandText(*goal.message, kWithShipName).value_or(*goal.message)
                        : textCopy(goalKindText(goal.kind));
}

} // namespace

std::string missionScoreLines() {
    const PlayerRecord* record = playerRecord();
    return format(kGradeText, scoringState().grade) + "\n" + format(kScoreText, scoringState().score) + "\n" +
           format(kCareerText, record ? record->careerPoints : 0);
}

std::string debriefResultText() {
    const ScoringState& scoring = scoringState();
    std::string text = missionTexts().name.value_or("") + "\n";
    text += textCopy(scoring.won ? kWonText : kLostText) + "\n";
    text += missionScoreLines() + "\n\n";
    // A goal of negative points reached is a penalty: listed apart, with what it cost.
    std::string goals;
    std::string penalties;
    goalTreeForEach(goalTreeRoot(), [&](const GoalNode& goal) {
        if (!goal.achieved)
            return;
        if (goal.points < 0)
            penalties += "\n- " + goalName(goal) + " " + format(kPenaltyPointsText, goal.points);
        else
            goals += "\n- " + goalName(goal);
    });
    text += textCopy(kGoalsText) + (goals.empty() ? "\n" + textCopy(kNoGoalText) : goals);
    if (!penalties.empty())
        text += "\n\n" + textCopy(kPenaltiesText) + penalties;
    return text;
}

} // namespace q71
