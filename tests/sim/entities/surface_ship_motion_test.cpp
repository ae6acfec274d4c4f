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

TEST_F(ShipWorld, ALostShipSinks) {
    Entity& e = ship({0.0, 0.0, 0.0});
    e.motion->beginSinking();
    run(*e.motion, 200.0);
    EXPECT_DOUBLE_EQ(e.motion->verticalSpeed, -1.524);
    EXPECT_LT(e.motion->z, -100.0);
}

} // namespace
} // namespace q71::test
