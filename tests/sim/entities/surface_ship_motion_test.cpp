#include "vehicle_fixture.h"

#include "sim/entities/motion/surface_ship_motion.h"
#include "sim/support/terrain_grid.h"

#include <cmath>

namespace q71::test {
namespace {

class ShipWorld : public VehicleWorld {
protected:
    Entity& ship(WorldPoint at, std::int32_t level = 2) {
        return vehicle<SurfaceShipMotion>("Frigate", kKindSurface, at, true, level);
    }
};

TEST_F(ShipWorld, TheCrewLevelSetsTheResponseAndTheHullNeverPitches) {
    const MotionModel& m = *ship({}, 3).motion;
    EXPECT_EQ(m.responseLength, 91.44);
    EXPECT_DOUBLE_EQ(m.responseGain, 0.2);
    EXPECT_DOUBLE_EQ(m.responseLoad, 0.2);
    EXPECT_EQ(m.maxPitchAngle, 0.0);
    EXPECT_DOUBLE_EQ(m.turnCoefficient, 60 * 0.022 / 91.0); // 400 ft: half length 60 m
}

TEST_F(ShipWorld, ItAnswersItsHelmAndTelegraph) {
    MotionModel& m = *ship({0.0, 0.0, 0.0}).motion;
    underWay(m, 10.0);
    m.setOrderedCourse(90.0);
    m.setOrderedSpeed(20.0);
    run(m, 1200.0);
    EXPECT_EQ(m.heading, 90.0);
    EXPECT_NEAR(m.speed, 20.0 * 91.44 / (91.44 + m.responseLoad), 0.5); // a loaded drive falls short
    EXPECT_GT(m.x, 1000.0);
}

TEST_F(ShipWorld, AHeadingSetFromOutsideTakesTheDriveWithIt) {
    // A collision turns a hull between its steps: the drive must push along the new heading at
    // once, as along a heading reached by the helm.
    MotionModel& m = *ship({0.0, 0.0, 0.0}).motion;
    underWay(m, 10.0);
    m.setOrderedSpeed(10.0);
    run(m, 60.0);
    const double eastBefore = m.x, northBefore = m.y;
    EXPECT_GT(northBefore, 200.0);
    m.heading = m.orderedCourse = 90.0;
    m.setOrderedCourse(90.0);
    run(m, 120.0);
    EXPECT_GT(m.x - eastBefore, 200.0);
    EXPECT_GT(m.x - eastBefore, 2.0 * (m.y - northBefore)); // the way north fades, the east builds
    EXPECT_GT(m.velocityX, 5.0 * std::fabs(m.velocityY));
}

TEST_F(ShipWorld, ALiftedHullFallsBackOntoTheSea) {
    MotionModel& m = *ship({0.0, 0.0, 10.0}).motion;
    run(m, 0.4);
    EXPECT_LT(m.verticalSpeed, -2.0 * 10.66 * 0.4 + 1e-9); // gravity twice: above its footing and in the air
    run(m, 4.0);
    EXPECT_LE(m.z, 0.0);
}

TEST_F(ShipWorld, AShipOnLandStandsOnIt) {
    TerrainGrid grid{11, 11, 500.0, [](int, int) -> std::int16_t { return 5; }};
    MotionModel& m = *ship({2500.0, 2500.0, 20.0}).motion;
    run(m, 10.0);
    EXPECT_DOUBLE_EQ(m.z, MotionModel::terrainHeight(m.x, m.y));
    EXPECT_GT(m.z, 4.0);
}

// Deep water to the west, a shoal 6 m deep from about 2.5 km east on.
TEST_F(ShipWorld, AShipRunAgroundAtSpeedKeepsNoFallAndTheNextScrapeCostsOnlyItsWay) {
    TerrainGrid shoal{11, 11, 500.0, [](int column, int) -> std::int16_t { return column > 4 ? -6 : -50; }};
    setClock(100.0);
    Entity& e = ship({1000.0, 2500.0, 0.0});
    MotionModel& m = *e.motion;
    m.heading = m.orderedCourse = 90.0;
    underWay(m, 20.0);
    for (double t = 0.0; t < 600.0 && m.lastGroundingTime == 0.0; t += 0.4)
        run(m, 0.4);
    ASSERT_GT(m.lastGroundingTime, 0.0);
    const double firstLoss = 1.0 - e.hull; // its way alone: trunc(about 20 / 5.08) over armour 10
    EXPECT_NEAR(firstLoss, 0.3, 1e-9);
    run(m, 40.0);
    // It fell back off the lift onto the bottom and stays there, aground but afloat.
    EXPECT_DOUBLE_EQ(m.z, MotionModel::terrainHeight(m.x, m.y));
    EXPECT_EQ(m.speed, 0.0);
    EXPECT_FALSE(m.sinking);
    EXPECT_EQ(m.verticalSpeed, 0.0);
    // Brought off onto the sea and turned about under way: still on the shoal, it scrapes again.
    const double before = e.hull;
    const double firstScrape = m.lastGroundingTime;
    m.z = 0.0;
    m.heading = m.orderedCourse = 270.0;
    underWay(m, 20.0);
    run(m, 0.4);
    ASSERT_GT(m.lastGroundingTime, firstScrape);
    EXPECT_NEAR(before - e.hull, firstLoss, 1e-9);
    EXPECT_GT(e.hull, 0.0);
    EXPECT_FALSE(m.sinking);
}

TEST_F(ShipWorld, ALostShipSinks) {
    Entity& e = ship({0.0, 0.0, 0.0});
    e.motion->beginSinking();
    run(*e.motion, 200.0);
    EXPECT_DOUBLE_EQ(e.motion->verticalSpeed, -1.524);
    EXPECT_LT(e.motion->z, -100.0);
}

} // namespace
} // namespace q71::test
