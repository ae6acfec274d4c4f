#include "vehicle_fixture.h"

#include "sim/entities/motion/aircraft_motion.h"

#include <cmath>

namespace q71::test {
namespace {

class AircraftWorld : public VehicleWorld {
protected:
    Entity& plane(WorldPoint at, bool flown = true, std::int32_t level = 2) {
        return vehicle<AircraftMotion>("Patrol", kKindAir, at, flown, level);
    }
    Entity& helicopter(WorldPoint at, bool flown = true, std::int32_t level = 2) {
        return vehicle<AircraftMotion>("Helo", kKindAir, at, flown, level);
    }
};

TEST_F(AircraftWorld, AeroplanesAndHelicoptersHaveTheirOwnConstants) {
    const MotionModel& p = *plane({}, true, 3).motion;
    EXPECT_EQ(p.responseLength, 228.6);
    EXPECT_DOUBLE_EQ(p.responseGain, 0.6);
    EXPECT_DOUBLE_EQ(p.responseLoad, 0.6);
    EXPECT_EQ(p.maxPitchAngle, 60.0);
    EXPECT_EQ(p.maxRudderAngle, 45.0);
    EXPECT_EQ(p.turnCoefficient, 0.035);
    EXPECT_EQ(p.positionReportInterval, 20.0);
    EXPECT_EQ(p.positionReportMinInterval, 5.0);
    const MotionModel& h = *helicopter({}, true, 1).motion;
    EXPECT_EQ(h.responseLength, 30.48);
    EXPECT_DOUBLE_EQ(h.responseGain, 0.2);
    EXPECT_EQ(h.maxPitchAngle, 20.0);
    EXPECT_EQ(h.maxRudderAngle, 60.0);
    EXPECT_EQ(h.positionReportInterval, 60.0);
    EXPECT_EQ(h.positionReportMinInterval, 10.0);
    // Anything else flown by this model keeps the plain constants.
    const MotionModel& other = *vehicle<AircraftMotion>("Buoy", kKindAir, {}).motion;
    EXPECT_EQ(other.responseLength, 45.72);
    EXPECT_EQ(other.responseGain, 0.0);
    EXPECT_EQ(other.maxPitchAngle, 45.0);
    EXPECT_EQ(other.positionReportInterval, 120.0);
}

TEST_F(AircraftWorld, AHelicopterClimbsAndDescendsAtMostOneAndAHalfMetresASecond) {
    MotionModel& m = *helicopter({0.0, 0.0, 30.0}).motion;
    m.setOrderedDepth(100.0);
    run(m, 10.0);
    EXPECT_NEAR(m.z, 30.0 + 15.24, 1e-9);
    run(m, 60.0);
    EXPECT_EQ(m.z, 100.0);
    m.setOrderedDepth(90.0);
    run(m, 2.0);
    EXPECT_NEAR(m.z, 100.0 - 3.048, 1e-9);
    EXPECT_EQ(m.buoyancyRate, 0.0);
}

TEST_F(AircraftWorld, AHelicopterDipsItsNoseToGatherSpeed) {
    MotionModel& m = *helicopter({0.0, 0.0, 100.0}).motion;
    m.setOrderedSpeed(150.0);
    run(m, 0.4);
    EXPECT_LT(m.pitch, 0.0);
    EXPECT_NEAR(m.pitch, (150.0 - m.speed) * 20.0 * -0.5 / 150.0,
                1.0); // the speed moved after the pitch was set
}

TEST_F(AircraftWorld, AnAeroplaneBanksIntoItsTurnWithinItsLargestPitch) {
    MotionModel& m = *plane({0.0, 0.0, 500.0}).motion;
    m.orderedDepth = 500.0;
    underWay(m, m.maxSpeed); // full speed: the bank is the rudder's
    m.setRudderOrder(30.0);
    run(m, 10.0);
    ASSERT_EQ(m.rudderAngle, 30.0);
    EXPECT_EQ(m.roll, -30.0);
    m.setRudderOrder(-80.0);
    run(m, 10.0);
    ASSERT_EQ(m.rudderAngle, -80.0);
    EXPECT_EQ(m.roll, 60.0);
    m.setOrderedSpeed(m.maxSpeed / 2); // half speed, half the bank
    run(m, 60.0);
    EXPECT_NEAR(m.roll, 60.0 * m.speed / m.maxSpeed, 1e-9);
    EXPECT_LT(m.roll, 45.0);
}

TEST_F(AircraftWorld, AnAeroplaneClimbsOnItsElevatorsToItsOrderedHeight) {
    MotionModel& m = *plane({0.0, 0.0, 300.0}).motion;
    underWay(m, 200.0);
    m.setOrderedDepth(600.0);
    double steepest = 0.0;
    for (int i = 0; i < 750; ++i) {
        run(m, 0.4);
        steepest = std::max(steepest, m.pitch);
    }
    EXPECT_GT(steepest, 1.0);
    EXPECT_LE(steepest, 60.0);
    // Its second vertical step carries it a little past the height, which it then holds closely.
    EXPECT_NEAR(m.z, 600.0, 1.0) << m.z;
}

TEST_F(AircraftWorld, AnAircraftWithoutAPilotNeitherTurnsNorBanks) {
    MotionModel& m = *plane({0.0, 0.0, 500.0}, false).motion;
    underWay(m, 100.0);
    m.rudderAngle = 20.0;
    m.orderedCourse = 90.0;
    run(m, 4.0);
    EXPECT_EQ(m.heading, 0.0);
    EXPECT_EQ(m.roll, 0.0);
    EXPECT_GT(m.y, 100.0);
}

} // namespace
} // namespace q71::test
