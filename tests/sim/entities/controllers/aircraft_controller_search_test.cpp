// The aircraft's tasking: transits, patrol loops with the helicopter's dips, the dipping search,
// sonobuoy fields from their layout to the buoys in the water, and the return to rearm.
#include "aircraft_fixture.h"
#include "sim/entities/sensors/sensor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace q71::test {
namespace {

constexpr double kNear = 1e-6;

// The field's plan parameters: buoys, origin, extents in yards and orientation.
void fieldTask(Entity& aircraft, int buoys, WorldPoint origin, double width, double height,
               double orientation = 0) {
    PlanParameters& area = *aircraft.controller->activeParams;
    area.bytes[0] = static_cast<std::uint8_t>(buoys);
    area.setValue(16, origin.x);
    area.setValue(24, origin.y);
    area.setValue(32, width);
    area.setValue(40, height);
    area.setValue(64, orientation);
}

TEST(SonobuoyFieldLayout, NineBuoysLayFourteenPointsInStaggeredRowsFromTheFarOneIn) {
    const std::vector<FieldPoint> points = sonobuoyFieldLayout(9, 3000.0, 6000.0, true);
    ASSERT_EQ(points.size(), 14u);
    // Rows at 3, 2, 1 and 0 spacings of 2000 yards north, of 3, 4, 3 and 4 points.
    const std::vector<std::pair<double, double>> expected = {
        {500, 6000},  {1500, 6000}, {2500, 6000},               // odd row: half a spacing in
        {4000, 4000}, {3000, 4000}, {2000, 4000}, {1000, 4000}, // even row: back from the far side
        {500, 2000},  {1500, 2000}, {2500, 2000}, {4000, 0},    {3000, 0}, {2000, 0}, {1000, 0}};
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].x, expected[i].first) << i;
        EXPECT_EQ(points[i].y, expected[i].second) << i;
        EXPECT_EQ(points[i].kind, i == 0 ? kAircraftFieldMarker : kAircraftSonobuoyDrop) << i;
    }
}

TEST(SonobuoyFieldLayout, PatrolPointsLieWhereTheDropsDoAndNegativeExtentsLayTheFieldWestAndSouth) {
    const std::vector<FieldPoint> drops = sonobuoyFieldLayout(10, -4000.0, -2000.0, true);
    const std::vector<FieldPoint> patrol = sonobuoyFieldLayout(10, -4000.0, -2000.0, false);
    ASSERT_EQ(drops.size(), patrol.size());
    // Ten buoys: a spacing of trunc(4000 / 3.162) yards, rows of 4 and 5 points.
    EXPECT_EQ(drops.size(), 18u);
    for (std::size_t i = 0; i < drops.size(); ++i) {
        EXPECT_EQ(drops[i].x, patrol[i].x);
        EXPECT_EQ(drops[i].y, patrol[i].y);
        EXPECT_LE(drops[i].x, 0.0);
        EXPECT_LE(drops[i].y, 0.0);
        EXPECT_EQ(patrol[i].kind, kAircraftTransit);
    }
    EXPECT_EQ(drops[0].x, -0.5 * 1264.0);
}

TEST(SonobuoyFieldLayout, AFieldOfNoBuoysHasNoPoints) {
    EXPECT_TRUE(sonobuoyFieldLayout(0, 3000.0, 3000.0, true).empty());
}

class AircraftTasking : public AircraftWorld {};

TEST_F(AircraftTasking, ATransitFliesItsPointsAtTransitSpeedThenEnds) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kAircraftTransit);
    EXPECT_EQ(plane.motion->quietSpeed, 200.0);
    EXPECT_EQ(plane.motion->fastSpeed, 300.0);
    crewOf(plane).queueOrder(kAircraftTransit, 0, 0.0, 10000, 30000, 0.0, 0.0);
    crewOf(plane).queueOrder(kAircraftTransit, 0, 0.0, 20000, 10000, 0.0, 0.0);
    passAt(plane, 10.0);
    EXPECT_EQ(plane.motion->orderedSpeed, 300.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 90.0, kNear);
    moveTo(plane, {20000, 10000, 0});
    passAt(plane, 11.0);
    EXPECT_NEAR(plane.motion->orderedCourse, geoBearing(-10000, 20000), kNear);
    moveTo(plane, {10000, 30000, 0});
    passAt(plane, 12.0);
    EXPECT_EQ(crewOf(plane).planMode, kAircraftDone);
    const double course = plane.motion->orderedCourse;
    passAt(plane, 13.0);
    EXPECT_EQ(plane.motion->orderedCourse, course); // nothing more to fly
}

TEST_F(AircraftTasking, AnAeroplaneFliesItsPatrolLoopAtTheSearchSpeed) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    crewOf(plane).queueOrder(kStateBoxPatrol, 0, 0.0, 10000, 20000, 250.0, 300.0);
    crewOf(plane).queueOrder(kStateBoxPatrol, 0, 0.0, 0, 10000, 250.0, 300.0);
    passAt(plane, 10.0);
    EXPECT_EQ(plane.motion->orderedSpeed, 200.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 270.0, kNear);
    moveTo(plane, {0, 10000, 0});
    passAt(plane, 11.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 45.0, kNear);
    EXPECT_EQ(ordersOf(plane).size(), 2u); // the loop goes on
}

TEST_F(AircraftTasking, AnAeroplaneAtARandomPointOfItsAreaIsGivenAnotherInsideIt) {
    Entity& plane = aircraft("Orion", {5000, 5000, 300}, kAircraftDippingSearch);
    fieldTask(plane, 0, {4000, 4000, 0}, 4000.0, 2000.0);
    crewOf(plane).queueOrder(kAircraftDippingSearch, 0, 0.0, 5000, 5000, 0.0, 0.0);
    for (int i = 0; i < 20; ++i) {
        passAt(plane, 10.0 + i);
        const ControllerOrder& next = currentOrderOf(plane);
        EXPECT_EQ(next.type, kAircraftDippingSearch);
        EXPECT_GE(next.x, 4000.0 - kNear);
        EXPECT_LE(next.x, 4000.0 + 4000.0 * kYardsToMetres + 1.0);
        EXPECT_GE(next.y, 4000.0 - kNear);
        EXPECT_LE(next.y, 4000.0 + 2000.0 * kYardsToMetres + 1.0);
        moveTo(plane, worldPoint(next));
    }
}

TEST_F(AircraftTasking, AHelicopterOfAGoodCrewDipsAlongItsPatrol) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 100}, kStateBoxPatrol, 3);
    crewOf(helo).queueOrder(kStateBoxPatrol, 0, 0.0, 10000, 20000, 0.0, 0.0);
    helo.motion->orderedSpeed = 70.0;
    passAt(helo, 10.0);
    // Under way with a patrol point ahead: it stops and lowers its sonar for five minutes.
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0);
    EXPECT_EQ(helo.motion->orderedDepth, 30.0);
    EXPECT_EQ(pingInterval(helo), 20);
    EXPECT_EQ(crewOf(helo).dipTimer, 310.0);
    passAt(helo, 300.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0);
    // The dip over, the sonar comes up and it flies on for five to ten minutes.
    passAt(helo, 311.0);
    EXPECT_EQ(pingInterval(helo), -1);
    EXPECT_EQ(helo.motion->orderedSpeed, 70.0);
    EXPECT_EQ(helo.motion->orderedDepth, 100.0);
    EXPECT_NEAR(helo.motion->orderedCourse, 0.0, kNear);
    EXPECT_GE(crewOf(helo).dipTimer, 311.0 + 300.0);
    EXPECT_LE(crewOf(helo).dipTimer, 311.0 + 600.0);
}

TEST_F(AircraftTasking, AHelicopterOfALesserCrewPatrolsWithoutDipping) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 100}, kStateBoxPatrol, 2);
    crewOf(helo).queueOrder(kStateBoxPatrol, 0, 0.0, 20000, 10000, 0.0, 0.0);
    helo.motion->orderedSpeed = 70.0;
    passAt(helo, 10.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 70.0);
    EXPECT_NEAR(helo.motion->orderedCourse, 90.0, kNear);
    EXPECT_TRUE(sensorsOf(helo, kSensorActive).empty());
}

TEST_F(AircraftTasking, ADippingSearchFliesToAPointHoversThreeMinutesAndMovesOn) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 100}, kAircraftDippingSearch);
    fieldTask(helo, 0, {10000, 10000, 0}, 10000.0, 10000.0);
    crewOf(helo).dipTimer = 0.0;
    helo.motion->orderedSpeed = 70.0;
    crewOf(helo).queueOrder(kAircraftDippingSearch, 0, 0.0, 10000, 15000, 0.0, 0.0);
    passAt(helo, 10.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 70.0);
    EXPECT_EQ(helo.motion->orderedDepth, 100.0);
    EXPECT_NEAR(helo.motion->orderedCourse, 0.0, kNear);
    moveTo(helo, {10000, 15000, 0});
    passAt(helo, 80.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0);
    EXPECT_EQ(helo.motion->orderedDepth, 30.0);
    EXPECT_EQ(pingInterval(helo), 20);
    passAt(helo, 81.0);
    EXPECT_EQ(crewOf(helo).dipTimer, 261.0);
    passAt(helo, 261.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0); // still dipping
    passAt(helo, 262.0);
    EXPECT_EQ(crewOf(helo).dipTimer, 0.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 70.0);
    EXPECT_EQ(pingInterval(helo), -1);
    EXPECT_EQ(currentOrderOf(helo).type, kAircraftDippingSearch);
}

class SonobuoyFields : public AircraftWorld {
protected:
    /// Flies the aircraft onto its current order and makes one pass; the kind of the order it reached.
    std::int32_t arrive(Entity& plane) {
        const ControllerOrder& order = currentOrderOf(plane);
        const std::int32_t kind = order.type;
        moveTo(plane, worldPoint(order));
        passAt(plane, clock_ += 1.0);
        return kind;
    }
    double clock_ = 10.0;
};

TEST_F(SonobuoyFields, AnAeroplaneDropsItsFieldFromTheLastPointLaidThenFliesItAsAPatrol) {
    Entity& plane = aircraft("Orion", {0, 0, 500}, kAircraftSonobuoyDrop);
    const WorldPoint origin{20000, 20000, 0};
    fieldTask(plane, 9, origin, 3000.0, 3000.0);
    passAt(plane, 10.0);
    std::vector<ControllerOrder> orders = ordersOf(plane);
    ASSERT_EQ(orders.size(), 14u);
    // The first visited is the last laid: the near row's point 1000 yards east of the origin.
    EXPECT_NEAR(orders.front().x, origin.x + 1000.0 * kYardsToMetres, 1e-3);
    EXPECT_NEAR(orders.front().y, origin.y, 1e-3);
    EXPECT_EQ(orders.back().type, kAircraftFieldMarker);
    for (int i = 0; i < 13; ++i) {
        const WorldPoint drop = worldPoint(currentOrderOf(plane));
        EXPECT_EQ(arrive(plane), kAircraftSonobuoyDrop);
        const std::vector<Sensor*> buoys = sensorsOf(plane, kSensorDropped);
        ASSERT_EQ(buoys.size(), static_cast<std::size_t>(i + 1));
        EXPECT_NEAR(buoys.back()->x, drop.x, kNear);
        EXPECT_NEAR(buoys.back()->y, drop.y, kNear);
        EXPECT_EQ(plane.motion->orderedSpeed, 200.0);
        EXPECT_EQ(plane.motion->orderedDepth, 500.0);
    }
    // At the marker no buoy falls: the field is laid again as points to patrol.
    EXPECT_EQ(arrive(plane), kAircraftFieldMarker);
    EXPECT_EQ(sensorsOf(plane, kSensorDropped).size(), 13u);
    orders = ordersOf(plane);
    ASSERT_EQ(orders.size(), 14u);
    EXPECT_TRUE(
        std::all_of(orders.begin(), orders.end(), [](const ControllerOrder& o) { return o.type == 2; }));
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(arrive(plane), kAircraftTransit);
    EXPECT_EQ(sensorsOf(plane, kSensorDropped).size(), 13u);
    // The patrol flown, the next pass lays a new field of drops.
    EXPECT_TRUE(ordersOf(plane).empty());
    passAt(plane, clock_ += 1.0);
    EXPECT_EQ(ordersOf(plane).size(), 14u);
}

TEST_F(SonobuoyFields, OnTheWayToAPointTheAeroplaneOnlySteers) {
    Entity& plane = aircraft("Orion", {0, 0, 500}, kAircraftSonobuoyDrop);
    fieldTask(plane, 4, {10000, 0, 0}, 2000.0, 2000.0);
    plane.motion->orderedSpeed = 250.0;
    passAt(plane, 10.0);
    passAt(plane, 11.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 90.0, 1.0);
    EXPECT_EQ(plane.motion->orderedSpeed, 250.0);
    EXPECT_TRUE(sensorsOf(plane, kSensorDropped).empty());
}

TEST_F(SonobuoyFields, TheFieldIsTurnedByTheAreasOrientation) {
    Entity& plane = aircraft("Orion", {0, 0, 500}, kAircraftSonobuoyDrop);
    const WorldPoint origin{20000, 20000, 0};
    fieldTask(plane, 9, origin, 3000.0, 3000.0, 90.0);
    passAt(plane, 10.0);
    // The near row's last point, 1000 yards east, lies 1000 yards south once turned.
    const ControllerOrder& first = currentOrderOf(plane);
    EXPECT_NEAR(first.x, origin.x, 1e-3);
    EXPECT_NEAR(first.y, origin.y - 1000.0 * kYardsToMetres, 1e-3);
}

TEST_F(SonobuoyFields, ATaskOfNoBuoysLaysNothing) {
    Entity& plane = aircraft("Orion", {0, 0, 500}, kAircraftSonobuoyDrop);
    fieldTask(plane, 0, {10000, 0, 0}, 2000.0, 2000.0);
    passAt(plane, 10.0);
    passAt(plane, 11.0);
    EXPECT_TRUE(ordersOf(plane).empty());
    EXPECT_TRUE(sensorsOf(plane, kSensorDropped).empty());
}

TEST_F(AircraftTasking, AnAircraftWithEmptyStoresGoesHomeAndRearms) {
    Entity& plane = aircraft("Orion", {30000, 10000, 300}, kStateBoxPatrol);
    plane.motion->homeX = 10000;
    plane.motion->homeY = 10000;
    plane.weaponCount = {0, 0, 0};
    plane.motion->speed = 300.0;
    passAt(plane, 10.0);
    EXPECT_EQ(crewOf(plane).state, kStateOutOfWeapons);
    EXPECT_EQ(plane.motion->orderedSpeed, 300.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 270.0, kNear);
    EXPECT_EQ(plane.weaponCount[1], 0);
    moveTo(plane, {10100, 10000, 0}); // within a second's flight
    passAt(plane, 11.0);
    EXPECT_EQ(plane.weaponCount[0], 2);
    EXPECT_EQ(plane.weaponCount[1], 6);
    EXPECT_EQ(plane.weaponCount[2], 0); // a slot without a weapon stays empty
    passAt(plane, 12.0);
    EXPECT_EQ(crewOf(plane).state, kStateBoxPatrol);
}

TEST_F(AircraftTasking, AHelicopterRearmsOnTheShipThatLaunchedIt) {
    Entity& ship = body(1, "Frigate", kKindSurface, {10000, 10000, 0});
    Entity& helo = aircraft("Seasprite", {10000, 30000, 100}, kStateBoxPatrol);
    helo.parentId = ship.id;
    helo.weaponCount[1] = 0;
    helo.motion->speed = 100.0;
    passAt(helo, 10.0);
    EXPECT_NEAR(helo.motion->orderedCourse, 180.0, kNear);
    EXPECT_EQ(helo.motion->orderedSpeed, 110.0);
    simSetTimeCompression(4.0); // at four times, the deck is met 4 x 50.8 yards off
    moveTo(helo, {10000, 10000 + 180.0 * kYardsToMetres, 0});
    passAt(helo, 11.0);
    simSetTimeCompression(1.0);
    EXPECT_EQ(helo.weaponCount[1], 2);
}

TEST_F(AircraftTasking, TheCrewsTimersAreKeptInASavedMissionAndDamagedOnesRefused) {
    Entity& helo = aircraft("Seasprite", {0, 0, 100}, kAircraftDippingSearch);
    crewOf(helo).dipTimer = 480.0;
    crewOf(helo).attackTimer = 75.5;
    const std::vector<std::uint8_t> bytes = saved(*helo.controller);
    const auto loaded = reloaded<AirPlatformController>(bytes, helo);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->dipTimer, 480.0);
    EXPECT_EQ(loaded->attackTimer, 75.5);
    EXPECT_EQ(reloaded<AirPlatformController>(withNaNAt(bytes, 32), helo), nullptr);
}

} // namespace
} // namespace q71::test
