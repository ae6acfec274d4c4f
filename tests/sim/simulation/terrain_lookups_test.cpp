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
    const TerrainCeilingProbe* probe = worldCeilingProbe();
    ASSERT_TRUE(probe);
    std::mt19937 draws(5);
    std::uniform_real_distribution<double> across(-4000.0, kSeaMetres + 4000.0);
    std::uniform_real_distribution<double> size(0.0, 4000.0), height(-1800.0, 300.0);
    int boxesOff = 0, boxesBelow = 0, boxesReaching = 0;
    for (int i = 0; i < 3000; ++i) {
        const double x = across(draws), y = across(draws);
        double rough = 0.0, ceiling = 0.0;
        const bool known = worldDepthAt(x, y, &rough, true);
        ASSERT_EQ(probe->ceilingAt(probe->spotOf(x, y), &ceiling), known) << x << ", " << y;
        if (known) {
            EXPECT_GE(ceiling, rough) << x << ", " << y;
        }

        // A box from (x, y), either way round, judged below a height: every rough depth inside it
        // lies below the height.
        const double x1 = x + (i % 2 ? size(draws) : -size(draws)), y1 = y + (i % 3 ? size(draws) : -size(draws));
        const double level = height(draws);
        const bool below = probe->allBelow(probe->spotOf(x, y), probe->spotOf(x1, y1), probe->lowestReaching(level));
        bool anyKnown = false;
        for (int u = 0; u <= 12; ++u)
            for (int v = 0; v <= 12; ++v) {
                const double px = x + (x1 - x) * u / 12.0, py = y + (y1 - y) * v / 12.0;
                if (!worldDepthAt(px, py, &rough, true))
                    continue;
                anyKnown = true;
                if (below) {
                    ASSERT_LT(rough, level) << px << ", " << py;
                }
            }
        boxesOff += !anyKnown;
        boxesBelow += anyKnown && below;
        boxesReaching += !below;
        // Off the grid nothing reaches any height (a box touching it has a corner on it).
        EXPECT_TRUE(anyKnown || probe->allBelow(probe->spotOf(x, y), probe->spotOf(x1, y1), -32768));
    }
    EXPECT_GT(boxesOff, 10);
    EXPECT_GT(boxesBelow, 100);
    EXPECT_GT(boxesReaching, 100);
    // Wholly west of the grid, and touching its edge.
    EXPECT_TRUE(probe->allBelow(probe->spotOf(-9000.0, 500.0), probe->spotOf(-6000.0, 900.0), -32768));
    EXPECT_FALSE(probe->allBelow(probe->spotOf(-9000.0, 500.0), probe->spotOf(0.0, 900.0), -32768));
}

// On a flat bottom the ceiling is the raised height of its samples: the lowest sample height
// reaching a ceiling is that height, and one more reaches a hair above it.
TEST(TerrainLookups, TheLowestSampleReachingAHeightIsExact) {
    for (const std::int16_t flat : {std::int16_t{-5000}, std::int16_t{-61}, std::int16_t{-1}, std::int16_t{0},
                                    std::int16_t{12}, std::int16_t{3000}}) {
        test::TerrainGrid grid(3, 3, 400.0, [flat](int, int) { return flat; });
        const TerrainCeilingProbe* probe = worldCeilingProbe();
        ASSERT_TRUE(probe);
        double ceiling = 0.0;
        ASSERT_TRUE(probe->ceilingAt(probe->spotOf(300.0, 500.0), &ceiling));
        EXPECT_EQ(probe->lowestReaching(ceiling), flat);
        EXPECT_EQ(probe->lowestReaching(std::nextafter(ceiling, 1e9)), flat + 1);
        EXPECT_FALSE(probe->allBelow(probe->spotOf(0.0, 0.0), probe->spotOf(800.0, 800.0), flat));
        EXPECT_TRUE(probe->allBelow(probe->spotOf(0.0, 0.0), probe->spotOf(800.0, 800.0), flat + 1));
    }
    test::TerrainGrid grid(3, 3, 400.0, [](int, int) { return std::int16_t{0}; });
    const TerrainCeilingProbe* probe = worldCeilingProbe();
    // Any sample reaches the depths of the deepest sea, none the height of the sky, nor a height
    // that is not a number.
    EXPECT_EQ(probe->lowestReaching(-1e9), -32768);
    EXPECT_EQ(probe->lowestReaching(-std::numeric_limits<double>::infinity()), -32768);
    EXPECT_EQ(probe->lowestReaching(1e9), 32768);
    EXPECT_EQ(probe->lowestReaching(std::numeric_limits<double>::quiet_NaN()), 32768);
}

TEST(TerrainLookups, NoProbeWithoutAGrid) {
    worldClose();
    EXPECT_FALSE(worldCeilingProbe());
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{0.0, 0.0, -100.0}, WorldPoint{90000.0, 0.0, -100.0}));
}

} // namespace
} // namespace q71
