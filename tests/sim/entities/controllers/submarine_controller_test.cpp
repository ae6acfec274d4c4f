#include "sim/entities/controllers/vessel_fixture.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/byte_layout.h"
#include "sim/scoring/byte_stream.h"
#include "sim/support/terrain_grid.h"

#include <cmath>
#include <limits>
#include <memory>

namespace q71::test {
namespace {

constexpr double kPeriscopeDepth = -9.144;
constexpr double kPatrolDepth = -100.0; // 100 m below an isothermal layer, far off the bottom

using BoatRating = VesselWorld;

TEST_F(BoatRating, AnythingAboveTheSurfaceThatHoldsTheBoatMakesItWithdrawEvenAFriend) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -50});
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    c.runTimer = 500.0;
    ContactRecord& plane = sight(c.owner(), mover(1, "Patrol", kKindAir, at(90.0, 6000.0, 800.0)));
    EXPECT_EQ(plane.reaction, kReactionWithdraw);
    EXPECT_EQ(plane.classified, 1);
    EXPECT_EQ(c.runTimer, 0.0);
    EXPECT_TRUE(loggedOfKind(kEventMeeting).empty());
}

TEST_F(BoatRating, AHostileTorpedoIsEvadedDeepAtFullSpeedByATrainedCrewOnlyInsideTwelveThousandYards) {
    setClock(40.0);
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -50}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    const MotionModel& m = *c.owner().motion;
    ContactRecord& far = sight(c.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 13000.0, -50.0)));
    EXPECT_EQ(far.reaction, kReactionEvadeWeapon);
    EXPECT_EQ(m.orderedCourse, 0.0);
    ContactRecord& near = sight(c.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 9000.0, -50.0)));
    EXPECT_EQ(near.reaction, kReactionEvadeWeapon);
    EXPECT_GE(m.orderedCourse, 190.0);
    EXPECT_LE(m.orderedCourse, 350.0);
    EXPECT_EQ(m.orderedSpeed, m.maxSpeed);
    EXPECT_GE(m.orderedDepth, -243.84 + 75.0 - 50.0); // random(depth limit + 75) - 50
    EXPECT_LE(m.orderedDepth, -50.0);
    EXPECT_EQ(c.manoeuvreTimer, 100.0);

    SubmarineController& untrained = submarine(1, "Hunter", 1, {0, 0, -50});
    task(untrained, kStateBoxPatrol, {{0, 50000, 0}});
    sight(untrained.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 13000.0, -50.0)));
    EXPECT_NE(untrained.owner().motion->orderedCourse, 0.0); // the less able turn away at any range
}

TEST_F(BoatRating, FriendlyWeaponsAndMissilesAreNoThreat) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -50});
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    EXPECT_EQ(sight(c.owner(), mover(1, "Fish", kKindWeapon, at(0.0, 3000.0, -50.0))).reaction, kReactionNone);
    EXPECT_EQ(sight(c.owner(), mover(2, "Dart", kKindWeapon, at(0.0, 3000.0, -5.0))).reaction, kReactionNone);
}

TEST_F(BoatRating, PlatformsAreApproachedOrAvoidedByThePlan) {
    SubmarineController& hunter = submarine(1, "Hunter", 4, {0, 0, -60});
    task(hunter, kStateWaypointLoop3, {{0, 50000, 0}});
    EXPECT_EQ(sight(hunter.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 9000.0))).reaction, kReactionClose);
    EXPECT_EQ(hunter.owner().motion->orderedDepth, kPeriscopeDepth); // an expert looks first
    EXPECT_EQ(sight(hunter.owner(), mover(4, "Freighter", kKindSurface, at(0.0, 1900.0))).reaction, kReactionEvade);
    EXPECT_EQ(sight(hunter.owner(), mover(4, "Freighter", kKindSurface, at(0.0, 2100.0))).reaction, kReactionNone);
    EXPECT_EQ(loggedOfKind(kEventMeeting).size(), 2u);

    SubmarineController& transit = submarine(1, "Hunter", 4, {0, 0, -60});
    task(transit, kStateTransit, {{0, 50000, 0}});
    EXPECT_EQ(sight(transit.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 9000.0))).reaction, kReactionEvade);
    EXPECT_EQ(sight(transit.owner(), mover(1, "Freighter", kKindSurface, at(0.0, 900.0))).reaction, kReactionNone);
}

using BoatTransit = VesselWorld;

// The times the mast went up or down over three hours of a transit at periscope depth.
std::vector<std::pair<double, bool>> mastChanges(WorldHarness& harness, const Entity& boat) {
    std::vector<std::pair<double, bool>> changes;
    bool up = boat.motion->blowerOn != 0;
    for (int i = 0; i < 4 * 3 * 3600; ++i) {
        harness.pass(0.25);
        if ((boat.motion->blowerOn != 0) != up) {
            up = !up;
            changes.emplace_back(simClock().gameClock, up);
        }
    }
    return changes;
}

TEST_F(BoatTransit, AnUntrainedCrewRaisesAndLowersItsMastEveryHalfHour) {
    SubmarineController& c = submarine(1, "Hunter", 1, {0, 0, kPeriscopeDepth}, 0.0, 5.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    const auto changes = mastChanges(harness, c.owner());
    ASSERT_GE(changes.size(), 6u);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].second, i % 2 == 0);
        if (i > 0) {
            EXPECT_GE(changes[i].first - changes[i - 1].first, 1800.0);
            EXPECT_LE(changes[i].first - changes[i - 1].first, 1801.25);
        }
    }
    EXPECT_NEAR(c.owner().motion->z, kPeriscopeDepth, 0.5);
}

TEST_F(BoatTransit, ALevelTwoCrewKeepsItsMastUpTwelveMinutesAndDownFortyEight) {
    SubmarineController& c = submarine(1, "Hunter", 2, {0, 0, kPeriscopeDepth}, 0.0, 5.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    const auto changes = mastChanges(harness, c.owner());
    ASSERT_GE(changes.size(), 5u);
    for (std::size_t i = 1; i < changes.size(); ++i) {
        const double kept = changes[i].first - changes[i - 1].first;
        const double expected = changes[i - 1].second ? 720.0 : 2880.0;
        EXPECT_GE(kept, expected);
        EXPECT_LE(kept, expected + 1.25);
    }
}

TEST_F(BoatTransit, AMastIsNotRaisedFromDeep) {
    SubmarineController& c = submarine(1, "Hunter", 1, {0, 0, -40}, 0.0, 5.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->blowerOn, 0);
    EXPECT_EQ(c.mastTimer, 1800.0);
}

TEST_F(BoatTransit, ATrainedCrewStepsAsideDueSouthEveryOneAndAHalfToTwoAndAHalfHours) {
    SubmarineController& c = submarine(1, "Hunter", 3, {1000, 2000, -60}, 90.0, 5.0);
    EXPECT_GE(c.repositionTimer, 3600.0);
    EXPECT_LE(c.repositionTimer, 7200.0);
    task(c, kStateTransit, {{1000, 90000, 0}});
    c.depthTimer = 1e9;
    setClock(c.repositionTimer);
    c.update(1.0);
    const ControllerOrder& leg = *c.currentOrder();
    EXPECT_EQ(leg.type, kStateTransit);
    EXPECT_NEAR(leg.x, 1000.0, 1e-4); // the program's degree factor is a little short of pi / 180
    EXPECT_NEAR(leg.y, 2000.0 - 2000.0 * kYardsToMetres, 1e-4);
    EXPECT_EQ(leg.dueTime, simClock().gameClock + 10.0);
    EXPECT_GE(c.repositionTimer, simClock().gameClock + 5400.0);
    EXPECT_LE(c.repositionTimer, simClock().gameClock + 9000.0);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 180.0, 1e-6); // off to the leg at once
}

TEST_F(BoatTransit, AnExpertStepsAsideAsternEveryFourHours) {
    SubmarineController& c = submarine(1, "Hunter", 4, {1000, 2000, -60}, 90.0, 5.0);
    task(c, kStateTransit, {{1000, 90000, 0}});
    c.depthTimer = 1e9;
    setClock(c.repositionTimer);
    c.update(1.0);
    const ControllerOrder& leg = *c.currentOrder();
    EXPECT_NEAR(leg.x, 1000.0 - 2000.0 * kYardsToMetres, 1e-4);
    EXPECT_NEAR(leg.y, 2000.0, 1e-4);
    EXPECT_EQ(c.repositionTimer, simClock().gameClock + 14400.0);
}

TEST_F(BoatTransit, ATrainedCrewComesUpToLookAndGoesBackBelowTheLayer) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    MotionModel& m = *c.owner().motion;
    c.update(1.0);
    EXPECT_EQ(m.orderedDepth, kPeriscopeDepth);
    EXPECT_GE(c.depthTimer, 600.0);
    EXPECT_LE(c.depthTimer, 900.0);
    m.z = kPeriscopeDepth;
    const double up = c.depthTimer;
    setClock(up);
    c.update(1.0);
    EXPECT_EQ(m.orderedDepth, kPatrolDepth);
    EXPECT_GE(c.depthTimer, up + 1500.0);
    EXPECT_LE(c.depthTimer, up + 2400.0);
}

using BoatPatrol = VesselWorld;

TEST_F(BoatPatrol, TheLessAbleStayAtPeriscopeDepthOnPatrol) {
    SubmarineController& c = submarine(1, "Hunter", 2, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 9000, 0}, {9000, 9000, 0}});
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->orderedDepth, kPeriscopeDepth);
    EXPECT_EQ(c.mastTimer, 720.0); // the mast was ordered up (refused this deep)
}

TEST_F(BoatPatrol, AnExpertSprintsDeepAndDriftsShallow) {
    SubmarineController& c = submarine(1, "Hunter", 4, {0, 0, -100}, 0.0, 8.0);
    task(c, kStateBoxPatrol, {{0, 9000, 0}, {9000, 9000, 0}});
    MotionModel& m = *c.owner().motion;
    c.update(1.0);
    EXPECT_EQ(m.orderedDepth, kPeriscopeDepth); // deep: up to look
    EXPECT_GE(c.depthTimer, 600.0);
    EXPECT_LE(c.depthTimer, 900.0);
    EXPECT_EQ(m.orderedSpeed, 3.0); // and, going faster than 5, slow
    EXPECT_EQ(c.speedTimer, 600.0);

    m.z = kPeriscopeDepth;
    m.speed = 3.0;
    setClock(600.0);
    c.update(1.0);
    EXPECT_GE(m.orderedSpeed, 3.0); // shallow and slow: 3 to 5
    EXPECT_LE(m.orderedSpeed, 5.0);
    EXPECT_GE(c.speedTimer, 600.0 + 1200.0);
    EXPECT_LE(c.speedTimer, 600.0 + 1800.0);

    setClock(c.depthTimer);
    c.speedTimer = 1e9;
    c.update(1.0);
    EXPECT_EQ(m.orderedDepth, kPatrolDepth); // down to sprint
    EXPECT_EQ(m.orderedSpeed, 10.0);
}

TEST_F(BoatPatrol, ALostContactIsLookedForAlongItsLastBearingUnlessHeardAgain) {
    setClock(200.0);
    SubmarineController& c = submarine(1, "Raider", 3, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 9000, 0}});
    ContactRecord& lost = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(250.0, 9000.0)));
    lost.reaction = kReactionLost;
    lost.lastUpdate = 220.0; // the fix is 20 s old
    setClock(220.0);
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 250.0, 1e-6);
    EXPECT_EQ(activeSonarSetting(c.owner()), kActiveSonarOff);
    EXPECT_EQ(c.owner().motion->orderedDepth, kPeriscopeDepth);
    EXPECT_EQ(c.depthTimer, 820.0);
    lost.lastUpdate = 205.0; // heard 5 s before the update: rated again
    c.update(1.0);
    EXPECT_EQ(lost.reaction, kReactionClose);
}

class BoatBottom : public VesselWorld {
protected:
    // A boat at (5000, 5000) heading north over water 500 m deep, with a bottom of a height
    // from 50 m ahead on; stopped, so that only the bottom and shoal checks order anything.
    SubmarineController& boatOver(std::int16_t bottomAhead, double z, double orderedDepth) {
        grid = std::make_unique<TerrainGrid>(201, 201, 50.0, [bottomAhead](int, int row) {
            return row >= 101 ? bottomAhead : std::int16_t{-500};
        });
        SubmarineController& c = submarine(1, "Hunter", 3, {5000, 5000, z});
        c.owner().motion->orderedDepth = orderedDepth;
        task(c, kStateStop, {});
        return c;
    }
    std::unique_ptr<TerrainGrid> grid;
};

TEST_F(BoatBottom, ABoatNearTheBottomAheadComesUpClearOfIt) {
    SubmarineController& c = boatOver(-20, -10.0, -10.0);
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedDepth, -30.0 * 0.3048, 1e-9);
}

TEST_F(BoatBottom, ADeepOrderTowardTheBottomAheadIsTakenBack) {
    SubmarineController& c = boatOver(-150, -100.0, -145.0);
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedDepth, (-150.0 + 40.0) * 0.3048, 1e-9);
}

TEST_F(BoatBottom, ABoatWellClearOfTheBottomKeepsItsDepth) {
    SubmarineController& c = boatOver(-300, -100.0, -100.0);
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->orderedDepth, -100.0);
}

TEST_F(BoatBottom, ThePatrolAndEvasionDepthsKeepOffTheBottom) {
    const TerrainGrid flat(41, 41, 250.0, [](int, int) { return std::int16_t{-120}; });
    SubmarineController& c = submarine(1, "Hunter", 3, {5000, 5000, -60});
    EXPECT_EQ(c.patrolDepth(), -70.0);
    EXPECT_GE(c.evasionDepth(), -120.0 + 33.0);
}

using BoatState = VesselWorld;

TEST_F(BoatState, TheTimersAreKeptAtTheirPlacesInTheSavedStateBlock) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -60});
    task(c, kStateBoxPatrol, {{0, 9000, 0}});
    c.speedTimer = 1.5;
    c.attackTimer = 2.5;
    c.manoeuvreTimer = 3.5;
    c.mastTimer = 4.5;
    c.repositionTimer = 5.5;
    c.depthTimer = 6.5;
    c.runTimer = 7.5;
    MemorySink sink;
    ASSERT_TRUE(c.save(sink));
    const LayoutReader block(sink.bytes());
    for (const auto& [offset, value] : std::vector<std::pair<std::size_t, double>>{
             {24, 1.5}, {32, 2.5}, {40, 3.5}, {72, 4.5}, {80, 5.5}, {88, 6.5}, {96, 7.5}}) {
        double stored = 0.0;
        block.f64(offset, stored);
        EXPECT_EQ(stored, value) << "at " << offset;
    }
    SubmarineController& copy = submarine(1, "Hunter", 3, {0, 0, -60});
    MemorySource source(sink.bytes());
    ASSERT_TRUE(copy.load(source));
    EXPECT_EQ(copy.mastTimer, 4.5);
    EXPECT_EQ(copy.runTimer, 7.5);

    c.depthTimer = std::numeric_limits<double>::quiet_NaN();
    MemorySink damaged;
    ASSERT_TRUE(c.save(damaged));
    MemorySource refused(damaged.bytes());
    EXPECT_FALSE(copy.load(refused));
}

} // namespace
} // namespace q71::test
