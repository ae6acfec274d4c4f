#include "sim/simulation/sound_profile.h"
#include "sim/simulation/terrain_geometry.h"
#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace q71 {
namespace {

double terrainAt(double x, double y) {
    double depth = 0.0;
    EXPECT_TRUE(worldDepthAt(x, y, &depth, true)) << x << ", " << y;
    return depth;
}

// Heights of a 6 x 6 grid of 400 m cells: a sloping bottom.
std::int16_t slope(int column, int row) {
    return static_cast<std::int16_t>(-1000 + 37 * column - 23 * row);
}

TEST(TerrainDepthInterpolated, IsLinearOverEachTriangleOfTheCell) {
    test::TerrainGrid grid(6, 6, 400.0, slope);
    const double d00 = terrainAt(800, 400), d01 = terrainAt(800, 800);
    const double d10 = terrainAt(1200, 400), d11 = terrainAt(1200, 800);
    // Corners
    EXPECT_NEAR(*terrainDepthInterpolated(800, 400, true), d00, 1e-9);
    EXPECT_NEAR(*terrainDepthInterpolated(800, 800 - 1e-9, true), d01, 1e-5);
    // Lower-left triangle at (0.25, 0.5): a = d00 + (d01 − d00)/2, b = d10 + (d01 − d10)/2, t = 0.25 / 0.5.
    const double aLow = (d00 + d01) / 2, bLow = (d10 + d01) / 2;
    EXPECT_NEAR(*terrainDepthInterpolated(900, 600, true), aLow + (bLow - aLow) * 0.5, 1e-9);
    // Upper-right triangle at (0.75, 0.5): a = (d10 + d11)/2, b = (d10 + d01)/2, t = 0.25 / 0.5.
    const double aHigh = (d10 + d11) / 2, bHigh = (d10 + d01) / 2;
    EXPECT_NEAR(*terrainDepthInterpolated(1100, 600, true), aHigh + (bHigh - aHigh) * 0.5, 1e-9);
    // On the diagonal both triangles agree with the diagonal's own line.
    EXPECT_NEAR(*terrainDepthInterpolated(1000, 600, true), bLow, 1e-9);
}

TEST(TerrainDepthInterpolated, CoarseCellsAre875MetresWide) {
    test::TerrainGrid grid(6, 6, 400.0, slope);
    const double d00 = terrainAt(875, 875), d10 = terrainAt(1750, 875);
    EXPECT_NEAR(*terrainDepthInterpolated(875 + 218.75, 875, false), d00 + (d10 - d00) * 0.25, 1e-9);
}

TEST(TerrainDepthInterpolated, UnknownCornersTakeTheMeanOfTheKnownOnes) {
    test::TerrainGrid grid(3, 3, 400.0, slope); // 800 m square
    // The cell from x 800 to 1200: its east corners lie off the grid and take the west ones' mean.
    const double west = terrainAt(800, 0), mean = (terrainAt(800, 0) + terrainAt(800, 400)) / 2;
    EXPECT_NEAR(*terrainDepthInterpolated(900, 0, true), west + (mean - west) * 0.25, 1e-9);
    EXPECT_NEAR(*terrainDepthInterpolated(1200 - 1e-6, 0, true), mean, 1e-6);
    EXPECT_FALSE(terrainDepthInterpolated(5000, 5000, true).has_value());
}

TEST(TerrainDepthInterpolated, NothingWithoutAGrid) {
    worldClose();
    EXPECT_FALSE(terrainDepthInterpolated(100, 100, true).has_value());
}

// A flat bottom at −600 m with a ridge running north-south from x = 1600 to 2400 m, its crest at −20 m.
std::int16_t ridge(int column, int) {
    return static_cast<std::int16_t>(column >= 4 && column <= 6 ? -20 : -600);
}

TEST(TerrainLineBlocked, ARidgeBetweenTwoBoatsBlocksThem) {
    test::TerrainGrid grid(11, 11, 400.0, ridge);
    const WorldPoint west{400, 2000, -100}, east{3600, 2000, -100};
    WorldPoint at;
    ASSERT_TRUE(terrainLineBlocked(west, east, &at));
    EXPECT_GT(at.x, 1600);
    EXPECT_LT(at.x, 2400);
    EXPECT_DOUBLE_EQ(at.y, 2000);
    EXPECT_GT(at.z, -100); // the terrain there stands above the line
    EXPECT_NEAR(at.z, terrainAt(at.x, at.y), 1e-9);
    EXPECT_TRUE(terrainLineBlocked(east, west));
}

TEST(TerrainLineBlocked, LinesAboveTheRidgeOrAlongTheValleyAreClear) {
    test::TerrainGrid grid(11, 11, 400.0, ridge);
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{400, 2000, -5}, WorldPoint{3600, 2000, -5}));
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{400, 400, -300}, WorldPoint{400, 3600, -300}));
    WorldPoint untouched{1, 2, 3};
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{400, 400, -300}, WorldPoint{400, 3600, -300}, &untouched));
    EXPECT_DOUBLE_EQ(untouched.x, 1);
}

TEST(TerrainLineBlocked, PointsWithin400YardsAlwaysSeeEachOther) {
    test::TerrainGrid grid(11, 11, 400.0, ridge);
    // 350 yards apart across the ridge's crest, both deep below it.
    const double apart = 350 * kYardsToMetres;
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{2000 - apart / 2, 2000, -500},
                                    WorldPoint{2000 + apart / 2, 2000, -500}));
    EXPECT_TRUE(
        terrainLineBlocked(WorldPoint{2000 - apart, 2000, -500}, WorldPoint{2000 + apart, 2000, -500}));
}

// Every step of the sight line sampled, as the line test is defined: the first step (every 400
// yards) where the rough bottom stands above the line; steps kFrom..kTo of it alone when given.
std::optional<WorldPoint> firstBlockedStep(const WorldPoint& a, const WorldPoint& b, double kFrom = 1.0,
                                           double kTo = std::numeric_limits<double>::infinity()) {
    const double n = entityRangeYards(a, b) / 400.0;
    for (double k = kFrom; k < n && k <= kTo; k += 1.0) {
        const double t = k / n;
        const WorldPoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
        double terrain = 0.0;
        if (worldDepthAt(p.x, p.y, &terrain, true) && terrain > p.z)
            return WorldPoint{p.x, p.y, terrain};
    }
    return std::nullopt;
}

void expectSameAnswer(const WorldPoint& a, const WorldPoint& b, const std::optional<WorldPoint>& expected,
                      const std::string& what) {
    WorldPoint at{-1, -1, -1};
    ASSERT_EQ(terrainLineBlocked(a, b, &at), expected.has_value()) << what;
    if (expected) {
        EXPECT_DOUBLE_EQ(at.x, expected->x) << what;
        EXPECT_DOUBLE_EQ(at.y, expected->y) << what;
        EXPECT_DOUBLE_EQ(at.z, expected->z) << what;
    } else {
        EXPECT_DOUBLE_EQ(at.x, -1) << what;
    }
}

// Sea of islands of 101 x 101 samples 1 km apart: the benchmarks' sea, with its shoals and islands.
TEST(TerrainLineBlocked, SkippingClearStretchesFindsWhatEveryStepFinds) {
    test::TerrainGrid grid(101, 101, 1000.0, test::islandSeaFloor);
    constexpr double kSea = 100000.0;
    std::mt19937 draws(47);
    std::uniform_real_distribution<double> across(-5000.0, kSea + 5000.0); // off the grid's edges too
    std::uniform_real_distribution<double> unit(-1.0, 1.0), fraction(0.0, 1.0);
    std::uniform_real_distribution<double> depth(-1600.0, 50.0);
    std::uniform_int_distribution<int> sample(0, 100);
    const auto roughAt = [](double x, double y) {
        double bottom = 0.0;
        return worldDepthAt(x, y, &bottom, true) ? bottom : -1000.0;
    };
    // A line near a far end, at most `reach` metres apart.
    const auto fromAnywhere = [&](double reach) {
        const WorldPoint a{across(draws), across(draws), depth(draws)};
        return std::pair{a, WorldPoint{a.x + unit(draws) * reach, a.y + unit(draws) * reach, depth(draws)}};
    };
    using Maker = std::function<std::pair<WorldPoint, WorldPoint>()>;
    struct Layout {
        const char* name;
        Maker line;
    };
    const Layout layouts[] = {
        {"long lines", [&] { return fromAnywhere(20000.0); }},
        {"short lines", [&] { return fromAnywhere(1500.0); }},
        {"across the whole sea", [&] { return fromAnywhere(150000.0); }},
        {"grazing the bottom at the far end",
         [&] {
             auto line = fromAnywhere(20000.0);
             line.second.z = roughAt(line.second.x, line.second.y) + 0.5;
             return line;
         }},
        // Level lines over a sample, a hair above or below the rough bottom there.
        {"grazing a sample",
         [&] {
             const double x = sample(draws) * 1000.0, y = sample(draws) * 1000.0;
             const double offsets[] = {-2.0, -0.01, 0.0, 1e-7, 0.01, 2.0};
             const double z = roughAt(x, y) + offsets[draws() % 6];
             const double half = 2000.0 + 18000.0 * fraction(draws), heading = 3.2 * unit(draws);
             const double dx = half * std::cos(heading), dy = half * std::sin(heading);
             return std::pair{WorldPoint{x - dx, y - dy, z}, WorldPoint{x + dx, y + dy, z}};
         }},
        // Along an edge of the grid, on it or a hair off it.
        {"along the edges",
         [&] {
             const double edge = (draws() % 2) * kSea + (draws() % 3 - 1.0) * 1e-9;
             const double from = across(draws), to = across(draws), z0 = depth(draws), z1 = depth(draws);
             if (draws() % 2)
                 return std::pair{WorldPoint{edge, from, z0}, WorldPoint{edge, to, z1}};
             return std::pair{WorldPoint{from, edge, z0}, WorldPoint{to, edge, z1}};
         }},
        // From the sea to up to 60 km beyond its edge.
        {"partly off the grid",
         [&] {
             const WorldPoint a{fraction(draws) * kSea, fraction(draws) * kSea, depth(draws)};
             const double beyond = 60000.0 * fraction(draws);
             WorldPoint b{a.x, a.y, depth(draws)};
             (draws() % 2 ? b.x : b.y) = draws() % 2 ? -beyond : kSea + beyond;
             return std::pair{a, b};
         }},
    };
    for (const Layout& layout : layouts) {
        int blocked = 0, clear = 0;
        for (int i = 0; i < 2000; ++i) {
            const auto [a, b] = layout.line();
            const std::optional<WorldPoint> expected = firstBlockedStep(a, b);
            expectSameAnswer(a, b, expected, std::string(layout.name) + " line " + std::to_string(i));
            if (HasFatalFailure())
                return;
            ++(expected ? blocked : clear);
        }
        // Both outcomes occur often enough for the comparison to mean something.
        EXPECT_GT(blocked, 50) << layout.name;
        EXPECT_GT(clear, 50) << layout.name;
    }

    // Heights and places no walk of the sea meets: not numbers, and far beyond the grid.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::pair<WorldPoint, WorldPoint> odd[] = {
        {{nan, 50000, -100}, {60000, 50000, -100}},       {{40000, 50000, nan}, {60000, 50000, -100}},
        {{40000, 50000, -1e300}, {60000, 50000, -100}},   {{40000, 50000, -inf}, {60000, 50000, 0}},
        {{40000, 50000, inf}, {60000, 50000, -2000}},     {{40000, 50000, 1e300}, {60000, 50000, -1e300}},
        {{-1e7, 50000, -1300}, {1e7, 50000, -1300}},      {{-1e7, 20000, 0}, {1e7, 80000, 0}},
        {{50000, -1e7, -1250}, {50000, 1e7, -1250}},      {{-2e7, -2e7, -1500}, {-1e7, -1e7, -1500}},
    };
    for (const auto& [a, b] : odd) {
        const std::string what = "from " + std::to_string(a.x) + ", " + std::to_string(a.y) + ", " +
                                 std::to_string(a.z) + " to " + std::to_string(b.x) + ", " +
                                 std::to_string(b.y) + ", " + std::to_string(b.z);
        expectSameAnswer(a, b, firstBlockedStep(a, b), what);
    }
    // Lines of millions of millions of steps across the sea: only the steps over it can be blocked
    // (those beyond lie off the grid), so those are the ones sampled to find the answer.
    for (const double reach : {1e12, 3e14}) {
        for (const double z : {-1300.0, -100.0}) {
            const WorldPoint a{-reach, 50000, z}, b{reach, 50000, z};
            const double n = entityRangeYards(a, b) / 400.0;
            const double kFrom = std::floor(n * (reach - 2000.0) / (2 * reach));
            const double kTo = std::ceil(n * (reach + kSea + 2000.0) / (2 * reach));
            for (const double outside : {kFrom - 1.0, kTo + 1.0}) {
                double bottom = 0.0;
                ASSERT_FALSE(worldDepthAt(a.x + outside / n * (b.x - a.x), 50000, &bottom, true));
            }
            expectSameAnswer(a, b, firstBlockedStep(a, b, kFrom, kTo), "reach " + std::to_string(reach));
        }
    }
    // Steps too many to count one by one (and lines of no length that is a number) block nothing.
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{-1e18, 50000, -1300}, WorldPoint{1e18, 50000, -1300}));
    EXPECT_FALSE(terrainLineBlocked(WorldPoint{-inf, 50000, -1300}, WorldPoint{60000, 50000, -1300}));
}

// Open water without a grid: the walk of every step finds nothing, and neither does the line test,
// however deep or long the line.
TEST(TerrainLineBlocked, WithoutAGridNoLineIsBlocked) {
    worldClose();
    std::mt19937 draws(4747);
    std::uniform_real_distribution<double> across(-50000.0, 90000.0);
    std::uniform_real_distribution<double> depth(-11000.0, 100.0);
    for (int i = 0; i < 500; ++i) {
        const WorldPoint a{across(draws), across(draws), depth(draws)};
        const WorldPoint b{across(draws), across(draws), depth(draws)};
        WorldPoint at{-1, -2, -3};
        ASSERT_FALSE(firstBlockedStep(a, b).has_value()) << "line " << i;
        EXPECT_FALSE(terrainLineBlocked(a, b, &at)) << "line " << i;
        EXPECT_DOUBLE_EQ(at.x, -1);
    }
}

TEST(GeoSafeDepth, TakesTheShallowestOfLimitBottomAndLayer) {
    const WorldPoint here{2000, 2000, -50};
    {
        test::TerrainGrid deep(11, 11, 400.0, [](int, int) -> std::int16_t { return -400; });
        soundProfile().layerDepth = -60.0;
        EXPECT_EQ(geoSafeDepth(here, -243.84), -160); // 100 m below the layer
        soundProfile().layerDepth = -200.0;
        EXPECT_EQ(geoSafeDepth(here, -243.84), -226); // 17 m above the limit, cut toward zero
    }
    {
        test::TerrainGrid shallow(11, 11, 400.0, [](int, int) -> std::int16_t { return -150; });
        const double bottom = *terrainDepthInterpolated(here.x, here.y, true);
        EXPECT_EQ(geoSafeDepth(here, -243.84), static_cast<int>(bottom + 50)); // 50 m above the bottom
    }
    soundProfile().layerDepth = -60.0;
    EXPECT_EQ(geoSafeDepth(here, -500.0), -160); // no grid, no bottom: limit and layer decide
}

} // namespace
} // namespace q71
