// Ship control's rules without a screen: where a dial click points, the telegraph's bands, the
// rudder's steps, the diving officer's 12-foot line, the trim gauge and the helm wheel.
#include "stations/shipctrl/ship_orders.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

TEST(ShipOrders, AClickBearingIsACompassBearingFromTheDialCentre) {
    struct Case {
        int dx, dy, bearing;
    };
    const std::vector<Case> cases = {
        {0, -10, 0},  {10, 0, 90},   {0, 10, 180},  {-10, 0, 270},
        {10, -10, 45}, {10, 10, 135}, {-10, 10, 225}, {-10, -10, 315},
        {1, -1000, 1}, // just right of straight up
        {-1, -1000, 0}, // just left of it: 0, never 360
    };
    for (const Case& c : cases) {
        const auto b = dialClickBearing(c.dx, c.dy);
        ASSERT_TRUE(b) << c.dx << "," << c.dy;
        EXPECT_EQ(*b, c.bearing) << c.dx << "," << c.dy;
    }
    EXPECT_FALSE(dialClickBearing(0, 0)) << "the exact centre is ignored";
}

TEST(ShipOrders, TheTelegraphBandsAndItsDeadBandAtTheBottom) {
    struct Case {
        int bearing, position; ///< -1: ignored
    };
    const std::vector<Case> cases = {
        {0, 4},   {347, 4}, {16, 4},   {17, 5},   {46, 5},   {47, 6},   {76, 6},   {77, 7},
        {105, 7}, {106, 8}, {134, 8},  {135, 9},  {164, 9},  {165, -1}, {200, -1}, {225, -1},
        {226, 0}, {254, 0}, {255, 1},  {286, 1},  {287, 2},  {315, 2},  {316, 3},  {346, 3},
    };
    for (const Case& c : cases) {
        const auto p = telegraphPositionAt(c.bearing);
        EXPECT_EQ(p ? *p : -1, c.position) << c.bearing;
    }
    // Each position's own scale angle picks it again.
    for (int p = 0; p < kTelegraphPositions; ++p)
        EXPECT_EQ(telegraphPositionAt(telegraphAngle(p)), p) << p;
}

TEST(ShipOrders, RudderClicksGiveFiveDegreeStepsBelowTheCentreOnly) {
    struct Case {
        int dx, dy, rudder; ///< -99: ignored
    };
    const std::vector<Case> cases = {
        {0, 20, 0},      // straight below: amidships
        {1, 20, 0},      // within 5 degrees of the vertical
        {-1, 20, 0},
        {3, 20, 5},      // about 8.5 degrees: one step
        {-3, 20, -5},
        {24, 20, 25},    // about 50 degrees
        {-24, 20, -25},
        {40, 1, 30},     // beside the centre: hard over
        {-40, 1, -30},
        {5, 0, -99},     // on the centre line
        {0, -20, -99},   // above
    };
    for (const Case& c : cases) {
        const auto r = rudderOrderAt(c.dx, c.dy);
        EXPECT_EQ(r ? *r : -99, c.rudder) << c.dx << "," << c.dy;
    }
    EXPECT_EQ(rudderCall(0).text, 296);
    EXPECT_STREQ(rudderCall(-30).sample, "Hlm15f.wav");
    EXPECT_STREQ(rudderCall(15).sample, "Hlm1415.wav");
    EXPECT_EQ(rudderCall(15).value, 15);
    EXPECT_EQ(rudderCall(-10).text, 294);
    EXPECT_STREQ(telegraphCall(4).sample, "Hlm1.wav");
    EXPECT_EQ(telegraphCall(9).text, 82);
}

TEST(ShipOrders, TheDivingOfficerReportsAcrossTheTwelveFootLineOnly) {
    const double submerged = -30.0, surfaced = 0.0, line = -3.6576;
    EXPECT_TRUE(depthReportDue(submerged, 150));
    EXPECT_FALSE(depthReportDue(submerged, 35)) << "a shallow order while submerged";
    EXPECT_TRUE(depthReportDue(surfaced, 28));
    EXPECT_FALSE(depthReportDue(surfaced, 60)) << "diving from the surface to 60 feet";
    EXPECT_FALSE(depthReportDue(line, 150));
    EXPECT_FALSE(depthReportDue(line, 28));
}

TEST(ShipOrders, TheTrimGaugeAndTheHelmWheelStayWithinTheirClamps) {
    // 106 rows from 31: the middle at 84, the ends at 31 and 137.
    EXPECT_EQ(trimBarTop(0, 50), 84);
    EXPECT_EQ(trimBarTop(50, 50), 31);
    EXPECT_EQ(trimBarTop(500, 50), 31);
    EXPECT_EQ(trimBarTop(-50, 50), 137);
    EXPECT_EQ(trimBarTop(-9999, 400), 137);
    EXPECT_EQ(trimBarTop(200, 400), 58);

    const double k1 = 18.0 / (2.0 * 30.0);
    EXPECT_EQ(wheelStep(0.0, k1), 0);
    EXPECT_EQ(wheelStep(30.0, k1), -9);
    EXPECT_EQ(wheelStep(-30.0, k1), 9);
    EXPECT_EQ(wheelStep(-90.0, 1.0), 9) << "clamped both ways";
    EXPECT_EQ(wheelStep(90.0, 1.0), -9);
    const double k2 = 0.18 / (2.0 * 25.0);
    EXPECT_DOUBLE_EQ(wheelOffset(0.0, k2), -0.06);
    EXPECT_DOUBLE_EQ(wheelOffset(1000.0, k2), 0.03);
    EXPECT_DOUBLE_EQ(wheelOffset(-1000.0, k2), -0.15);
}

} // namespace
} // namespace q71
