// The shortcuts of the terrain lookups against the plain lookups: the remembered rough depths and
// the sight line's probe of the grid, on the benchmarks' sea of islands, on and off its edges.
#include "sim/simulation/terrain_geometry.h"
#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace q71 {
namespace {

constexpr double kSeaMetres = 100000.0; // the sea of islands: 101 x 101 samples 1 km apart

std::uint64_t bitsOf(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

struct Point {
    double x, y;
};

// Points a lookup comes back to: the corners of 400 m cells over the sea and beyond its edges
// (far more of them than the table holds, so that they push one another out), the grid's own
// edges and corners, points between, minus zero, and a position that is not a number.
std::vector<Point> pointsToAsk(std::mt19937& draws) {
    std::vector<Point> points;
    std::uniform_int_distribution<int> corner(-10, 260);
    for (int i = 0; i < 40000; ++i)
        points.push_back({corner(draws) * 400.0, corner(draws) * 400.0});
    std::uniform_real_distribution<double> across(-5000.0, kSeaMetres + 5000.0);
    for (int i = 0; i < 2000; ++i)
        points.push_back({across(draws), across(draws)});
    for (double edge : {0.0, -0.0, kSeaMetres, std::nextafter(kSeaMetres, 2 * kSeaMetres), -1e-9})
        for (double along : {0.0, 123.25, kSeaMetres})
            points.push_back({edge, along}), points.push_back({along, edge});
    points.push_back({std::numeric_limits<double>::quiet_NaN(), 500.0});
    return points;
}

TEST(TerrainLookups, RememberedRoughDepthsAreTheRoughDepthsBitForBit) {
    test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
    std::mt19937 draws(71);
    const std::vector<Point> points = pointsToAsk(draws);
    std::uniform_int_distribution<std::size_t> pick(0, points.size() - 1);
    std::uniform_int_distribution<std::size_t> near(0, 63);
    int known = 0, unknown = 0;
    for (int i = 0; i < 300000; ++i) {
        // Mostly a few points asked again and again, as the hulls in a cell ask; now and then any.
        const std::size_t at = i % 8 == 0 ? pick(draws) : near(draws) * 613 % points.size();
        const Point& p = points[at];
        double plain = -7.0, remembered = -7.0;
        const bool plainKnown = worldDepthAt(p.x, p.y, &plain, true);
        ASSERT_EQ(worldRoughDepthRemembered(p.x, p.y, &remembered), plainKnown) << p.x << ", " << p.y;
        // Unknown leaves the output as it was; known gives the very same double.
        ASSERT_EQ(bitsOf(remembered), bitsOf(plain)) << p.x << ", " << p.y;
        ++(plainKnown ? known : unknown);
    }
    EXPECT_GT(known, 1000);
    EXPECT_GT(unknown, 1000);
}

TEST(TerrainLookups, ANewGridIsNotAnsweredFromTheOldOnesDepths) {
    const std::vector<Point> points{{400.0, 400.0}, {40000.0, 52000.0}, {99600.0, 0.0}};
    std::vector<double> first;
    {
        test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
        for (const Point& p : points) {
            double depth = 0.0;
            ASSERT_TRUE(worldRoughDepthRemembered(p.x, p.y, &depth));
            first.push_back(depth);
        }
    }
    double none = 0.0;
    EXPECT_FALSE(worldRoughDepthRemembered(400.0, 400.0, &none)); // no grid between the two
    test::TerrainGrid flat(101, 101, 1000.0, [](int, int) -> std::int16_t { return -3000; });
    for (std::size_t i = 0; i < points.size(); ++i) {
        double plain = 0.0, remembered = 0.0;
        ASSERT_TRUE(worldDepthAt(points[i].x, points[i].y, &plain, true));
        ASSERT_TRUE(worldRoughDepthRemembered(points[i].x, points[i].y, &remembered));
        EXPECT_EQ(bitsOf(remembered), bitsOf(plain));
        EXPECT_NE(remembered, first[i]);
    }
}

TEST(TerrainLookups, FloorUnderAPointIsTheSameWhateverWasAskedBefore) {
    // The floor over a cell's corners, asked first in one order on a fresh grid, then in another
    // order among a crowd of other cells on a fresh grid again: the same doubles.
    std::mt19937 draws(9);
    std::uniform_real_distribution<double> across(-3000.0, kSeaMetres + 3000.0);
    std::vector<Point> points;
    for (int i = 0; i < 5000; ++i)
        points.push_back({across(draws), across(draws)});
    std::vector<std::optional<double>> first;
    {
        test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
        for (const Point& p : points)
            first.push_back(terrainDepthInterpolated(p.x, p.y, true));
    }
    test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
    for (std::size_t i = points.size(); i-- > 0;) {
        for (int crowd = 0; crowd < 3; ++crowd)
            terrainDepthInterpolated(across(draws), across(draws), crowd % 2 == 0);
        const std::optional<double> again = terrainDepthInterpolated(points[i].x, points[i].y, true);
        ASSERT_EQ(again.has_value(), first[i].has_value()) << i;
        if (again) {
            EXPECT_EQ(bitsOf(*again), bitsOf(*first[i])) << i;
        }
    }
}

TEST(TerrainLookups, TheProbesCeilingsAreNeverBelowTheRoughBottom) {
    test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
    const std::optional<TerrainCeilingProbe> probe = worldCeilingProbe();
    ASSERT_TRUE(probe);
    std::mt19937 draws(5);
    std::uniform_real_distribution<double> across(-4000.0, kSeaMetres + 4000.0);
    std::uniform_real_distribution<double> size(0.0, 4000.0);
    int boxesOff = 0;
    for (int i = 0; i < 3000; ++i) {
        const double x = across(draws), y = across(draws);
        double rough = 0.0, ceiling = 0.0;
        const bool known = worldDepthAt(x, y, &rough, true);
        ASSERT_EQ(probe->ceilingAt(x, y, &ceiling), known) << x << ", " << y;
        if (known) {
            EXPECT_GE(ceiling, rough) << x << ", " << y;
        }

        // A box from (x, y), either way round: above every rough depth inside it.
        const double x1 = x + (i % 2 ? size(draws) : -size(draws)), y1 = y + (i % 3 ? size(draws) : -size(draws));
        const std::optional<double> highest = probe->highestCeilingIn(x, y, x1, y1);
        bool anyKnown = false;
        for (int u = 0; u <= 12; ++u)
            for (int v = 0; v <= 12; ++v) {
                const double px = x + (x1 - x) * u / 12.0, py = y + (y1 - y) * v / 12.0;
                if (!worldDepthAt(px, py, &rough, true))
                    continue;
                anyKnown = true;
                ASSERT_TRUE(highest) << px << ", " << py;
                EXPECT_GE(*highest, rough) << px << ", " << py;
            }
        if (!highest) {
            ++boxesOff;
            EXPECT_FALSE(anyKnown);
        }
    }
    EXPECT_GT(boxesOff, 10);
    EXPECT_FALSE(probe->highestCeilingIn(-9000.0, 500.0, -6000.0, 900.0)); // wholly west of the grid
    EXPECT_TRUE(probe->highestCeilingIn(-9000.0, 500.0, 0.0, 900.0));      // touching its edge
}

TEST(TerrainLookups, NoProbeWithoutAGrid) {
    worldClose();
    EXPECT_FALSE(worldCeilingProbe());
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{0.0, 0.0, -100.0}, WorldPoint{90000.0, 0.0, -100.0}));
}

} // namespace
} // namespace q71
