#include "scoring_fixture.h"
#include "sim/scoring/goal_match.h"
#include "sim/simulation/sound_profile.h"

namespace q71 {
namespace {

using test::ScoringTest;
using GoalMatching = ScoringTest;

constexpr std::int32_t kShip = 20;
constexpr std::uint32_t kShipRecord = 61;

TEST_F(GoalMatching, KindsMatchByEqualityAndThreePairings) {
    world.add(kShip, kShipRecord);
    struct Case {
        std::int32_t eventKind, goalKind, subject;
        bool takes;
    };
    const Case cases[] = {
        {3, 3, kShip, true},
        {3, 8, kShip, false},
        {kEventMeeting, kGoalTargetMeets, kShip, true},
        {kEventMeeting, kGoalMeetTarget, kShip, true},
        {kEventMineDetonation, kGoalDestroy, kShip, true},
        {kEventMineDetonation, kGoalDamage, kShip, true},
        {kEventDestroyed, kGoalDamage, kShip, false},
        {kEventOwnBoatMoved, kGoalRecover, kOwnId, true},
        {kEventOwnBoatMoved, kGoalRecover, kShip, false},
        {kEventOwnBoatMoved, kGoalReachArea, kOwnId, true},
    };
    for (const Case& c : cases) {
        GoalNode node;
        node.kind = c.goalKind;
        EXPECT_EQ(goalKindTakesEvent(node, event(c.eventKind, c.subject), world), c.takes)
            << "event " << c.eventKind << " goal " << c.goalKind;
        node.achieved = 1;
        EXPECT_FALSE(goalKindTakesEvent(node, event(c.eventKind, c.subject), world));
    }
}

TEST_F(GoalMatching, TheTimeWindowIncludesBothEndsAndLatestZeroMeansNone) {
    GoalNode node;
    node.earliestTime = 100.0;
    node.latestTime = 200.0;
    EXPECT_FALSE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 99.99)));
    EXPECT_TRUE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 100.0)));
    EXPECT_TRUE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 200.0)));
    EXPECT_FALSE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 200.01)));
    node.latestTime = 0.0;
    EXPECT_TRUE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 5.0)));
    EXPECT_TRUE(goalTimeWindowPasses(node, event(0, kOwnId, 0, {}, 5000.0)));
}

TEST_F(GoalMatching, TheSubjectFilterTakesTheOwnBoatARecordOrNothing) {
    world.add(kShip, kShipRecord);
    GoalNode node;
    node.subjectFilter = 0;
    EXPECT_TRUE(goalSubjectFilterPasses(node, event(3, kOwnId), world));
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, kShip), world));
    node.subjectFilter = kShipRecord;
    EXPECT_TRUE(goalSubjectFilterPasses(node, event(3, kShip), world));
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, kOwnId), world));
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, 999), world));
    node.subjectFilter = -1;
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, kShip), world));
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, kOwnId), world));
}

TEST_F(GoalMatching, ATargetEntityMakesTheFilterLookAtTheObject) {
    world.add(kShip, kShipRecord);
    GoalNode node;
    node.subjectFilter = 0;
    node.targetId = kShip;
    EXPECT_TRUE(goalSubjectFilterPasses(node, event(3, 55, kShip), world));
    EXPECT_FALSE(goalSubjectFilterPasses(node, event(3, kOwnId, 0), world));
}

TEST_F(GoalMatching, TheBoxTestIsStrictAndTheCircleIncludesItsEdge) {
    GoalNode node;
    node.centreX = 5000.0;
    node.centreY = 6000.0;
    node.halfWidth = 100.0;
    node.halfHeight = 50.0;
    EXPECT_TRUE(goalAreaPasses(node, event(3, kOwnId, 0, {5099.0, 6049.0}), world));
    EXPECT_FALSE(goalAreaPasses(node, event(3, kOwnId, 0, {5100.0, 6000.0}), world));
    EXPECT_FALSE(goalAreaPasses(node, event(3, kOwnId, 0, {5000.0, 5950.0}), world));
    node.halfWidth = 0.0;
    node.radius = 500.0;
    EXPECT_TRUE(goalAreaPasses(node, event(3, kOwnId, 0, {5300.0, 6400.0}), world)); // 500 exactly
    EXPECT_FALSE(goalAreaPasses(node, event(3, kOwnId, 0, {5300.0, 6401.0}), world));
}

TEST_F(GoalMatching, TheAreaFollowsTheTargetEntity) {
    world.add(kShip, kShipRecord, {20000.0, 20000.0, 0.0});
    GoalNode node;
    node.centreX = 0.0;
    node.centreY = 0.0;
    node.radius = 100.0;
    node.targetId = kShip;
    EXPECT_TRUE(goalAreaPasses(node, event(2, kOwnId, 0, {20050.0, 20000.0}), world));
    EXPECT_FALSE(goalAreaPasses(node, event(2, kOwnId, 0, {50.0, 0.0}), world));
    node.targetId = 404; // a target that has left the world: the stored centre
    EXPECT_TRUE(goalAreaPasses(node, event(2, kOwnId, 0, {50.0, 0.0}), world));
}

TEST_F(GoalMatching, DepthConditionsAtTheirBoundaries) {
    soundProfile().layerDepth = -75.0;
    struct Case {
        std::int32_t code;
        double z;
        bool passes;
    };
    const Case cases[] = {
        {0, -5000.0, true}, {10, 100.0, true},   {1, -152.4, true},  {1, -152.5, false}, {2, -152.5, true},
        {2, -152.4, false}, {3, -20.7264, true}, {3, -20.73, false}, {4, -20.73, true},  {4, -20.7264, false},
        {5, -75.0, true},   {5, -75.1, false},   {6, -75.1, true},   {6, -75.0, false},  {7, -45.71, true},
        {7, -45.72, false}, {8, -30.47, true},   {8, -30.48, false}, {9, -12.19, true},  {9, -12.192, false},
        {11, 0.0, false},   {-1, 0.0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(goalDepthPasses(c.code, c.z), c.passes) << "code " << c.code << " z " << c.z;
    soundProfile() = SoundProfile{};
}

TEST_F(GoalMatching, PerKindTests) {
    world.add(kShip, kShipRecord);
    world.ownSpeed = -1.5; // backing slowly counts as stopped
    GoalNode node;
    node.radius = 1.0e9;

    node.kind = kGoalAlways;
    EXPECT_TRUE(goalKindTestPasses(node, event(0, kShip), world));

    node.kind = kGoalStopInArea;
    EXPECT_TRUE(goalKindTestPasses(node, event(5, kOwnId), world));
    world.ownSpeed = 2.5;
    EXPECT_FALSE(goalKindTestPasses(node, event(5, kOwnId), world));

    node.kind = kGoalMeetTarget;
    node.targetId = kShip;
    EXPECT_TRUE(goalKindTestPasses(node, event(6, kOwnId, kShip), world));
    EXPECT_FALSE(goalKindTestPasses(node, event(6, kShip, kOwnId), world));
    node.kind = kGoalTargetMeets;
    EXPECT_TRUE(goalKindTestPasses(node, event(6, kShip, kOwnId), world));
    EXPECT_FALSE(goalKindTestPasses(node, event(6, kOwnId, kShip), world));

    node.targetId = 0;
    node.subjectFilter = kShipRecord;
    node.kind = kGoalSurvive;
    EXPECT_TRUE(goalKindTestPasses(node, event(kEventSurvived, kShip, kShip), world));
    node.kind = 12;
    EXPECT_FALSE(goalKindTestPasses(node, event(12, kShip), world));
    node.kind = 21;
    EXPECT_FALSE(goalKindTestPasses(node, event(21, kShip), world));
}

TEST_F(GoalMatching, APenaltyGoalCountsOnlyForTheOwnBoat) {
    world.add(kShip, kShipRecord);
    GoalNode node;
    node.kind = kGoalDestroy;
    node.subjectFilter = kShipRecord;
    node.points = -100;
    EXPECT_FALSE(goalKindTestPasses(node, event(kEventDestroyed, kShip), world));
    node.required = 1;
    EXPECT_TRUE(goalKindTestPasses(node, event(kEventDestroyed, kShip), world));
    node.required = 0;
    node.points = 100;
    EXPECT_TRUE(goalKindTestPasses(node, event(kEventDestroyed, kShip), world));

    node.subjectFilter = 0;
    node.points = -100;
    EXPECT_TRUE(goalKindTestPasses(node, event(kEventDestroyed, kOwnId), world));
    node.kind = kGoalDamage;
    EXPECT_TRUE(goalKindTestPasses(node, event(kEventDamaged, kOwnId), world));
    EXPECT_FALSE(goalKindTestPasses(node, event(kEventDestroyed, kOwnId), world));
}

} // namespace
} // namespace q71
