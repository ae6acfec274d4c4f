// Aircraft flying in the stepped world on their own motion: a transit to its end, the climb over
// the terrain ahead, and a patrol aeroplane that finds a scripted submarine, closes it and drops.
#include "aircraft_fixture.h"
#include "sim/entities/types/aircraft_entity.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/support/terrain_grid.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class AircraftFlight : public AircraftWorld {
protected:
    /// An aircraft of its own class in the world at a place (z its height), flying a heading at a
    /// speed, on a plan of a mode.
    Entity& flying(const char* type, WorldPoint at, double heading, double speed, std::int32_t mode,
                   std::int32_t level = 3) {
        Entity& a = harness.add(new AircraftEntity(1, type, level));
        MotionModel& m = *a.motion;
        m.x = at.x;
        m.y = at.y;
        m.z = m.orderedDepth = at.z;
        m.heading = m.orderedCourse = heading;
        m.speed = m.driveSpeed = m.headway = m.orderedSpeed = speed;
        m.homeX = at.x;
        m.homeY = at.y;
        task(a, mode);
        return a;
    }
};

TEST_F(AircraftFlight, AnAeroplaneFliesItsTransitToTheEnd) {
    Entity& plane = flying("Orion", {20000, 20000, 300}, 0.0, 200.0, kAircraftTransit);
    plane.controller->queueOrder(kAircraftTransit, 0, 0.0, 40000, 40000, 0.0, 0.0);
    plane.controller->queueOrder(kAircraftTransit, 0, 0.0, 20000, 40000, 0.0, 0.0);
    harness.run(120.0, 0.5);
    EXPECT_EQ(crewOf(plane).planMode, kAircraftTransit);
    EXPECT_GT(plane.motion->speed, 250.0); // up to the transit speed of 300
    int seconds = 120;
    for (; seconds < 600 && crewOf(plane).planMode == kAircraftTransit; ++seconds)
        harness.run(1.0, 0.5);
    // 20 km north, then 20 km east: 40 km, mostly at 152 m/s.
    EXPECT_EQ(crewOf(plane).planMode, kAircraftDone);
    EXPECT_GT(seconds, 250);
    EXPECT_LT(geoRange(plane.motion->x - 40000, plane.motion->y - 40000), 500.0);
}

TEST_F(AircraftFlight, AnAircraftClimbsOverTheTerrainAhead) {
    // Sea to the south, a plateau 200 m high from y = 30 km on.
    TerrainGrid terrain(100, 100, 1000.0, [](int, int row) { return std::int16_t(row >= 30 ? 200 : -500); });
    Entity& helo = flying("Seasprite", {20000, 29500, 100}, 0.0, 70.0, kStateBoxPatrol);
    helo.controller->queueOrder(kStateBoxPatrol, 0, 0.0, 20000, 60000, 0.0, 0.0);
    harness.run(2.0, 0.5);
    EXPECT_NEAR(helo.motion->orderedDepth, 200.0 + 30.48, 2.0); // the plateau's edge, interpolated
}

TEST_F(AircraftFlight, APatrolAeroplaneFindsAScriptedSubmarineClosesItAndSinksIt) {
    Entity& plane = flying("Orion", {20000, 20000, 300}, 90.0, 200.0, kStateBoxPatrol);
    for (const auto& [x, y] : {std::pair{20000.0, 20000.0}, {30000.0, 20000.0}, {30000.0, 30000.0}})
        plane.controller->queueOrder(kStateBoxPatrol, 0, 0.0, x, y, 0.0, 0.0);
    // A submarine at snorkel depth, where the aeroplane's radar sees its mast, going west at 5.
    auto& sub =
        harness.add(new HarnessEntity(2, "Hunter", 2, kKindSubsurface, {40000, 25000, -2.0}, 270.0, 5.0));
    std::vector<std::int32_t> actions;
    Entity* torpedo = nullptr;
    for (int second = 0; second < 900 && !torpedo; ++second) {
        harness.run(1.0, 0.5);
        const std::int32_t action = crewOf(plane).state; // (idle until its first pass)
        if (action != kStateIdle && (actions.empty() || actions.back() != action))
            actions.push_back(action);
        torpedo = releasedBy(plane, kEntityTorpedo);
    }
    ASSERT_NE(torpedo, nullptr);
    // From its patrol to closing the contact, then the run-in and the drop.
    EXPECT_EQ(actions, (std::vector<std::int32_t>{kStateBoxPatrol, kAircraftProsecute, kAircraftAttack}));
    EXPECT_LT(entityRangeYards(*torpedo, sub), 4000.0);
    EXPECT_EQ(plane.weaponCount[1], 5);
    EXPECT_EQ(currentOrderOf(plane).type, kAircraftTransit); // breaking away beyond the target
    harness.run(300.0, 0.5);
    EXPECT_LT(sub.hull, 0.1);
}

} // namespace
} // namespace q71::test
