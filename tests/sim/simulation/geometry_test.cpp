#include "sim/simulation/geometry.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace q71 {
namespace {

// The program's radian-to-degree factor is a little off the true one, as the data was made with it.
constexpr double kDegreeTolerance = 1e-6;

TEST(Geometry, BearingOfTheCardinalOffsets) {
    EXPECT_DOUBLE_EQ(geoBearing(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(geoBearing(0, 1), 0.0);
    EXPECT_NEAR(geoBearing(1, 0), 90.0, kDegreeTolerance);
    EXPECT_NEAR(geoBearing(0, -1), 180.0, kDegreeTolerance);
    EXPECT_NEAR(geoBearing(-1, 0), 270.0, kDegreeTolerance);
    EXPECT_NEAR(geoBearing(-1, 1), 315.0, kDegreeTolerance);
}

TEST(Geometry, AngleDifferenceIsSignedAndShort) {
    EXPECT_DOUBLE_EQ(angleDiff(350, 10), 20.0);
    EXPECT_DOUBLE_EQ(angleDiff(10, 350), -20.0);
    EXPECT_DOUBLE_EQ(angleDiff(0, 180), 180.0);
    EXPECT_DOUBLE_EQ(angleDiff(180, 0), -180.0);
    EXPECT_NEAR(relativeBearing(350, 1, 0), 100.0, kDegreeTolerance);
    EXPECT_NEAR(relativeBearing(90, -1, 0), 180.0, kDegreeTolerance);
}

TEST(Geometry, AngleSumWrapsIntoOneTurn) {
    EXPECT_DOUBLE_EQ(angleAdd(350, 20), 10.0);
    EXPECT_DOUBLE_EQ(angleAdd(-30, 0), 330.0);
    EXPECT_DOUBLE_EQ(angleAdd(-750, 0), 330.0);
    EXPECT_DOUBLE_EQ(angleAdd(360, 0), 0.0);
    EXPECT_DOUBLE_EQ(angleAdd(-360, 0), 0.0);
    EXPECT_LT(angleAdd(-1e-20, 0), 360.0);
}

TEST(Geometry, ProjectionTakesYards) {
    double x = 0, y = 0;
    geoProject(0, 0, 90, 1000, x, y);
    EXPECT_NEAR(x, 914.4, 1e-4);
    EXPECT_NEAR(y, 0.0, 1e-4);
    geoProject(100, 200, 180, 1000, x, y);
    EXPECT_NEAR(x, 100.0, 1e-4);
    EXPECT_NEAR(y, 200.0 - 914.4, 1e-4);
}

// A sine and cosine kept along a changing course project, point for point and bit for bit, as a
// fresh projection does: through repeats, a course set back to one seen before, signed zeros, a
// full turn, and courses that are not numbers or infinite.
TEST(Geometry, AKeptCourseProjectsAsEachFreshProjection) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double courses[] = {0.0,         0.0, -0.0, -0.0, 0.0, 90.0, 90.0,  37.25, 90.0,   360.0, -0.0,
                              359.9999999, nan, nan,  12.0, inf, -inf, 1e300, 1e300, 5e-324, 0.0};
    AngleTrig kept;
    double start[2] = {-0.0, 1234.5};
    int step = 0;
    for (double course : courses) {
        const double rangeYards = step++ % 3 == 0 ? 0.0 : 517.25 * step;
        double keptX = 0, keptY = 0, freshX = 0, freshY = 0;
        geoProject(start[0], start[1], kept.at(course), rangeYards, keptX, keptY);
        geoProject(start[0], start[1], course, rangeYards, freshX, freshY);
        SCOPED_TRACE(::testing::Message() << "course " << course << " at step " << step);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(keptX), std::bit_cast<std::uint64_t>(freshX));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(keptY), std::bit_cast<std::uint64_t>(freshY));
        start[0] = std::isfinite(freshX) ? freshX : -0.0;
        start[1] = std::isfinite(freshY) ? freshY : 0.0;
    }
}

TEST(Geometry, RangesBetweenPlacedThings) {
    const WorldPoint a{0, 0, 0}, b{300, 400, -1200};
    EXPECT_DOUBLE_EQ(geoRange(300, 400), 500.0);
    EXPECT_DOUBLE_EQ(geoRange3d(300, 400, -1200), 1300.0);
    EXPECT_DOUBLE_EQ(entityRangeYards(a, b), 500.0 * 1.0936);
    EXPECT_DOUBLE_EQ(fixRangeYards(a, b), 500.0 * 1.0936);
    EXPECT_DOUBLE_EQ(entityRange3dYards(a, b), 1300.0 * 1.0936);
    EXPECT_NEAR(entityBearing(a, b), 36.8698976, kDegreeTolerance);
    EXPECT_NEAR(fixToFixBearing(b, a), 216.8698976, kDegreeTolerance);
}

struct Buoy {
    double east, north;
};
WorldPoint worldPoint(const Buoy& buoy) {
    return {buoy.east, buoy.north, 0.0};
}

TEST(Geometry, AnyTypeWithAPositionIsPlaced) {
    static_assert(Placed<Buoy>);
    static_assert(!Placed<int>);
    EXPECT_DOUBLE_EQ(fixToFixRangeYards(Buoy{0, 0}, Buoy{0, 1000}), 1093.6);
    EXPECT_NEAR(fixBearing(WorldPoint{}, Buoy{-5, 0}), 270.0, kDegreeTolerance);
}

TEST(Geometry, SteeringKeepsTheHeadingForAPointInsideTheTurnBehind) {
    const WorldPoint here{0, 0, 0};
    // 100 m astern: 180 degrees off, and nearer than 20 × 0.508 × 180 / 3 = 609.6 yards.
    EXPECT_DOUBLE_EQ(steerBearing(here, 0.0, 20.0, WorldPoint{0, -100, 0}), 0.0);
    // Far astern: turn to it.
    EXPECT_NEAR(steerBearing(here, 0.0, 20.0, WorldPoint{0, -1000, 0}), 180.0, kDegreeTolerance);
    // Near but ahead of the beam: turn to it.
    EXPECT_NEAR(steerBearing(here, 0.0, 20.0, WorldPoint{100, 10, 0}), 84.2894068, kDegreeTolerance);
    // Stopped: any point is outside the turn.
    EXPECT_NEAR(steerBearing(here, 0.0, 0.0, WorldPoint{0, -100, 0}), 180.0, kDegreeTolerance);
}

TEST(Geometry, AspectAngleFoldsTheRelativeBearing) {
    EXPECT_DOUBLE_EQ(worldAspectAngle(0, 0), 0.0);   // seen from astern
    EXPECT_DOUBLE_EQ(worldAspectAngle(0, 180), 0.0); // seen bow-on
    EXPECT_DOUBLE_EQ(worldAspectAngle(0, 90), 90.0); // beam
    EXPECT_DOUBLE_EQ(worldAspectAngle(0, 270), -90.0);
    EXPECT_DOUBLE_EQ(worldAspectAngle(10, 40), 30.0);
    EXPECT_DOUBLE_EQ(worldAspectAngle(10, 140), 50.0);
    EXPECT_DOUBLE_EQ(worldAspectAngle(40, 10), -30.0);
    EXPECT_DOUBLE_EQ(worldAspectAngle(140, 10), -50.0);
}

TEST(Geometry, TowedArraySampleCount) {
    EXPECT_EQ(entitySampleCount(0.0), 1);
    EXPECT_EQ(entitySampleCount(792.48), 80);
}

} // namespace
} // namespace q71
