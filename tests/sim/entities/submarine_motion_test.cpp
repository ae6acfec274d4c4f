#include "vehicle_fixture.h"

#include "sim/entities/motion/submarine_motion.h"
#include "sim/simulation/mission_state.h"
#include "sim/support/terrain_grid.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

constexpr double kHunterCrushDepth = -1200 * 0.3048;

class SubmarineWorld : public VehicleWorld {
protected:
    Entity& boat(WorldPoint at, bool steered = true, std::int32_t level = 2) {
        return vehicle<SubmarineMotion>("Hunter", kKindSubsurface, at, steered, level);
    }
    /// The own boat: a submarine entity the world knows as the player's.
    Entity& ownBoat(WorldPoint at) {
        Entity& own = boat(at, false, 4);
        worldSetOwnShip(&own);
        return own;
    }
};

TEST_F(SubmarineWorld, TheCrewLevelSetsTheResponseAndTheQuietAndFastSpeeds) {
    const MotionModel& green = *boat({}, true, 2).motion;
    EXPECT_DOUBLE_EQ(green.responseGain, 0.08);
    EXPECT_DOUBLE_EQ(green.responseLoad, 0.08);
    EXPECT_EQ(green.responseLength, 91.44);
    EXPECT_EQ(green.maxPitchAngle, 30.0);
    EXPECT_DOUBLE_EQ(green.turnCoefficient, 45 * 0.022 / 51.0); // 300 ft: half length 45 m
    for (double speed : {green.quietSpeed, green.fastSpeed}) {
        EXPECT_GE(speed, 6.0);
        EXPECT_LE(speed, 8.0);
    }
    const MotionModel& veteran = *boat({}, true, 4).motion;
    EXPECT_EQ(veteran.quietSpeed, 10.0);
    EXPECT_GE(veteran.fastSpeed, 12.0);
    EXPECT_LE(veteran.fastSpeed, 14.0);
    EXPECT_EQ(veteran.blowerOn, 0);
    EXPECT_EQ(veteran.submarineConstantA, 22.86);
    EXPECT_EQ(veteran.submarineConstantB, 45.8);
    EXPECT_EQ(veteran.maxArrayLength, 792.48);
}

TEST_F(SubmarineWorld, WithoutAControllerItSteersNothingButStillDrifts) {
    MotionModel& m = *boat({1000.0, 1000.0, -100.0}, false).motion;
    underWay(m, 10.0);
    m.driveSpeed = 0.0;
    m.orderedCourse = 90.0;
    m.orderedDepth = -200.0;
    m.rudderOrder = 20.0;
    run(m, 60.0);
    EXPECT_EQ(m.heading, 0.0);
    EXPECT_EQ(m.rudderAngle, 0.0);
    EXPECT_EQ(m.z, -100.0);
    EXPECT_EQ(m.driveSpeed, 0.0);
    EXPECT_GT(m.y, 1100.0); // carried on by its way
    EXPECT_LT(m.speed, 10.0);
}

TEST_F(SubmarineWorld, OrderedToItsPresentDepthItLevelsAtOnce) {
    MotionModel& m = *boat({0.0, 0.0, -100.0}).motion;
    m.pitch = 5.0;
    m.planeAngle1 = m.planeOrder1 = 10.0;
    m.planeAngle2 = m.planeOrder2 = -10.0;
    m.stepDepth(0.4);
    EXPECT_EQ(m.pitch, 0.0);
    EXPECT_EQ(m.planeAngle1, 0.0);
    EXPECT_EQ(m.planeAngle2, 0.0);
    EXPECT_EQ(m.planeOrder1, 0.0);
    EXPECT_EQ(m.planeOrder2, 0.0);
}

TEST_F(SubmarineWorld, ItDivesOnItsPlanesAndStopsExactlyAtTheOrderedDepth) {
    MotionModel& m = *boat({0.0, 0.0, -50.0}).motion;
    underWay(m, 10.0);
    m.setOrderedDepth(-150.0);
    double steepest = 0.0;
    for (int i = 0; i < 3000 && m.z != -150.0; ++i) {
        run(m, 0.4);
        ASSERT_GE(m.z, -150.0); // never past it
        ASSERT_LE(std::fabs(m.pitch), m.maxPitchAngle);
        steepest = std::min(steepest, m.pitch);
    }
    EXPECT_EQ(m.z, -150.0);
    EXPECT_LT(steepest, -1.0); // bow down on the way
    run(m, 0.4);
    EXPECT_EQ(m.pitch, 0.0); // and level once there
}

TEST_F(SubmarineWorld, NearTheSurfaceItRisesLevelOnBothPlanes) {
    MotionModel& m = *boat({0.0, 0.0, -25.0}).motion;
    underWay(m, 8.0);
    m.setOrderedDepth(-12.0);
    for (int i = 0; i < 750; ++i) { // five minutes
        run(m, 0.4);
        ASSERT_LE(std::fabs(m.pitch), 2.0);
        ASSERT_LE(m.z, -12.0);
    }
    EXPECT_NEAR(m.z, -12.0, 0.01); // closing in on it ever more slowly
}

TEST_F(SubmarineWorld, BelowItsCrushDepthScaledByItsHullAComputerBoatImplodesOnce) {
    Entity& sound = boat({0.0, 0.0, -200.0});
    run(*sound.motion, 0.4);
    EXPECT_EQ(sound.removeFlag, 0u);
    Entity& damaged = boat({0.0, 0.0, -200.0}); // half a hull: crushed at half the depth
    damaged.hull = 0.5;
    run(*damaged.motion, 1.2);
    EXPECT_EQ(damaged.removeFlag, 1u);
    ASSERT_EQ(services.audio.played.size(), 1u); // once, not at every step until it is purged
    EXPECT_TRUE(services.audio.played[0] == "implode1.wav" || services.audio.played[0] == "implode2.wav");
    Entity& deep = boat({0.0, 0.0, kHunterCrushDepth - 1.0});
    run(*deep.motion, 0.4);
    EXPECT_EQ(deep.removeFlag, 1u);
}

TEST_F(SubmarineWorld, ACrushedWeaponGoesWithoutASoundAndAHullWithoutACrushDepthIsNeverCrushed) {
    Entity& torpedo = vehicle<SubmarineMotion>("DeepFish", kKindWeapon, {0.0, 0.0, -400.0});
    run(*torpedo.motion, 0.4);
    EXPECT_EQ(torpedo.removeFlag, 1u);
    EXPECT_TRUE(services.audio.played.empty());
    Entity& runner = vehicle<SubmarineMotion>("Runner", kKindWeapon, {0.0, 0.0, -2000.0});
    run(*runner.motion, 4.0);
    EXPECT_EQ(runner.removeFlag, 0u);
}

TEST_F(SubmarineWorld, TheOwnBoatCrushedGetsThirtySecondsBeforeTheDeathScreen) {
    installHost();
    Entity& own = ownBoat({0.0, 0.0, kHunterCrushDepth - 5.0});
    run(*own.motion, 0.4);
    EXPECT_EQ(missionState().ownBoatLossCause, kLossCrushed);
    EXPECT_LT(own.hull, 1.0);
    EXPECT_EQ(std::count(services.audio.played.begin(), services.audio.played.end(), "crshdpth.wav"), 1);
    simSetTimeCompression(8.0);
    run(*own.motion, 20.0);
    EXPECT_EQ(host.deathScreens, 0);
    EXPECT_EQ(simGetTimeCompression(), 1.0); // the end is watched in real time
    run(*own.motion, 12.0);
    EXPECT_GT(host.deathScreens, 0);
    EXPECT_EQ(std::count(services.audio.played.begin(), services.audio.played.end(), "crshdpth.wav"), 1);
    const auto damage = loggedOfKind(kEventOwnBoatDamage);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].x, -2000.0);
    EXPECT_EQ(damage[0].extra, kLossCrushed);
}

TEST_F(SubmarineWorld, InANetworkGameTheCrushedOwnBoatSeesNoDeathScreen) {
    installHost();
    services.joinNetworkGame(true);
    Entity& own = ownBoat({0.0, 0.0, kHunterCrushDepth - 5.0});
    run(*own.motion, 40.0);
    EXPECT_EQ(host.deathScreens, 0);
    EXPECT_EQ(missionState().ownBoatLossCause, kLossCrushed);
}

TEST_F(SubmarineWorld, TheFastBoatOptionTakesTheCrushDepthAway) {
    services.frontEnd.options[kOptionFastBoat] = 1;
    Entity& own = ownBoat({0.0, 0.0, kHunterCrushDepth - 5.0});
    run(*own.motion, 4.0);
    EXPECT_EQ(own.hull, 1.0);
    EXPECT_EQ(missionState().ownBoatLossCause, kLossNone);
}

TEST_F(SubmarineWorld, TheSnorkelBlowerRunsOnlyAtSixtyFeetOrShallower) {
    MotionModel& m = *boat({0.0, 0.0, -20.0}).motion;
    EXPECT_EQ(m.setSnorkel(1), 0);
    EXPECT_EQ(m.blowerOn, 0);
    m.z = -18.0;
    EXPECT_EQ(m.setSnorkel(1), 1);
    m.z = -40.0;
    EXPECT_EQ(m.setSnorkel(0), 0); // stopping it is never refused
    m.orderShallowDepth();
    EXPECT_EQ(m.orderedDepth, -9.144);
}

TEST_F(SubmarineWorld, AnEmergencyBlowSendsAComputerBoatUpAndTiltsTheOwnBoat) {
    Entity& ai = boat({0.0, 0.0, -100.0});
    ai.motion->setEmergencyBlow(1);
    EXPECT_EQ(ai.motion->emergencyBlow, 1);
    EXPECT_EQ(ai.motion->orderedDepth, 0.0);
    Entity& own = ownBoat({0.0, 0.0, -100.0});
    own.motion->setEmergencyBlow(1);
    EXPECT_EQ(own.motion->orderedDepth, -100.0);
    EXPECT_GE(own.motion->orderedPitch, 5.0);
    EXPECT_LE(own.motion->orderedPitch, 15.0);
    EXPECT_GE(own.motion->orderedRoll, -5.0);
    EXPECT_LE(own.motion->orderedRoll, 5.0);
    own.motion->setEmergencyBlow(0);
    const auto blows = loggedOfKind(kEventEmergencyBlow);
    ASSERT_EQ(blows.size(), 2u);
    EXPECT_EQ(blows[0].subjectId, ai.id);
    EXPECT_EQ(blows[1].subjectId, own.id);
}

TEST_F(SubmarineWorld, ABroachedBoatSettlesBackIntoTheSea) {
    MotionModel& m = *boat({0.0, 0.0, 3.0}).motion;
    m.orderedDepth = -30.0;
    m.buoyancyRate = 2.0;
    m.integrate(0.3);
    EXPECT_DOUBLE_EQ(m.z, 3.0 - 3.0 * 0.3 / 3.0);
    EXPECT_EQ(m.buoyancyRate, 0.0);
}

// A flat bottom 100 m down, 5 km square.
class SubmarineOverBottom : public SubmarineWorld {
protected:
    TerrainGrid grid{11, 11, 500.0, [](int, int) -> std::int16_t { return -100; }};
};

TEST_F(SubmarineOverBottom, AComputerBoatNearTheBottomClimbsClearOfIt) {
    MotionModel& m = *boat({2500.0, 2500.0, -80.0}).motion;
    underWay(m, 5.0);
    m.setOrderedDepth(-150.0);
    run(m, 300.0);
    const double keelLine = MotionModel::terrainHeight(2500.0, 2500.0) + 6.096;
    EXPECT_GE(m.orderedDepth, keelLine + 10.0 - 1e-6);
    EXPECT_GT(m.z, keelLine);
}

TEST_F(SubmarineOverBottom, AHullBelowItsKeelLineRestsOnItStopped) {
    MotionModel& m = *boat({2500.0, 2500.0, -99.0}).motion;
    underWay(m, 5.0);
    run(m, 0.4);
    EXPECT_DOUBLE_EQ(m.z, MotionModel::terrainHeight(2500.0, 2500.0) + 6.096);
    EXPECT_EQ(m.speed, 0.0);
    EXPECT_EQ(m.orderedSpeed, 0.0);
    EXPECT_EQ(m.driveSpeed, 0.0);
}

// The bottom climbs northward from 1000 m down to land within a few hundred metres.
class SubmarineAtACliff : public SubmarineWorld {
protected:
    TerrainGrid grid{11, 11, 500.0, [](int, int row) -> std::int16_t { return row == 0 ? -1000 : 2200; }};
};

TEST_F(SubmarineAtACliff, ABowDrivenIntoItPitchesUpAtMostARightAngle) {
    MotionModel& m = *boat({2500.0, 100.0, -300.0}).motion;
    const double keel = m.z - 6.096, reach = m.halfLength * 0.5;
    ASSERT_LT(MotionModel::terrainHeight(2500.0, 100.0), keel - 2.5);           // clear under the keel
    ASSERT_GT(MotionModel::terrainHeight(2500.0, 100.0 + reach), keel + reach); // beyond reach at the bow
    run(m, 0.4);
    EXPECT_NEAR(m.pitch, 90.0, 1e-6);
}

} // namespace
} // namespace q71::test
