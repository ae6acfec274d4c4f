// The support units: the shore team's boat and the rescue submarine.
#include "vehicle_fixture.h"

#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/types/support_units.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/world_mission_facts.h"
#include "sim/support/terrain_grid.h"

namespace q71::test {
namespace {

class SupportUnits : public VehicleWorld {
protected:
    Entity& ownBoat(WorldPoint at, double heading = 0.0) {
        Entity& own = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, at, false, 4);
        own.motion->heading = heading;
        worldSetOwnShip(&own);
        return own;
    }
    /// Steps the world pass by pass until a condition holds; false when `limit` seconds pass first.
    template <class Until> bool runUntil(Until until, double limit) {
        for (double t = 0.0; t < limit; t += 1.0) {
            if (until())
                return true;
            harness.pass(1.0);
        }
        return until();
    }
    RecordingMakers makers;
};

// Water 50 m deep to the west, land 5 m high from about 2 km east on.
class ShoreTeam : public SupportUnits {
protected:
    TerrainGrid coast{11, 11, 500.0, [](int column, int) -> std::int16_t { return column > 4 ? 5 : -50; }};
};

TEST_F(ShoreTeam, TheBoatRunsForTheLandWaitsThereAndComesBackAsLongAsTheWayOutTook) {
    ownBoat({1000.0, 2500.0, 0.0}, 90.0);
    setClock(100.0);
    SurfaceShip2Entity& boat = harness.add(new SurfaceShip2Entity("Seal-Team", 1));
    EXPECT_EQ(boat.typeCode, kEntitySurfaceShip2);
    EXPECT_EQ(boat.side, 4);
    EXPECT_EQ(boat.kind, kKindSurface);
    EXPECT_EQ(boat.controller, nullptr);
    EXPECT_EQ(boat.motion->x, 1000.0);
    EXPECT_EQ(boat.motion->heading, 90.0);
    EXPECT_EQ(boat.spareWords.creationTime, 100.0);
    const EntitySpareWords& w = boat.spareWords;
    ASSERT_TRUE(runUntil([&] { return w.firstTimer != 0.0; }, 1200.0));
    const double landed = simClock().gameClock;
    // It ran aground in the shallows before the beach: as far in as a boat goes.
    EXPECT_GT(boat.motion->lastGroundingTime, 100.0);
    EXPECT_NEAR(w.firstTimer, landed + 600.0, 1.5);
    EXPECT_NEAR(w.secondTimer - w.firstTimer, landed - 100.0, 1.5);
    ASSERT_TRUE(runUntil([&] { return w.firstTimer == 0.0; }, 700.0));
    EXPECT_EQ(boat.motion->heading, 270.0);
    EXPECT_LT(MotionModel::terrainHeight(boat.motion->x, boat.motion->y),
              -8.5344); // off into deep water at once
    EXPECT_EQ(boat.motion->z, 0.0);
    EXPECT_EQ(boat.motion->orderedSpeed, boat.motion->maxSpeed);
    ASSERT_TRUE(runUntil([&] { return simClock().gameClock > w.secondTimer + 1.0; }, 1200.0));
    EXPECT_EQ(boat.motion->orderedSpeed, 0.0);
}

TEST_F(ShoreTeam, ABoatWithoutSpeedStaysOnTheBeachRatherThanLookingForWaterForEver) {
    ownBoat({1000.0, 2500.0, 0.0}, 90.0);
    SurfaceShip2Entity& boat = harness.add(new SurfaceShip2Entity("Buoy", 1)); // no speed at all
    boat.motion->x = 4000.0;
    boat.spareWords.firstTimer = simClock().gameClock - 1.0;
    boat.updatePerSecond(1.0);
    EXPECT_EQ(boat.motion->x, 4000.0);
    EXPECT_EQ(boat.motion->heading, 270.0);
    EXPECT_EQ(boat.spareWords.firstTimer, 0.0);
}

TEST_F(SupportUnits, AtLevelTwoTheTeamRunsToTheNearestFloatBlowsItUpAndComesBack) {
    ownBoat({1000.0, 1000.0, 0.0});
    Entity& buoy = body(2, "Buoy", kKindMissile, {1000.0, 3000.0, 0.0});
    body(2, "Rock", kKindWeapon, {1000.0, 1500.0, -30.0}); // nearer, but floats come first
    SurfaceShip2Entity& boat = harness.add(new SurfaceShip2Entity("Seal-Team", 2));
    EXPECT_EQ(boat.parentId, worldOwnShip()->id);
    EXPECT_EQ(boat.spareWords.keptEntityId, buoy.id);
    ASSERT_NE(boat.controller, nullptr);
    ASSERT_EQ(boat.controller->activeOrders->count(), 2);
    const ControllerOrder& out = *boat.controller->currentOrder();
    EXPECT_NEAR(out.x, 1000.0, 1e-6);
    EXPECT_NEAR(out.y, 3000.0, 1.0);
    EXPECT_EQ(out.speed, boat.motion->maxSpeed);
    const EntitySpareWords& w = boat.spareWords;
    ASSERT_TRUE(runUntil([&] { return w.firstTimer != 0.0; }, 1200.0));
    EXPECT_EQ(boat.motion->orderedSpeed, 0.0); // waiting at the target
    EXPECT_EQ(buoy.hull, 1.0);
    ASSERT_TRUE(runUntil([&] { return buoy.hull < 1.0; }, 700.0));
    EXPECT_EQ(buoy.hull, 0.0);
    // A boat this small turns on a wide circle: it takes its time to come round.
    ASSERT_TRUE(runUntil([&] { return boat.controller == nullptr; }, 6000.0));
    EXPECT_EQ(boat.motion->orderedSpeed, 0.0);
    EXPECT_LT(entityRangeYards(boat, *worldOwnShip()), 30.0);
}

TEST_F(SupportUnits, TheGoalsPutOutTheTeamsBoatOnItsCourseAndTheRescueSubmarineFromTheOwnBoat) {
    MissionWorld& facts = worldMissionFacts();
    EXPECT_EQ(facts.createSupportUnit(SupportUnit::ShoreTeam, 1, 135.0), std::nullopt); // no own boat yet
    ownBoat({1000.0, 1000.0, 0.0});
    const std::optional<std::int32_t> team = facts.createSupportUnit(SupportUnit::ShoreTeam, 1, 135.0);
    ASSERT_TRUE(team);
    const Entity* boat = worldFindEntity(*team);
    ASSERT_NE(boat, nullptr);
    EXPECT_EQ(boat->typeCode, kEntitySurfaceShip2);
    EXPECT_EQ(boat->recordId, kRecordTeam);
    EXPECT_EQ(boat->motion->orderedCourse, 135.0);
    const std::optional<std::int32_t> rescue =
        facts.createSupportUnit(SupportUnit::RescueSubmarine, 1, std::nullopt);
    ASSERT_TRUE(rescue);
    EXPECT_EQ(worldFindEntity(*rescue)->typeCode, kEntitySubmarine2);
}

class RescueSubmarine : public SupportUnits {};

TEST_F(RescueSubmarine, ItStartsBesideTheOwnBoatWithOrdersToTheNearestFriendlySubmarineAndBack) {
    Entity& own = ownBoat({1000.0, 1000.0, -50.0});
    vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {1000.0, 1200.0, -80.0}).side = 2; // hostile to it
    vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {1300.0, 1500.0, -80.0});
    Submarine2Entity& dsrv = harness.add(new Submarine2Entity("Dsrv"));
    EXPECT_EQ(dsrv.typeCode, kEntitySubmarine2);
    EXPECT_EQ(dsrv.side, 6);
    EXPECT_EQ(dsrv.level, 1);
    const MotionModel& m = *dsrv.motion;
    const double beside = own.motion->halfBeam + m.halfBeam + 3.0;
    EXPECT_EQ(m.x, 1000.0 + beside);
    EXPECT_EQ(m.y, 1000.0 + beside);
    EXPECT_EQ(m.z, -50.0 + own.motion->halfHeight + m.halfHeight);
    ASSERT_NE(dsrv.controller, nullptr);
    struct Leg {
        double x, y, speed, depth;
    };
    const Leg legs[] = {{1300.0, 1500.0, 10.0, -75.0},
                        {1300.0, 1510.0, 0.01, -75.0},
                        {m.x, m.y, 10.0, m.z},
                        {m.x + 5.0, m.y + 5.0, 0.01, m.z}};
    auto* node = dsrv.controller->activeOrders->head();
    for (const Leg& leg : legs) {
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->item->type, 2);
        EXPECT_EQ(node->item->x, leg.x);
        EXPECT_EQ(node->item->y, leg.y);
        EXPECT_EQ(node->item->speed, leg.speed);
        EXPECT_EQ(node->item->depth, leg.depth);
        node = node->next;
    }
    EXPECT_EQ(node, nullptr);
}

TEST_F(RescueSubmarine, OnceItsOrdersAreDoneItStopsAndDropsItsController) {
    ownBoat({1000.0, 1000.0, -50.0});
    Submarine2Entity& dsrv = harness.add(new Submarine2Entity("Dsrv")); // no one to rescue: no orders
    dsrv.motion->setOrderedSpeed(5.0);
    dsrv.updatePerSecond(1.0);
    EXPECT_EQ(dsrv.controller, nullptr);
    EXPECT_EQ(dsrv.motion->orderedSpeed, 0.0);
}

TEST_F(RescueSubmarine, ASavedRescueSubmarineTakesUpItsOrdersAgainAtOnce) {
    ownBoat({1000.0, 1000.0, -50.0});
    vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {1300.0, 1500.0, -80.0});
    Submarine2Entity& dsrv = harness.add(new Submarine2Entity("Dsrv"));
    MemorySink saved;
    ASSERT_TRUE(dsrv.save(saved));
    Submarine2Entity loaded({dsrv.side, dsrv.recordId, dsrv.level, dsrv.kind, 900, 0});
    EXPECT_EQ(loaded.controller->activeOrders, nullptr); // the loading form makes no orders of its own
    MemorySource source(saved.bytes());
    ASSERT_TRUE(loaded.load(source));
    ASSERT_NE(loaded.controller->currentOrder(), nullptr);
    EXPECT_EQ(loaded.controller->currentOrder()->x, 1300.0);
    EXPECT_EQ(loaded.controller->activeOrders->count(), 4);
}

} // namespace
} // namespace q71::test
