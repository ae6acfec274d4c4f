#include "sim/world/map_projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

// Great-circle distance in km on the projection's sphere.
double sphereDistance(double lat1, double lon1, double lat2, double lon2) {
    const double k = M_PI / 180.0;
    const double h = std::pow(std::sin((lat2 - lat1) * k / 2), 2) +
                     std::cos(lat1 * k) * std::cos(lat2 * k) * std::pow(std::sin((lon2 - lon1) * k / 2), 2);
    return 2 * 6366.0 * std::asin(std::sqrt(h));
}

TEST(ProjectionCreate, LatitudeMustLieOnTheGlobe) {
    EXPECT_EQ(projCreate(90.5, 0, false), nullptr);
    EXPECT_EQ(projCreate(-90.5, 0, true), nullptr);
    EXPECT_EQ(projCreate(std::nan(""), 0, false), nullptr);
    EXPECT_NE(projCreate(90, 0, false), nullptr);
    EXPECT_NE(projCreate(-90, 0, true), nullptr);
}

TEST(ProjectionCreate, NullProjectionAnswersWithDefaults) {
    EXPECT_TRUE(projIsGeographic(nullptr));
    double lat = 7, lon = 7, x = 5, y = 5;
    projCentre(nullptr, &lat, &lon);
    EXPECT_EQ(lat, 0.0);
    EXPECT_EQ(lon, 0.0);
    projForward(nullptr, 10, 10, &x, &y);
    projInverse(nullptr, 10, 10, &lat, &lon);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(lat, 0.0);
}

TEST(ProjectionCreate, KeepsItsKindAndCentre) {
    auto geographic = projCreate(40, 18, true);
    auto stereographic = projCreate(-33.5, 151.25, false);
    EXPECT_TRUE(projIsGeographic(geographic.get()));
    EXPECT_FALSE(projIsGeographic(stereographic.get()));
    double lat, lon;
    projCentre(stereographic.get(), &lat, &lon);
    EXPECT_EQ(lat, -33.5);
    EXPECT_EQ(lon, 151.25);
}

TEST(GeographicProjection, MeasuresMinutesOfArc) {
    auto p = projCreate(40, 18, true);
    double x, y, lat, lon;
    projForward(p.get(), 41, 19, &x, &y);
    EXPECT_DOUBLE_EQ(x, 60.0);
    EXPECT_DOUBLE_EQ(y, 60.0);
    projInverse(p.get(), -90, 30, &lat, &lon);
    EXPECT_DOUBLE_EQ(lat, 40.5);
    EXPECT_DOUBLE_EQ(lon, 16.5);
}

TEST(StereographicProjection, ReferenceValues) {
    auto equator = projCreate(0, 0, false);
    double x = -1, y = -1;
    projForward(equator.get(), 0, 0, &x, &y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    projForward(equator.get(), 1, 0, &x, &y);
    EXPECT_NEAR(x, 0.0, 1e-9);
    EXPECT_NEAR(y, 111.1, 0.05);
    projForward(equator.get(), 0, 1, &x, &y);
    EXPECT_NEAR(x, 111.1, 0.05); // east is +x
    EXPECT_NEAR(y, 0.0, 1e-9);

    double lat = -1, lon = -1;
    projInverse(equator.get(), 0, 0, &lat, &lon);
    EXPECT_NEAR(lat, 0.0, 1e-9);
    EXPECT_NEAR(lon, 0.0, 1e-9);
}

TEST(StereographicProjection, AxesPointEastAndNorthAwayFromTheEquator) {
    auto p = projCreate(62.0, -7.0, false);
    double x, y;
    projForward(p.get(), 62.0, -6.0, &x, &y);
    EXPECT_GT(x, 50.0);
    EXPECT_NEAR(y, 0.0, 1.0); // a parallel curves slightly toward the pole
    projForward(p.get(), 61.0, -7.0, &x, &y);
    EXPECT_NEAR(x, 0.0, 1e-9);
    EXPECT_NEAR(y, -111.1, 0.05);
}

TEST(StereographicProjection, PlaneRadiusFollowsTheGreatCircleDistance) {
    // A stereographic plane point at radius rho lies 2 R atan(rho / 2R) from the centre.
    auto p = projCreate(36.0, -5.5, false);
    const double points[][2] = {{268.8, 268.8}, {-500, 120}, {3000, -4000}, {0.001, 0}};
    for (const auto& xy : points) {
        double lat, lon;
        projInverse(p.get(), xy[0], xy[1], &lat, &lon);
        const double rho = std::hypot(xy[0], xy[1]);
        EXPECT_NEAR(sphereDistance(36.0, -5.5, lat, lon), 2 * 6366.0 * std::atan(rho / 12732.0), 1e-3)
            << xy[0] << "," << xy[1];
    }
}

TEST(StereographicProjection, RoundTripsNearAndFar) {
    const double centres[][2] = {{0, 0}, {66.5, 2}, {-45, 170}, {89.9, 10}, {-90, 0}, {12, -179.5}};
    for (const auto& c : centres) {
        auto p = projCreate(c[0], c[1], false);
        // From the centre out to 150 degrees away, in every direction.
        for (double reach : {0.01, 2.4, 10.0, 60.0, 95.0, 150.0}) {
            for (double bearing = 0; bearing < 360; bearing += 45) {
                const double rho = 12732.0 * std::tan(reach * M_PI / 360.0);
                const double x = rho * std::sin(bearing * M_PI / 180),
                             y = rho * std::cos(bearing * M_PI / 180);
                double lat, lon, x2, y2;
                projInverse(p.get(), x, y, &lat, &lon);
                projForward(p.get(), lat, lon, &x2, &y2);
                const double tolerance = 1e-6 * std::max(1.0, rho);
                EXPECT_NEAR(x2, x, tolerance)
                    << c[0] << "," << c[1] << " reach " << reach << " bearing " << bearing;
                EXPECT_NEAR(y2, y, tolerance)
                    << c[0] << "," << c[1] << " reach " << reach << " bearing " << bearing;
            }
        }
    }
}

TEST(StereographicProjection, OutputsMayBeLeftOut) {
    auto p = projCreate(10, 10, false);
    double x = 0, lat = 0;
    projForward(p.get(), 11, 10, nullptr, nullptr);
    projForward(p.get(), 10, 11, &x, nullptr);
    projInverse(p.get(), 0, 111.1, &lat, nullptr);
    EXPECT_GT(x, 100.0);
    EXPECT_NEAR(lat, 11.0, 0.01);
}

} // namespace
} // namespace q71
