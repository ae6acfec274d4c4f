// Chart items: placed by world position on the terrain world's grid.

#include "chart_fixture.h"

#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_item.h"
#include "tactical/charts/chart_view.h"

#include <gtest/gtest.h>

#include <array>

namespace q71::test {
namespace {

class ChartItemTest : public ChartFixture {
protected:
    // 101 x 101 samples a kilometre apart: world (c km, r km) is column c, row 100 - r.
    TerrainGrid terrain{101, 101, 1000.0, [](int, int) -> std::int16_t { return -300; }};
};

TEST_F(ChartItemTest, WorldToGridToWorld) {
    ChartView view(mainWindow, 0, 0, 200, 200, worldGrid());
    ChartItem item(50000.0, 40000.0, nullptr, &view);
    EXPECT_NEAR(item.x(), 50.0, 1e-9);
    EXPECT_NEAR(item.y(), 60.0, 1e-9);
    double x = 0, y = 0;
    ASSERT_TRUE(item.worldPosition(&x, &y));
    EXPECT_NEAR(x, 50000.0, 1e-6);
    EXPECT_NEAR(y, 40000.0, 1e-6);
    // The symbol's own moves take world positions too.
    item.moveToBox(61500.0, 12250.0, -4, 4, -4, 4);
    item.getPosition(&x, &y);
    EXPECT_NEAR(x, 61500.0, 1e-6);
    EXPECT_NEAR(y, 12250.0, 1e-6);
    EXPECT_NEAR(item.x(), 61.5, 1e-9);
    EXPECT_EQ(item.record().right, 4);
    EXPECT_EQ(item.views().size(), 1u);
}

TEST_F(ChartItemTest, ABoxGrowsTowardsThePointsItSpans) {
    ChartItem item(50000.0, 40000.0, nullptr, nullptr);
    // Points east and south: the box grows right and down only.
    const std::array<double, 2> xs{53000.0, 51000.0};
    const std::array<double, 2> ys{37000.0, 38000.0};
    item.setWorldPositionEx(50000.0, 40000.0, xs, ys);
    EXPECT_NEAR(item.record().upperX, 3.0, 1e-9);
    EXPECT_EQ(item.record().lowerX, 0.0);
    EXPECT_NEAR(item.record().upperY, 3.0, 1e-9);
    EXPECT_EQ(item.record().lowerY, 0.0);
    EXPECT_EQ(item.record().left, -10); // pixel offsets kept
    // A point west and north: left and up only.
    item.setWorldPositionWithPoint(50000.0, 40000.0, 48000.0, 45000.0);
    EXPECT_NEAR(item.record().lowerX, -2.0, 1e-9);
    EXPECT_EQ(item.record().upperX, 0.0);
    EXPECT_NEAR(item.record().lowerY, -5.0, 1e-9);
    EXPECT_EQ(item.record().upperY, 0.0);
    // Lists of different lengths change nothing.
    const ChartViewRecord before = item.record();
    item.setWorldPositionEx(10000.0, 10000.0, xs, std::span<const double>(ys).first(1));
    EXPECT_EQ(item.record(), before);
    EXPECT_NEAR(item.x(), 50.0, 1e-9);
    // Boxed: the world offsets go.
    item.setWorldPositionBoxed(20000.0, 20000.0);
    EXPECT_EQ(item.record().lowerX, 0.0);
    EXPECT_EQ(item.record().lowerY, 0.0);
    EXPECT_NEAR(item.x(), 20.0, 1e-9);
}

} // namespace
} // namespace q71::test
