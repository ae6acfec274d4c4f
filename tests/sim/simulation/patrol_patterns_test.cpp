#include "sim/simulation/patrol_patterns.h"
#include "sim/simulation/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace q71 {
namespace {

// The patterns place points at whole degrees: a point r metres out may lie up to half a degree off.
void expectNear(const WorldPoint& p, double x, double y) {
    const double slack = std::hypot(x, y) * std::sin(0.5 * kDegreesToRadians) + 1e-6;
    EXPECT_NEAR(p.x, x, slack) << "expected (" << x << ", " << y << ")";
    EXPECT_NEAR(p.y, y, slack) << "expected (" << x << ", " << y << ")";
}

TEST(RandomPattern, ZigZagsUpTheBoxRowByRow) {
    randomSeed(1);
    const auto queued = patternRandomPoints(0, 0, 0, 20000, 20000, 4); // level 4: no perturbation
    ASSERT_EQ(queued.size(), 22u);
    const std::vector<WorldPoint> visited(queued.rbegin(), queued.rend());
    const double t = 9144;
    const double firstVisits[][2] = {
        {20000, 0}, {20000, t},     {0, t},     {0, 2 * t}, {20000, t},     {20000, 2 * t}, {0, 2 * t},
        {0, 3 * t}, {20000, 20000}, {0, 4 * t}, {0, 3 * t}, {20000, 3 * t}, {20000, 2 * t}};
    for (std::size_t i = 0; i < std::size(firstVisits); ++i) {
        SCOPED_TRACE(i);
        expectNear(visited[i], firstVisits[i][0], firstVisits[i][1]);
    }
    EXPECT_EQ(visited.back().x, 0.0);
    EXPECT_EQ(visited.back().y, 0.0);
}

TEST(RandomPattern, DrawsOneNumberPerPerturbedPoint) {
    randomSeed(77);
    for (int i = 0; i < 20; ++i)
        randomNext();
    const int next = randomNext();
    randomSeed(77);
    patternRandomPoints(0, 0, 0, 20000, 20000, 4);
    EXPECT_EQ(randomNext(), next); // 22 points, of which the start and the far corner draw nothing
}

TEST(RandomPattern, LowLevelsScatterBearingsByUpToFifteenDegrees) {
    randomSeed(3);
    const auto points = patternRandomPoints(0, 0, 0, 20000, 20000, 1);
    double widest = 0;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const WorldPoint& p = points[i];
        if (std::fabs(p.x) < 6000) { // a point of the near column, straight north of the start
            const double off = std::fabs(angleDiff(0, geoBearing(p.x, p.y)));
            EXPECT_LE(off, 15.5);
            widest = std::max(widest, off);
        }
    }
    EXPECT_GT(widest, 3.0);
}

TEST(RandomPattern, NegativeSizesTurnTheBoxSouthAndWest) {
    const auto south = patternRandomPoints(0, 0, 0, 20000, -20000, 4);
    const auto west = patternRandomPoints(0, 0, 0, -20000, 20000, 4);
    ASSERT_EQ(south.size(), 22u);
    ASSERT_EQ(west.size(), 22u);
    for (std::size_t i = 1; i < south.size(); ++i) {
        EXPECT_LE(south[i].y, 1e-6) << i;
        EXPECT_GE(west[i].y, -1e-6) << i;
        EXPECT_LE(west[i].x, 1e-6) << i;
    }
    expectNear(south[11 + 2], 20000, -20000); // the far corner follows the 12 points of the way up
}

TEST(RandomPattern, ABoxWithoutSizeGivesItsStartAlone) {
    for (auto [w, h] : {std::pair{0.0, 20000.0}, {20000.0, 0.0}, {0.0, 0.0}}) {
        const auto points = patternRandomPoints(500, 600, 0, w, h, 2);
        ASSERT_EQ(points.size(), 1u);
        EXPECT_EQ(points[0].x, 500);
        EXPECT_EQ(points[0].y, 600);
    }
    EXPECT_TRUE(patternRandomPoints(0, 0, 0, NAN, 100, 2).empty());
}

TEST(RandomPattern, ABoxTooNarrowForItsHeightStopsAtAThousandPasses) {
    const auto points = patternRandomPoints(0, 0, 0, 2, 1e9, 4);
    EXPECT_EQ(points.size(), 2u + 4u * (1000 + 1000));
}

TEST(ExpandingPattern, SpiralsOutTurningRightAndBackTurningLeft) {
    const auto points = patternExpandingPoints(0, 0, 20000);
    ASSERT_EQ(points.size(), 9u);
    // Legs in yards: 9144 at 0° and 90°, 18288 at 180° and 270°, then 27432 at 90° and 0°,
    // 18288 at 270° and 180°.
    const double legs[][2] = {{9144, 0},   {9144, 90}, {18288, 180}, {18288, 270},
                              {27432, 90}, {27432, 0}, {18288, 270}, {18288, 180}};
    double x = 0, y = 0;
    for (std::size_t i = 0; i < std::size(legs); ++i) {
        geoProject(x, y, legs[i][1], legs[i][0], x, y);
        EXPECT_NEAR(points[i + 1].x, x, 1e-6) << i;
        EXPECT_NEAR(points[i + 1].y, y, 1e-6) << i;
    }
}

TEST(ExpandingPattern, SmallAndAbsurdSizesEnd) {
    EXPECT_EQ(patternExpandingPoints(0, 0, 5000).size(), 5u); // one pair out of 4999, one back of 14143
    EXPECT_EQ(patternExpandingPoints(0, 0, 0).size(), 3u);
    EXPECT_LE(patternExpandingPoints(0, 0, 1e15).size(), 1u + 4u * 1000u);
    EXPECT_LE(patternExpandingPoints(0, 0, -1e15).size(), 1u + 4u * 1000u);
}

struct Order {
    int type, parameter;
    double delay, x, y, speed, depth;
};
struct RecordingController {
    void queueOrder(int type, int parameter, double delay, double x, double y, double speed, double depth) {
        orders.push_back({type, parameter, delay, x, y, speed, depth});
    }
    std::vector<Order> orders;
};
struct PatrolEntity {
    int level = 4;
    std::unique_ptr<RecordingController> controller = std::make_unique<RecordingController>();
};

TEST(PatternQueue, HandsEveryPointToTheController) {
    PatrolEntity entity;
    worldQueueRandomPattern(entity, 0, 0, 0, 20000, 20000, 12.0, -90.0);
    worldQueueExpandingPattern(entity, 0, 0, 20000, 8.0, -60.0);
    ASSERT_EQ(entity.controller->orders.size(), 22u + 9u);
    const Order& first = entity.controller->orders.front();
    EXPECT_EQ(first.type, 8);
    EXPECT_EQ(first.parameter, 0);
    EXPECT_EQ(first.delay, 0.0);
    EXPECT_EQ(first.speed, 12.0);
    EXPECT_EQ(first.depth, -90.0);
    EXPECT_EQ(entity.controller->orders.back().type, 9);
    EXPECT_EQ(entity.controller->orders.back().depth, -60.0);

    entity.controller.reset();
    worldQueueRandomPattern(entity, 0, 0, 0, 20000, 20000, 12.0, -90.0); // no controller: nothing
    worldQueueExpandingPattern(entity, 0, 0, 20000, 8.0, -60.0);
}

} // namespace
} // namespace q71
