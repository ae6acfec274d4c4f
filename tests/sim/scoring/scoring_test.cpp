#include "scoring_fixture.h"
#include "sim/scoring/goal_actions.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {
namespace {

using test::ScoringTest;
using GoalEvaluation = ScoringTest;
using EventPosting = ScoringTest;
using GoalActions = ScoringTest;
using EndOfMission = ScoringTest;

constexpr std::int32_t kShip = 20;
constexpr std::uint32_t kShipRecord = 61;

std::vector<ReplayEvent> loggedEvents() {
    return replayLogRead();
}

TEST_F(GoalEvaluation, OneEventAchievesOnlyTheFirstOfTwoFittingSiblings) {
    GoalNode& second = addGoal(kGoalSubject);
    second.points = 20;
    GoalNode& first = addGoal(kGoalSubject);
    first.points = 10;
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(first.achieved, 1);
    EXPECT_EQ(second.achieved, 0);
    EXPECT_EQ(scoringState().score, 10);
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(second.achieved, 1);
    EXPECT_EQ(scoringState().score, 30);
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(scoringState().score, 30);
}

TEST_F(GoalEvaluation, ChildrenCountOnlyOnceTheirParentIsAchieved) {
    GoalNode& parent = addGoal(kGoalInArea);
    parent.subjectFilter = 0;
    parent.radius = 10.0;
    GoalNode& child = addGoal(kGoalSubject, &parent);
    child.points = 50;
    EXPECT_EQ(goalTreeEvaluate(event(3, kOwnId), goalTreeRoot()), 0);
    EXPECT_EQ(child.achieved, 0);
    EXPECT_EQ(goalTreeEvaluate(event(8, kOwnId), goalTreeRoot()), 1);
    EXPECT_EQ(parent.achieved, 1);
    EXPECT_EQ(goalTreeEvaluate(event(3, kOwnId), goalTreeRoot()), 1);
    EXPECT_EQ(child.achieved, 1);
    EXPECT_EQ(scoringState().score, 50);
}

TEST_F(GoalEvaluation, AnAchievedGoalsChildrenComeBeforeLaterSiblings) {
    GoalNode& later = addGoal(kGoalSubject);
    GoalNode& parent = addGoal(kGoalAlways);
    parent.achieved = 1;
    GoalNode& child = addGoal(kGoalSubject, &parent);
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(child.achieved, 1);
    EXPECT_EQ(later.achieved, 0);
}

TEST_F(GoalEvaluation, AReachedGoalQueuesItsMessageWithTheShipName) {
    GoalNode& node = addGoal(kGoalSubject);
    node.message = "Bien joué, [ship name].";
    addGoal(kGoalSubject).points = 5; // a goal without a message queues nothing
    scoringPostEvent(event(3, kOwnId), 0);
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(commsQueueCount(), 1);
    EXPECT_EQ(commsQueuePop(), "Bien joué, Varden.");
}

TEST_F(GoalEvaluation, AnEventOfKind22AchievesALossGoalAndKind6ATargetMeetsGoal) {
    world.add(kShip, kShipRecord);
    GoalNode& loss = addGoal(kGoalDamage);
    loss.subjectFilter = 0;
    loss.targetId = kShip;
    scoringPostEvent(event(kEventMineDetonation, 30, kShip), 0); // the mine is not in the world
    EXPECT_EQ(loss.achieved, 0);
    world.add(30, 90);
    scoringPostEvent(event(kEventMineDetonation, 30, kShip), 0);
    EXPECT_EQ(loss.achieved, 1);

    GoalNode& meets = addGoal(kGoalTargetMeets);
    meets.targetId = kShip;
    scoringPostEvent(event(kEventMeeting, kShip, kOwnId), 0);
    EXPECT_EQ(meets.achieved, 1);
}

TEST_F(GoalEvaluation, PointsAreHeldWithinTheScoresRange) {
    addGoal(kGoalSubject).points = 2'000'000'000;
    addGoal(kGoalSubject).points = 2'000'000'000;
    scoringPostEvent(event(3, kOwnId), 0);
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(scoringState().score, 2'147'483'647);
}

TEST_F(EventPosting, AnEventAboutAnEntityOutsideTheWorldIsDropped) {
    replayLogOpen();
    addGoal(kGoalAlways);
    scoringPostEvent(event(0, 404), 1);
    EXPECT_EQ(goalTreeRoot()->achieved, 0);
    replayLogClose();
    EXPECT_TRUE(loggedEvents().empty());
}

TEST_F(EventPosting, TheLogFlagDecidesWhetherTheEventIsLogged) {
    replayLogOpen();
    scoringPostEvent(event(3, kOwnId), 0);
    scoringPostEvent(event(3, kOwnId), 1);
    scoringPostEvent(event(4, kOwnId), 2);
    replayLogClose();
    const auto logged = loggedEvents();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].kind, 3);
    EXPECT_EQ(logged[1].kind, 4);
}

TEST_F(EventPosting, AMeetingOfOneClassIsScoredButNotLogged) {
    world.add(kShip, kShipRecord).kind = 2;
    world.add(21, kShipRecord).kind = 2;
    world.add(22, 80).kind = 3;
    test::RecordNames names({{kShipRecord, "Burke"}, {80, "Akula"}});
    GoalNode& meets = addGoal(kGoalMeetTarget);
    meets.targetId = 21;
    replayLogOpen();
    scoringPostEvent(event(kEventMeeting, kOwnId, 21), 1); // scored against the goal
    scoringPostEvent(event(kEventMeeting, kShip, 21), 1);
    scoringPostEvent(event(kEventMeeting, kShip, 22), 1);
    scoringPostEvent(event(kEventMeeting, kShip, 21), 2); // only flag 1 holds such meetings back
    replayLogClose();
    EXPECT_EQ(meets.achieved, 1);
    const auto logged = loggedEvents();
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0].subjectId, kOwnId); // the own boat's kind differs from the ship's
    EXPECT_EQ(replayName(logged[1].objectName), "Akula");
    EXPECT_EQ(replayName(logged[2].objectName), "Burke");
}

TEST_F(EventPosting, EventsWhileTheLogIsClosedAreScoredButNotLogged) {
    addGoal(kGoalSubject).points = 10;
    scoringPostEvent(event(3, kOwnId), 1);
    EXPECT_EQ(scoringState().score, 10);
    EXPECT_TRUE(loggedEvents().empty());
}

TEST_F(GoalActions, TheRecoveryTestTakesTheWaitingTeamAboard) {
    world.add(40, kRecordShoreTeam, {1100.0, 1000.0, 0.0});
    GoalNode& node = addGoal(kGoalRecover);
    node.targetId = 40;
    node.radius = 300.0;
    node.subjectFilter = -1; // the goal's own test fails; the recovery test meets it alone
    node.points = 75;
    replayLogOpen();
    world.ownSpeed = 3.0;
    scoringPostEvent(event(kEventOwnBoatMoved, kOwnId, 0, {1000.0, 1000.0, -10.0}), 1);
    EXPECT_EQ(node.achieved, 0);
    world.ownSpeed = 1.0;
    scoringPostEvent(event(kEventOwnBoatMoved, kOwnId, 0, {1000.0, 1000.0, -10.0}), 1);
    replayLogClose();
    EXPECT_EQ(node.achieved, 1);
    EXPECT_EQ(scoringState().score, 75);
    EXPECT_EQ(services.audio.spoken, (std::vector<std::string>{"XoSlBack.wav"}));
    EXPECT_EQ(world.removed, (std::vector<std::int32_t>{40}));
    // Logged once by the recovery test and once more as posted.
    const auto logged = loggedEvents();
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[1].kind, kEventOwnBoatMoved);
    EXPECT_EQ(logged[2].kind, kEventOwnBoatMoved);
}

TEST_F(GoalActions, TheRecoveryTestNeedsTheAreaAndTheDepth) {
    world.add(40, kRecordDownedPilot, {5000.0, 1000.0, 0.0});
    GoalNode& node = addGoal(kGoalRecover);
    node.targetId = 40;
    node.radius = 300.0;
    node.subjectFilter = -1;
    node.depthCondition = 9; // shallower than 40 ft
    scoringPostEvent(event(kEventOwnBoatMoved, kOwnId, 0, {1000.0, 1000.0, -5.0}), 0);
    EXPECT_EQ(node.achieved, 0);
    scoringPostEvent(event(kEventOwnBoatMoved, kOwnId, 0, {5000.0, 1000.0, -20.0}), 0);
    EXPECT_EQ(node.achieved, 0);
    scoringPostEvent(event(kEventOwnBoatMoved, kOwnId, 0, {5000.0, 1000.0, -5.0}), 0);
    EXPECT_EQ(node.achieved, 1);
    EXPECT_EQ(services.audio.spoken, (std::vector<std::string>{"XoPilot.wav"}));
}

TEST_F(GoalActions, LandingATeamPutsItOutWithTheSearchedCourse) {
    GoalNode& node = addGoal(kGoalSubject);
    node.action = kActionLandTeam;
    replayLogOpen();
    world.ownSpeed = 5.0;
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(node.achieved, 0);
    EXPECT_TRUE(world.created.empty());
    world.ownSpeed = 0.0;
    scoringPostEvent(event(3, kOwnId, 0, {1.0, 2.0, 3.0}, 99.0), 0);
    replayLogClose();
    EXPECT_EQ(node.achieved, 1);
    ASSERT_EQ(world.created.size(), 1u);
    EXPECT_EQ(world.created[0].unit, SupportUnit::ShoreTeam);
    EXPECT_EQ(world.created[0].level, 1);
    ASSERT_TRUE(world.created[0].orderedCourse);
    EXPECT_EQ(*world.created[0].orderedCourse, 0.0); // no terrain, no land: bearing 0
    EXPECT_EQ(services.audio.spoken, (std::vector<std::string>{"XoSlAway.wav"}));
    const auto logged = loggedEvents();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].kind, kEventTeamLaunched);
    EXPECT_EQ(logged[0].subjectId, kOwnId);
    EXPECT_EQ(logged[0].time, 99.0);
    EXPECT_EQ(logged[0].x, 1.0);
}

TEST_F(GoalActions, ATeamPutOutHereAndTheRescueSubmarineGetNoCourse) {
    addGoal(kGoalSubject).action = kActionLandTeamHere;
    addGoal(kGoalSubject).action = kActionLaunchRescue;
    scoringPostEvent(event(3, kOwnId), 0);
    scoringPostEvent(event(3, kOwnId), 0);
    ASSERT_EQ(world.created.size(), 2u);
    EXPECT_EQ(world.created[0].unit, SupportUnit::RescueSubmarine);
    EXPECT_FALSE(world.created[0].orderedCourse);
    EXPECT_EQ(world.created[1].unit, SupportUnit::ShoreTeam);
    EXPECT_EQ(world.created[1].level, 2);
    EXPECT_FALSE(world.created[1].orderedCourse);
    EXPECT_EQ(services.audio.spoken, (std::vector<std::string>{"XoDSAway.wav", "XoSlAway.wav"}));
}

TEST_F(GoalActions, AUnitThatCannotBeMadeLeavesTheGoalOpen) {
    world.unitsCanBeMade = false;
    GoalNode& node = addGoal(kGoalSubject);
    node.action = kActionLaunchRescue;
    scoringPostEvent(event(3, kOwnId), 0);
    EXPECT_EQ(node.achieved, 0);
    EXPECT_TRUE(services.audio.spoken.empty());
}

TEST_F(GoalActions, TakingBackNeedsTheFirstSuchUnitWithin1000Metres) {
    world.add(41, kRecordRescueSubmarine, {1000.0, 2500.0, -20.0}); // first in list order, too far
    world.add(42, kRecordRescueSubmarine, {1000.0, 1100.0, -20.0});
    GoalNode& node = addGoal(kGoalSubject);
    node.action = kActionRecoverRescue;
    scoringPostEvent(event(3, kOwnId, 0, {1000.0, 1000.0, -30.0}), 0);
    EXPECT_EQ(node.achieved, 0);
    world.list[1].position.y = 1999.0;
    replayLogOpen();
    scoringPostEvent(event(3, kOwnId, 0, {1000.0, 1000.0, -30.0}), 0);
    replayLogClose();
    EXPECT_EQ(node.achieved, 1);
    EXPECT_EQ(world.removed, (std::vector<std::int32_t>{41}));
    EXPECT_EQ(services.audio.spoken, (std::vector<std::string>{"XoDSBack.wav"}));
    const auto logged = loggedEvents();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].kind, kEventRecovered);
}

TEST_F(GoalActions, TheLandingSearchWidensItsRingsUntilItFindsLand) {
    // Land only beyond 9 km to the south-west, highest towards 220 degrees: rings 1 to 4 find
    // water, ring 5 finds land, and its highest point gives the bearing.
    const TerrainHeightAt southWest = [](double x, double y) -> std::optional<double> {
        const double dx = x - 100000.0, dy = y - 100000.0;
        if (std::hypot(dx, dy) < 9000.0 || dx > 0 || dy > 0)
            return -50.0;
        return 100.0 - std::fabs(std::atan2(dx, dy) * 57.29577951308232 + 140.0);
    };
    // Ring 5 has 8 + 4 = 12 points, 30 degrees apart: 210 lies nearest 220.
    EXPECT_NEAR(landingSearchBearing(100000.0, 100000.0, southWest), 210.0, 1e-9);
    const TerrainHeightAt unknown = [](double, double) -> std::optional<double> { return std::nullopt; };
    EXPECT_EQ(landingSearchBearing(0.0, 0.0, unknown), 0.0);
}

TEST_F(GoalActions, TheLandingSearchLooksAlongEachBearing) {
    // Land 6 km east only: the first two rings find water, the third finds it at 90 degrees.
    const TerrainHeightAt east = [](double x, double y) -> std::optional<double> {
        return x > 6500.0 && std::fabs(y - 1000.0) < 1000.0 ? 12.0 : -40.0;
    };
    EXPECT_NEAR(landingSearchBearing(1000.0, 1000.0, east), 90.0, 1e-9);
    // Land rising to the north or the south: the highest point of the first ring with land wins.
    const TerrainHeightAt north = [](double, double y) -> std::optional<double> {
        return y > 3500.0 ? y / 1000.0 : -1.0;
    };
    EXPECT_NEAR(landingSearchBearing(1000.0, 1000.0, north), 0.0, 1e-9);
    const TerrainHeightAt south = [](double, double y) -> std::optional<double> {
        return y < -3500.0 ? -y / 1000.0 : -1.0;
    };
    EXPECT_NEAR(landingSearchBearing(1000.0, 1000.0, south), 180.0, 1e-9);
}

TEST_F(EndOfMission, EntitiesStillInTheMissionPostThatTheySurvived) {
    simClock().gameClock = 1234.5;
    world.add(20, kShipRecord).category = 1;
    world.add(21, kShipRecord).hull = 0.05;
    world.add(22, 70).category = 2;  // torpedo
    world.add(23, 71).category = 3;  // countermeasure
    world.add(24, 72).category = 10; // missile
    world.add(25, 73).category = 4;  // a float with state 0
    world.add(26, 74).category = 6;  // a mine
    world.list.back().stateWord = 4; // spent
    world.add(27, 75).category = 6;  // a live mine
    world.add(28, 125);
    world.add(29, 108);
    world.add(30, 76).category = 4;
    world.list.back().stateWord = 1;
    replayLogOpen();
    scoringGradeMission();
    replayLogClose();
    std::vector<std::int32_t> survivors;
    for (const ReplayEvent& logged : loggedEvents()) {
        EXPECT_EQ(logged.kind, kEventSurvived);
        EXPECT_EQ(logged.time, 1234.5);
        EXPECT_EQ(logged.x, 0.0);
        survivors.push_back(logged.subjectId);
    }
    EXPECT_EQ(survivors, (std::vector<std::int32_t>{kOwnId, 20, 27, 30}));
    simClock().gameClock = 0.0;
}

TEST_F(EndOfMission, SurvivalGoalsAndTheRequiredOnesDecideTheMission) {
    world.add(20, kShipRecord);
    GoalNode& survive = addGoal(kGoalSurvive);
    survive.subjectFilter = kShipRecord;
    survive.required = 1;
    survive.points = 600;
    scoringGradeMission();
    EXPECT_EQ(survive.achieved, 1);
    EXPECT_TRUE(scoringState().won);
    EXPECT_EQ(scoringState().grade, 3);
    GoalNode& missed = addGoal(kGoalSubject);
    missed.required = 1;
    scoringGradeMission();
    EXPECT_FALSE(scoringState().won);
}

TEST(MissionGrade, GradesAtTheirThresholds) {
    const GradeThresholds defaults = kDefaultGradeThresholds;
    EXPECT_EQ(gradeForScore(199, defaults), 0);
    EXPECT_EQ(gradeForScore(200, defaults), 1);
    EXPECT_EQ(gradeForScore(600, defaults), 3);
    EXPECT_EQ(gradeForScore(999, defaults), 4);
    EXPECT_EQ(gradeForScore(1000, defaults), 5);
    EXPECT_EQ(gradeForScore(-50, defaults), 0);
    EXPECT_EQ(gradeForScore(100, {-10, 50, 100, 2000, 3000}), 3);
}

TEST(GradeThresholdFiles, ThresholdsRoundTripAndAMissingFileGivesTheDefaults) {
    test::TempDir dir;
    scoringState().thresholds = {1, 2, 3, 4, 5};
    ASSERT_TRUE(gradeThresholdsSaveFile(dir.file("Ta1")));
    EXPECT_EQ(test::readFile(dir.file("Ta1M")).size(), kGradeThresholdsSize);
    gradeThresholdsDefault();
    ASSERT_TRUE(gradeThresholdsLoadFile(dir.file("Ta1")));
    EXPECT_EQ(scoringState().thresholds, (GradeThresholds{1, 2, 3, 4, 5}));
    EXPECT_FALSE(gradeThresholdsLoadFile(dir.file("none")));
    EXPECT_EQ(scoringState().thresholds, kDefaultGradeThresholds);
    dir.write("shortM", "\x01\x00\x00\x00");
    scoringState().thresholds = {1, 2, 3, 4, 5};
    EXPECT_FALSE(gradeThresholdsLoadFile(dir.file("short")));
    EXPECT_EQ(scoringState().thresholds, kDefaultGradeThresholds);
}

} // namespace
} // namespace q71
