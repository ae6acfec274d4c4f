#include "sim/simulation/geometry.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/random.h"
#include "sim/simulation/scenario_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace q71 {
namespace {

constexpr double kX = 268800.0, kY = 268800.0;

ScenarioRecord routed(std::int32_t mode) {
    ScenarioRecord r;
    r.type = kScenarioSurfaceShip;
    r.patrolMode = mode;
    r.x = kX;
    r.y = kY;
    r.speed = 8;
    r.waypoints = {{kX + 1000, kY, -10, 10}, {kX + 2000, kY, -20, 12}, {kX + 3000, kY, -30, 15}};
    return r;
}

std::vector<double> xs(const std::vector<ScenarioOrder>& orders) {
    std::vector<double> out;
    for (const ScenarioOrder& o : orders)
        out.push_back(o.x - kX);
    return out;
}

TEST(ScenarioRoute, EachPointIsReachedAtTheSpeedOfThePointBeforeIt) {
    const auto orders = scenarioRouteOrders(routed(1), {kX, kY, 0}, -5.0, 8.0);
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0].speed, 8.0);
    EXPECT_EQ(orders[1].speed, 10.0);
    EXPECT_EQ(orders[2].speed, 12.0);
    EXPECT_EQ(orders[2].depth, -30.0) << "the depth goes to the order as it stands";
    EXPECT_EQ(orders[0].type, 1) << "the orders take the record's mode as their type";
}

TEST(ScenarioRoute, EachModeCallsItsPointsInItsOwnOrder) {
    using V = std::vector<double>;
    EXPECT_EQ(xs(scenarioRouteOrders(routed(3), {kX, kY, 0}, -5, 8)),
              (V{0, 1000, 2000, 3000, 3000, 2000, 1000}))
        << "out and back after a return to the unit's own place";
    EXPECT_EQ(xs(scenarioRouteOrders(routed(2), {kX, kY, 0}, -5, 8)), (V{3000, 2000, 1000}));
    EXPECT_EQ(xs(scenarioRouteOrders(routed(7), {kX, kY, 0}, -5, 8)), (V{3000, 2000, 1000}));
    EXPECT_EQ(xs(scenarioRouteOrders(routed(19), {kX, kY, 0}, -5, 8)), (V{1000, 3000, 2000}));
    EXPECT_EQ(xs(scenarioRouteOrders(routed(9), {kX, kY, 0}, -5, 8)), (V{1000, 2000, 3000}));

    const auto back = scenarioRouteOrders(routed(3), {kX, kY, 0}, -5, 8);
    EXPECT_EQ(back[0].depth, -5.0) << "the return to its place keeps the unit's depth";
    EXPECT_EQ(back[4].speed, 12.0);
    const auto loop = scenarioRouteOrders(routed(19), {kX, kY, 0}, -5, 8);
    EXPECT_EQ(loop[0].speed, 8.0) << "the first point at the unit's own speed";
}

TEST(ScenarioRoute, NoOrderIsSlowerThanAThousandthAndNoRouteGivesNone) {
    ScenarioRecord r = routed(1);
    r.waypoints[0].speed = 0;
    const auto orders = scenarioRouteOrders(r, {kX, kY, 0}, 0, 0.0);
    EXPECT_EQ(orders[0].speed, 0.001);
    EXPECT_EQ(orders[1].speed, 0.001);
    r.waypoints.clear();
    EXPECT_TRUE(scenarioRouteOrders(r, {kX, kY, 0}, 0, 8).empty());
}

TEST(ScenarioStart, SubmarinesAndShipsNeverStandQuiteStill) {
    ScenarioRecord r;
    r.speed = 0;
    for (std::int32_t type : {kScenarioSubmarine, kScenarioSurfaceShip}) {
        r.type = type;
        EXPECT_EQ(scenarioStartSpeed(r), 0.001);
    }
    r.type = kScenarioAircraft;
    EXPECT_EQ(scenarioStartSpeed(r), 0.0);
    r.speed = 12;
    EXPECT_EQ(scenarioStartSpeed(r), 12.0);
}

TEST(ScenarioBoxes, ABoxPatrolRunsRoundItsCornersFromTheSouthWest) {
    ScenarioRecord r = routed(5);
    r.boxWest = -1000;
    r.boxSouth = -2000;
    r.boxEast = 3000;
    r.boxNorth = 2000;
    const ScenarioBox box = scenarioBox(r);
    EXPECT_NEAR(box.corner.x, kX - 914.4, 1e-6);
    EXPECT_NEAR(box.corner.y, kY - 1828.8, 1e-6);
    EXPECT_EQ(box.width, 4000);
    EXPECT_EQ(box.height, 4000);
    const auto corners = scenarioBoxOrders(5, box, 6.0, -40.0);
    ASSERT_EQ(corners.size(), 4u);
    const double side = 4000 * kYardsToMetres;
    const double expected[4][2] = {{0, 0}, {0, side}, {side, side}, {side, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(corners[i].x - box.corner.x, expected[i][0], 0.01) << i;
        EXPECT_NEAR(corners[i].y - box.corner.y, expected[i][1], 0.01) << i;
        EXPECT_EQ(corners[i].type, 5);
        EXPECT_EQ(corners[i].speed, 6.0);
        EXPECT_EQ(corners[i].depth, -40.0);
    }
    EXPECT_TRUE(scenarioBoxOrders(3, box, 6.0, -40.0).empty());
}

TEST(ScenarioBoxes, ARandomBoxGivesOnePointInsideIt) {
    ScenarioRecord r = routed(4);
    r.boxWest = -1000;
    r.boxSouth = -1000;
    r.boxEast = 1000;
    r.boxNorth = 1000;
    const ScenarioBox box = scenarioBox(r);
    for (std::uint32_t seed = 1; seed < 50; ++seed) {
        randomSeed(seed);
        const auto orders = scenarioBoxOrders(4, box, 6.0, 0.0);
        ASSERT_EQ(orders.size(), 1u);
        EXPECT_GE(orders[0].x, box.corner.x - 1e-6);
        EXPECT_LE(orders[0].x, box.corner.x + 2000 * kYardsToMetres + 1e-6);
        EXPECT_GE(orders[0].y, box.corner.y - 1e-6);
        EXPECT_LE(orders[0].y, box.corner.y + 2000 * kYardsToMetres + 1e-6);
    }
}

TEST(ScenarioPlacement, DisplacedUnitsStartInsideTheirBoxOrRectangleWithADepthDrawnAgain) {
    ScenarioRecord boxed = routed(4);
    boxed.depth = -400;
    boxed.boxWest = -2000;
    boxed.boxSouth = -1000;
    boxed.boxEast = 2000;
    boxed.boxNorth = 1000;
    ScenarioRecord spread = routed(1);
    spread.depth = -400;
    spread.randomPlacement = 1;
    spread.randomWidth = 3000;
    spread.randomHeight = 1000;
    std::set<std::int32_t> depths;
    for (std::uint32_t seed = 1; seed < 100; ++seed) {
        randomSeed(seed);
        const ScenarioPlacement a = scenarioPlacement(boxed);
        EXPECT_LE(std::fabs(a.x - kX), 2000 * kYardsToMetres + 1e-6);
        EXPECT_LE(std::fabs(a.y - kY), 1000 * kYardsToMetres + 1e-6);
        const ScenarioPlacement b = scenarioPlacement(spread);
        EXPECT_LE(std::fabs(b.x - kX), 1500 * kYardsToMetres + 1e-6) << "centred on the record's place";
        EXPECT_LE(std::fabs(b.y - kY), 500 * kYardsToMetres + 1e-6);
        for (std::int32_t d : {a.depthFeet, b.depthFeet}) {
            EXPECT_LE(d, -40);
            EXPECT_GE(d, -400);
            depths.insert(d);
        }
    }
    EXPECT_GT(depths.size(), 20u) << "the depth is drawn, not fixed";

    ScenarioRecord still = routed(4); // a box without a west or south offset does not move its unit
    still.boxEast = 2000;
    still.boxNorth = 2000;
    still.depth = -300;
    const ScenarioPlacement c = scenarioPlacement(still);
    EXPECT_EQ(c.x, kX);
    EXPECT_EQ(c.depthFeet, -300);
}

TEST(ScenarioPlacement, TheDepthDrawIsWholeFeetBetweenATenthAndAll) {
    randomSeed(7);
    for (int i = 0; i < 200; ++i) {
        const std::int32_t d = scenarioRandomDepth(-333);
        EXPECT_LE(d, -33);
        EXPECT_GE(d, -333);
    }
    EXPECT_EQ(scenarioRandomDepth(0), 0);
}

ScenarioRecord startRecord(double x, std::string name) {
    ScenarioRecord r;
    r.type = kScenarioOwnShipStart;
    r.x = x;
    r.y = kY;
    r.depth = -88;
    r.speed = 5;
    r.course = 45;
    r.typeName = std::move(name);
    return r;
}

class OwnShipStarts : public ::testing::Test {
protected:
    void SetUp() override {
        // The list is built by inserting at the head, as the reader does.
        ownShipStarts().clear();
        for (auto [x, name] : {std::pair{1000.0, "un"}, {2000.0, "deux"}, {3000.0, "trois"}})
            ownShipStarts().insert(ownShipStarts().begin(), ownShipStartFromRecord(startRecord(x, name)));
    }
    void TearDown() override { ownShipStarts().clear(); }
};

TEST_F(OwnShipStarts, ASinglePlayerTakesOneAtRandomOutOfTheList) {
    std::set<double> taken;
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        SetUp();
        randomSeed(seed);
        const auto picked = scenPickOwnShipStart(-1);
        ASSERT_TRUE(picked);
        EXPECT_EQ(ownShipStarts().size(), 2u) << "the position is taken out of the list";
        EXPECT_TRUE(std::none_of(ownShipStarts().begin(), ownShipStarts().end(),
                                 [&](const OwnShipStart& s) { return s.x == picked->x; }));
        taken.insert(picked->x);
    }
    EXPECT_EQ(taken.size(), 3u) << "any of the three";
}

TEST_F(OwnShipStarts, ANetworkPlayerTakesHisPlaceCountedFromTheHead) {
    const auto second = scenPickOwnShipStart(2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->x, 2000.0) << "the second-to-last start record of the file";
    EXPECT_EQ(second->boatName, "deux");
    EXPECT_EQ(ownShipStarts().size(), 3u) << "network players leave the list as it is";
    EXPECT_EQ(scenPickOwnShipStart(1)->x, 3000.0);
    EXPECT_EQ(scenPickOwnShipStart(9)->x, 1000.0) << "the walk stops at the tail";
}

TEST_F(OwnShipStarts, TheBoatStartsTwentyEightFeetAboveItsRecordWithItsCourseAndSpeed) {
    const auto picked = scenPickOwnShipStart(1);
    EXPECT_NEAR(picked->depth, -60 * kFeetToMetres, 1e-9);
    EXPECT_EQ(picked->course, 45.0);
    EXPECT_EQ(picked->speed, 5.0);
    ownShipStarts().clear();
    EXPECT_FALSE(scenPickOwnShipStart(-1));
}

TEST_F(OwnShipStarts, APlacementRectangleStandsCentredOnTheRecord) {
    ScenarioRecord r = startRecord(kX, "large");
    r.randomPlacement = 1;
    r.randomWidth = 4000;
    r.randomHeight = 2000;
    for (std::uint32_t seed = 1; seed < 60; ++seed) {
        ownShipStarts().assign(1, ownShipStartFromRecord(r));
        randomSeed(seed);
        const auto picked = scenPickOwnShipStart(-1);
        EXPECT_LE(std::fabs(picked->x - kX), 2000 * kYardsToMetres + 1e-6);
        EXPECT_LE(std::fabs(picked->y - kY), 1000 * kYardsToMetres + 1e-6);
        EXPECT_EQ(ownShipStarts().size(), 1u) << "a single position stays";
    }
}

} // namespace
} // namespace q71
