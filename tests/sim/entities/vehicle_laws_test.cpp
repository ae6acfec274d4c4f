#include "vehicle_fixture.h"

#include "sim/entities/motion/vehicle_laws.h"

namespace q71::test {
namespace {

using VehicleLaws = VehicleWorld;

TEST(VehicleLawAngles, AnArcSineBeyondReachIsARightAngle) {
    EXPECT_NEAR(asinDegrees(0.5), 30.0, 1e-6);
    EXPECT_NEAR(asinDegrees(4.0), 90.0, 1e-6);
    EXPECT_NEAR(asinDegrees(-7.0), -90.0, 1e-6);
}

TEST_F(VehicleLaws, AModelWithoutAMaximumSpeedAsksForNoPitchAndNoDeflection) {
    MotionModel& m = *body(1, "Buoy", kKindMissile, {}).motion; // no speed, no length
    m.speed = 3.0;
    EXPECT_EQ(speedFraction(m), 0.0);
    m.maxPitchAngle = 0.0;
    EXPECT_EQ(planeDeflection(m, 10.0), 0.0);
    m.planeAngle1 = 5.0;
    m.pitch = 2.0;
    planePitchResponse(m, 10.0, 0.4);
    EXPECT_EQ(m.pitch, 0.0); // held to a largest pitch of 0
}

TEST_F(VehicleLaws, OnePlaneSetKeepsTheDepthAndLevelsWhereItIsOrdered) {
    MotionModel& m = *body(1, "Fish", kKindWeapon, {0.0, 0.0, -10.0}).motion;
    m.maxPitchAngle = 60.0;
    m.maxRudderAngle = 60.0;
    m.speed = 30.0;
    m.orderedDepth = -200.0; // beyond 91.44 m the error asks for the steepest pitch
    stepSinglePlaneDepth(m, 0.4, 30.0);
    EXPECT_NEAR(m.planeOrder1, -30.0, 1e-6); // half the steepest pitch, as a deflection
    EXPECT_DOUBLE_EQ(m.planeAngle1, -12.0);  // slewed 30 degrees a second
    EXPECT_LT(m.pitch, 0.0);
    m.z = m.orderedDepth;
    stepSinglePlaneDepth(m, 0.4, 30.0);
    EXPECT_EQ(m.pitch, 0.0);
    EXPECT_EQ(m.planeAngle1, 0.0);
    EXPECT_EQ(m.planeOrder1, 0.0);
}

} // namespace
} // namespace q71::test
