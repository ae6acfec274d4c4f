#include "entity_fixture.h"

#include <cmath>

namespace q71::test {
namespace {

using MotionOrders = EntityWorld;

TEST_F(MotionOrders, SpeedIsCutToTheMaximumAndTheTelegraphFollows) {
    MotionModel& m = *platform(1, {}).motion; // maximum 30
    m.setOrderedSpeed(45.0);
    EXPECT_EQ(m.orderedSpeed, 30.0);
    EXPECT_EQ(m.engineOrder, 5.0);
    m.setOrderedSpeed(-12.0); // astern passes as it is
    EXPECT_EQ(m.orderedSpeed, -12.0);
    m.setOrderedSpeed(10.0);
    EXPECT_DOUBLE_EQ(m.engineOrder, 2.98);
    m.setOrderedSpeed(0.0);
    EXPECT_EQ(m.engineOrder, 0.0);
}

TEST_F(MotionOrders, TheTelegraphGivesItsSpeed) {
    MotionModel& m = *platform(1, {}).motion;
    m.engineOrderMode = 1;
    for (const auto& [order, speed] : {std::pair{5.0, 30.0}, {3.0, 15.0}, {-2.0, -8.0}, {0.0, 0.0}}) {
        m.engineOrder = order;
        m.syncEngineOrder();
        EXPECT_EQ(m.orderedSpeed, speed) << order;
    }
}

TEST_F(MotionOrders, ACourseOrderWithinADegreeChangesNothing) {
    MotionModel& m = *platform(1, {}, 10.0).motion;
    m.orderedCourse = 10.0;
    m.setOrderedCourse(10.9);
    EXPECT_EQ(m.orderedCourse, 10.0);
    EXPECT_EQ(m.rudderOrder, 0.0);
    m.setOrderedCourse(355.0); // to port: the rudder goes negative, a third of its throw
    EXPECT_EQ(m.orderedCourse, 355.0);
    EXPECT_EQ(m.rudderOrder, -10.0);
    m.setOrderedCourse(40.0);
    EXPECT_EQ(m.rudderOrder, 10.0);
}

TEST_F(MotionOrders, ATurnEndsExactlyOnTheOrderedCourse) {
    MotionModel& m = *platform(1, {}, 0.0, 20.0).motion;
    m.setOrderedCourse(30.0);
    double previous = m.heading;
    for (int i = 0; i < 400 && m.rudderOrder != 0.0; ++i) {
        m.stepCourse(0.4);
        ASSERT_LE(m.heading, 30.0); // never past it
        ASSERT_GE(m.heading, previous);
        previous = m.heading;
    }
    EXPECT_EQ(m.heading, 30.0);
    EXPECT_EQ(m.rudderAngle, 0.0);
}

TEST_F(MotionOrders, AManualRudderTurnsOnPastTheCourse) {
    MotionModel& m = *platform(1, {}, 0.0, 20.0).motion;
    m.orderedCourse = 5.0;
    m.setRudderOrder(20.0);
    for (int i = 0; i < 100; ++i)
        m.stepCourse(0.4);
    EXPECT_GT(m.heading, 5.0);
    EXPECT_EQ(m.rudderAngle, 20.0);
}

TEST_F(MotionOrders, TheDriveLagsTowardItsOrderAndALoadHoldsItShort) {
    MotionModel& m = *platform(1, {}).motion; // gain and load 2/15, length 91.44
    m.setOrderedSpeed(20.0);
    m.stepSpeed(0.4);
    EXPECT_GT(m.driveSpeed, 0.0);
    EXPECT_LT(m.driveSpeed, 20.0);
    for (int i = 0; i < 5000; ++i)
        m.stepSpeed(0.4);
    EXPECT_EQ(m.driveSpeed, 20.0);     // within 0.25 it takes the order
    m.responseLoad = m.responseLength; // a load as large as the length: half the order is reached
    m.driveSpeed = 0.0;
    for (int i = 0; i < 5000; ++i)
        m.stepSpeed(0.4);
    EXPECT_NEAR(m.driveSpeed, 10.0, 1e-6);
}

TEST_F(MotionOrders, AFloodedAfterbodyTakesTheWayOff) {
    HarnessEntity& ship = platform(1, {});
    MotionModel& m = *ship.motion;
    m.setOrderedSpeed(20.0);
    m.driveSpeed = 20.0;
    ship.floodAftTime = 60.0;
    for (int i = 0; i < 5000; ++i)
        m.stepSpeed(0.4);
    EXPECT_EQ(m.driveSpeed, 0.0);
}

TEST_F(MotionOrders, ThePlainModelMovesInAStraightLineAtItsDrive) {
    Entity& mine = body(1, "Fish", kKindWeapon, {1000, 1000, -20});
    MotionModel& m = *mine.motion;
    m.heading = 90.0;
    m.pitch = 60.0;
    m.driveSpeed = 10.0;
    m.stepKinematic(2.0);
    EXPECT_EQ(m.speed, 10.0);
    EXPECT_NEAR(m.x, 1000 + 10 * 0.5 * 0.508 * 2.0, 1e-6); // the pitch shortens the way over ground
    EXPECT_NEAR(m.y, 1000, 1e-6);
}

TEST_F(MotionOrders, AHullStopsExactlyAtItsOrderedDepth) {
    Entity& hull = body(1, "Hunter", kKindSubsurface, {0, 0, -50});
    MotionModel& m = *hull.motion;
    m.orderedDepth = -52.0;
    m.buoyancyRate = -10.0; // sinking fast toward it
    m.stepVertical(0.4);
    EXPECT_EQ(m.z, -52.0);
    m.setPlaneOrder1(0.0); // manual planes: no stop
    m.stepVertical(0.4);
    EXPECT_LT(m.z, -52.0);
}

TEST_F(MotionOrders, AHullAboveTheSurfaceFallsByTheTimeOfTheStep) {
    Entity& hull = body(1, "Hunter", kKindSubsurface, {0, 0, 10});
    MotionModel& m = *hull.motion;
    m.orderedDepth = -50.0;
    m.stepVertical(0.0); // a step of no time moves nothing
    EXPECT_EQ(m.z, 10.0);
    m.stepVertical(0.5);
    EXPECT_NEAR(m.z, 10.0 - 10.66 * 0.5 * 0.5, 1e-9); // the speed gained, over the step
}

TEST_F(MotionOrders, TheSmoothedPoseTrailsTheTrueOne) {
    MotionModel& m = *platform(1, {}).motion;
    for (int i = 0; i < 7; ++i) {
        m.x = i * 10.0;
        m.heading = i * 10.0;
        m.snapshotState();
    }
    EXPECT_EQ(m.smoothedState[kSampleX], 40.0);       // the mean of the last five: 20..60
    EXPECT_EQ(m.smoothedState[kSampleHeading], 20.0); // the oldest heading, not a mean
}

TEST_F(MotionOrders, ReportsItsPositionFromTheFirstStepAfterTheStart) {
    HarnessEntity& ship = platform(1, {0, 0, -60}, 0, 0, "Hunter"); // a submarine meets scoring's filter
    setClock(0.0);
    ship.motion->integrate(0.4);
    EXPECT_EQ(ship.motion->lastPositionReport, -120.0); // the clock is not above 0 yet
    setClock(0.4);
    ship.motion->integrate(0.4);
    EXPECT_EQ(ship.motion->lastPositionReport, 0.4);
    setClock(100.0);
    ship.motion->integrate(0.4);
    setClock(120.5);
    ship.motion->integrate(0.4);
    EXPECT_EQ(loggedOfKind(kEventOwnBoatMoved).size(), 2u);
}

TEST_F(MotionOrders, SendsItsStateToThePeersWhileItMoves) {
    services.joinNetworkGame(true);
    HarnessEntity& ship = platform(1, {}, 0.0, 15.0); // half speed: every 6 s
    setClock(6.0);
    ship.motion->postStep();
    setClock(11.0);
    ship.motion->postStep();
    setClock(12.0);
    ship.motion->postStep();
    ASSERT_EQ(services.network.states.size(), 2u);
    EXPECT_EQ(services.network.states[0].entityId, static_cast<std::uint32_t>(ship.id));
    EXPECT_EQ(services.network.states[0].speed, 15.0);
    EXPECT_EQ(ship.lastRemoteUpdate, 12.0);
}

} // namespace
} // namespace q71::test
