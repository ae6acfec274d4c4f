// The view's frame arithmetic: the bearing cone, hull-down, the sky backdrop and the seaway.
#include "tactical/rwutils/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr float kDeg = std::numbers::pi_v<float> / 180.0f;

TEST(ViewGeometry, TheConeWrapsAcrossDueSouth) {
    struct Case {
        float look, object, distance;
        bool shown;
    };
    const Case cases[] = {
        {180.0f, -178.0f, 200.0f, true},  // a few degrees across the ±180° line
        {-179.0f, 179.0f, 200.0f, true},
        {0.0f, 23.0f, 200.0f, true},
        {0.0f, 25.0f, 200.0f, false},
        {180.0f, 0.0f, 49.0f, true},      // behind, but close by
        {180.0f, 0.0f, 60.0f, false},
        {0.0f, 0.0f, 600.0f, false},      // at the range
    };
    for (const Case& c : cases) {
        const float off = bearingDifference(c.look * kDeg, c.object * kDeg);
        EXPECT_EQ(objectInView(c.distance, 600.0f, off, kViewConeHalfAngle), c.shown)
            << c.look << " " << c.object << " " << c.distance;
    }
    EXPECT_NEAR(sceneBearing(1.0f, 0.0f), 90.0f * kDeg, 1e-6);
    EXPECT_NEAR(std::fabs(sceneBearing(0.0f, -1.0f)), 180.0f * kDeg, 1e-6);
}

TEST(ViewGeometry, HullDownSinksDistantShipsBelowTheHorizon) {
    // A camera 1.5 scene units (15 m) up: the horizon lies about 1.14 · √(15 · 3.24 ...) miles off.
    const float h = 1.5f;
    const float horizon = std::sqrt(h * 32.397408f) * 1.14f * 185.2f;
    // Short of the horizon a ship sinks only by the low-ship term beyond 317 units.
    EXPECT_NEAR(hullDownDrop(2, horizon - 1.0f, h, true), (horizon - 1.0f - 317.0f) * h * 0.005678233f, 1e-3);
    EXPECT_EQ(hullDownDrop(2, 300.0f, h, true), 0.0f);
    EXPECT_GT(hullDownDrop(2, horizon + 500.0f, h, true), hullDownDrop(2, horizon + 100.0f, h, true));
    EXPECT_EQ(hullDownDrop(2, 5000.0f, h, false), 0.0f);
    EXPECT_EQ(hullDownDrop(2, 5000.0f, 0.0f, true), 0.0f); // at or below the surface nothing sinks
    // Kinds below 4 and kind 6 sink a little more beyond 317 units; kind 5 does not.
    EXPECT_EQ(hullDownDrop(1, 300.0f, h, true), 0.0f);
    EXPECT_NEAR(hullDownDrop(1, 417.0f, h, true), 100.0f * h * 0.005678233f, 1e-4);
    EXPECT_EQ(hullDownDrop(5, 417.0f, h, true), 0.0f);
    // Ranges: ships to the far clip, small craft only close by.
    EXPECT_EQ(visibilityRange(2, true, 1800.0f), 1800.0f);
    EXPECT_EQ(visibilityRange(1, true, 1800.0f), -1.0f);
    EXPECT_EQ(visibilityRange(6, true, 1800.0f), -1.0f);
    EXPECT_EQ(visibilityRange(5, true, 1800.0f), 600.0f);
    EXPECT_EQ(visibilityRange(1, false, 1800.0f), 600.0f);
    EXPECT_FALSE(objectInView(51.0f, visibilityRange(1, true, 1800.0f), 0.0f, kViewConeHalfAngle));
}

TEST(ViewGeometry, TheBackdropStandsOnTheHorizon) {
    const double fx = 16.0 * std::numbers::pi / 180.0, fy = fx * 225.0 / 400.0;
    // Looking level north at zoom 1: no shift, the horizon row H + 2 + 2·zoom above the bottom.
    BackdropPlacement p = placeBackdrop({0, 0, -1}, 400, 225, fx, fy, 1.0, true);
    EXPECT_EQ(p.offsetY, -112 - 2 - 0 - 2);
    EXPECT_EQ(p.viewport.height, 112 + 4);
    EXPECT_EQ(p.viewport.width, 400);
    // Magnified: the whole view, the offset lower by 2 per zoom step.
    p = placeBackdrop({0, 0, -1}, 400, 225, fx, fy, 4.0, true);
    EXPECT_EQ(p.offsetY, -112 - 8 - 2);
    EXPECT_EQ(p.viewport.height, 225);
    // Raised view: the horizon moves down, and the backdrop with it.
    const float up = std::sin(0.1f);
    p = placeBackdrop({0, up, -std::cos(0.1f)}, 400, 225, fx, fy, 1.0, true);
    const int v = static_cast<int>(0.5 + 0.525 * 225 * std::asin(up) / fy);
    EXPECT_GT(v, 0);
    EXPECT_EQ(p.offsetY, -112 - 2 - v - 2);
    EXPECT_EQ(p.viewport.height, std::min(225, 112 + v + 4));
    // Turning right scrolls it left.
    const BackdropPlacement east = placeBackdrop({1, 0, 0}, 400, 225, fx, fy, 1.0, true);
    const BackdropPlacement north = placeBackdrop({0, 0, -1}, 400, 225, fx, fy, 1.0, true);
    EXPECT_NE(east.offsetX, north.offsetX);
    // Without a backdrop: the whole view.
    p = placeBackdrop({0, 0, -1}, 300, 300, fx, fx, 1.0, false);
    EXPECT_EQ(p.viewport.height, 300);
}

TEST(ViewGeometry, SeawayAnglesAndPhases) {
    // Half sea state 2, size 100: pitch amplitude 36°, roll amplitude 20°, cosines of whole degrees.
    SeawayAngles a = seawayAngles(2.0, 100.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(a.pitch, 36.0);
    EXPECT_DOUBLE_EQ(a.roll, 20.0);
    a = seawayAngles(2.0, 100.0, 90.2, 179.6);
    EXPECT_NEAR(a.roll, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(a.pitch, -36.0);
    a = seawayAngles(0.0, 100.0, 0.0, 0.0);
    EXPECT_EQ(a.pitch, 0.0);
    a = seawayAngles(2.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(a.roll, 0.0);
    double p1 = 350.0, p2 = 0.0;
    advanceSeaway(1000.0, 0.5, p1, p2); // +22.5° and +50°
    EXPECT_NEAR(p1, 12.5, 1e-9);
    EXPECT_NEAR(p2, 50.0, 1e-9);
}

} // namespace
} // namespace q71
