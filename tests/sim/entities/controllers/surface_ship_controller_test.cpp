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

using ShipRating = VesselWorld;

TEST_F(ShipRating, AnUntrainedCrewKeepsClearOfAHostileSubmarineOnlyInsideNineMiles) {
    SurfaceShipController& c = ship(1, "Frigate", 1, {});
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    ContactRecord& contact = sight(c.owner(), mover(2, "Hunter", kKindSubsurface, at(30.0, 20000.0, -60.0)));
    EXPECT_EQ(contact.reaction, kReactionEvade);
    EXPECT_EQ(contact.classified, 1);
    c.update(1.0);
    EXPECT_EQ(c.state, kReactionEvade);
    EXPECT_EQ(c.owner().motion->orderedCourse, 0.0);
    contact.range = 18000.0;
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 290.0, 1e-9); // the submarine 100 degrees off the bow
    EXPECT_EQ(loggedOfKind(kEventMeeting).size(), 1u);
}

TEST_F(ShipRating, ATrainedCrewClosesOnHostilesPingsAndLetsFriendsBe) {
    setClock(100.0);
    SurfaceShipController& c = ship(1, "Frigate", 3, {});
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    ContactRecord& hostile = sight(c.owner(), mover(2, "Hunter", kKindSubsurface, at(90.0, 15000.0, -60.0)));
    EXPECT_EQ(hostile.reaction, kReactionClose);
    EXPECT_GE(c.attackTimer, 115.0);
    EXPECT_LE(c.attackTimer, 130.0);
    EXPECT_EQ(activeSonarSetting(c.owner()), kActiveSonarAttack);
    ContactRecord& friendly = sight(c.owner(), mover(1, "Patrol", kKindAir, at(0.0, 1000.0, 500.0)));
    EXPECT_EQ(friendly.reaction, kReactionNone);
    EXPECT_EQ(friendly.classified, 1);
    EXPECT_EQ(friendly.classifyTime, 100.0);
    EXPECT_EQ(loggedOfKind(kEventMeeting).size(), 1u); // a contact without a reaction is no event
}

TEST_F(ShipRating, OnTransitHostilesAreKeptClearOfAndNeutralsIgnored) {
    SurfaceShipController& c = ship(1, "Frigate", 4, {});
    task(c, kStateTransit, {{0, 50000, 0}});
    EXPECT_EQ(sight(c.owner(), mover(2, "Hunter", kKindSubsurface, at(0.0, 9000.0, -60.0))).reaction,
              kReactionEvade);
    EXPECT_EQ(sight(c.owner(), mover(4, "Freighter", kKindSurface, at(0.0, 2000.0))).reaction, kReactionNone);
}

TEST_F(ShipRating, AHostileTorpedoIsRunFromAtFullSpeedAndReportedToAFriend) {
    setClock(50.0);
    SurfaceShipController& c = ship(1, "Frigate", 2, {});
    task(c, kStateBoxPatrol, {{0, 50000, 0}});
    SurfaceShipController& friendShip = ship(1, "Frigate", 2, at(180.0, 5000.0));
    Entity& torpedo = mover(2, "Fish", kKindWeapon, at(90.0, 3000.0, -30.0), 270.0, 40.0);
    ContactRecord& contact = sight(c.owner(), torpedo);
    const MotionModel& motion = *c.owner().motion;
    EXPECT_EQ(contact.reaction, kReactionEvadeWeapon);
    EXPECT_GE(motion.orderedCourse, 190.0); // 100 to 260 degrees off the torpedo's bearing
    EXPECT_LE(motion.orderedCourse, 350.0);
    EXPECT_EQ(motion.orderedSpeed, motion.maxSpeed);
    EXPECT_EQ(c.manoeuvreTimer, 110.0);
    const ContactRecord* relayed = friendShip.owner().findContact(torpedo.id);
    ASSERT_NE(relayed, nullptr);
    EXPECT_EQ(relayed->fixes[0].newest().sensorType, kSensorRelayed);
    EXPECT_TRUE(loggedOfKind(kEventMeeting).empty()); // a torpedo's detection is no event

    Entity& ownTorpedo = mover(1, "Fish", kKindWeapon, at(0.0, 2000.0, -30.0));
    EXPECT_EQ(sight(c.owner(), ownTorpedo).reaction, kReactionNone);
}

using ShipSonar = VesselWorld;

TEST_F(ShipSonar, ALevelTwoCrewSearchesWithItsActiveSonarFromTheStart) {
    EXPECT_EQ(activeSonarSetting(ship(1, "Frigate", 2, {}).owner()), kActiveSonarSearch);
    EXPECT_EQ(activeSonarSetting(ship(1, "Frigate", 3, {}).owner()), kActiveSonarOff);
}

TEST_F(ShipSonar, ALevelThreeCrewTogglesItsSonarEverySevenToFourteenMinutesOnPatrol) {
    SurfaceShipController& c = ship(1, "Frigate", 3, {}, 0.0, 10.0);
    task(c, kStateBoxPatrol, {{3000, 3000, 0}, {3000, -3000, 0}, {-3000, -3000, 0}, {-3000, 3000, 0}}, 10.0);
    std::vector<std::pair<double, std::int16_t>> switches;
    std::int16_t last = *activeSonarSetting(c.owner());
    for (int i = 0; i < 4 * 7200; ++i) {
        harness.pass(0.25);
        if (const std::int16_t now = *activeSonarSetting(c.owner()); now != last) {
            switches.emplace_back(simClock().gameClock, now);
            last = now;
        }
    }
    ASSERT_GE(switches.size(), 9u);
    for (std::size_t i = 0; i < switches.size(); ++i) {
        EXPECT_EQ(switches[i].second, i % 2 == 0 ? kActiveSonarSearch : kActiveSonarOff);
        if (i > 0) {
            const double interval = switches[i].first - switches[i - 1].first;
            EXPECT_GE(interval, 420.0);
            EXPECT_LE(interval, 841.25);
        }
    }
}

TEST_F(ShipSonar, ALevelThreeCrewOnASearchingTransitPingsOnItsOwnTimer) {
    SurfaceShipController& c = ship(1, "Frigate", 3, {}, 0.0, 10.0);
    task(c, kStateSearchTransit, {{0, 90000, 0}}, 10.0);
    c.update(1.0);
    EXPECT_EQ(activeSonarSetting(c.owner()), kActiveSonarSearch);
    EXPECT_GE(c.searchPingTimer, 420.0);
    EXPECT_LE(c.searchPingTimer, 840.0);
    setClock(c.searchPingTimer);
    c.update(1.0);
    EXPECT_EQ(activeSonarSetting(c.owner()), kActiveSonarOff);
}

using ShipTransit = VesselWorld;

TEST_F(ShipTransit, ALevelTwoShipZigZagsOnLegsOfFiveToFifteenMinutes) {
    SurfaceShipController& c = ship(1, "Frigate", 2, {}, 0.0, 5.0);
    const WorldPoint goal{0.0, 90000.0, 0.0};
    task(c, kStateTransit, {goal});
    struct Leg {
        double time, course, bearing;
    };
    std::vector<Leg> legs;
    double timer = c.manoeuvreTimer;
    for (int i = 0; i < 4 * 3600; ++i) {
        harness.pass(0.25);
        if (c.manoeuvreTimer != timer) {
            timer = c.manoeuvreTimer;
            const MotionModel& m = *c.owner().motion;
            legs.push_back({simClock().gameClock, m.orderedCourse, entityBearing(m, goal)});
        }
    }
    ASSERT_GE(legs.size(), 4u);
    int offTrack = 0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const double off = angleDiff(legs[i].bearing, legs[i].course);
        EXPECT_LE(std::fabs(off), 25.0 + 1e-9);
        offTrack += std::fabs(off) > 1.0;
        if (i > 0) {
            EXPECT_GE(legs[i].time - legs[i - 1].time, 300.0);
            EXPECT_LE(legs[i].time - legs[i - 1].time, 901.25);
        }
    }
    EXPECT_GE(offTrack, 2);
    EXPECT_EQ(c.owner().motion->orderedSpeed, 12.0); // 2 x level + 8
}

TEST_F(ShipTransit, AnUntrainedCrewSteersStraightAtItsPointsAndStopsAtTheEnd) {
    SurfaceShipController& c = ship(1, "Frigate", 1, {0, 0, 0}, 0.0, 10.0);
    task(c, kStateTransit, {{0, 4, 0}, {3000, 4, 0}}, 7.0);
    c.update(1.0); // the first point lies within a second's run
    const MotionModel& m = *c.owner().motion;
    EXPECT_NEAR(m.orderedCourse, 90.0, 0.1);
    EXPECT_EQ(m.orderedSpeed, 7.0);
    c.owner().motion->x = 3000.0;
    c.update(1.0);
    EXPECT_EQ(c.planMode, kStateStop);
    c.update(1.0);
    EXPECT_EQ(m.orderedSpeed, 0.0);
}

using ShipPatrol = VesselWorld;

TEST_F(ShipPatrol, OnWaypointsTheSpeedIsHeldWhereTheSonarStillHears) {
    SurfaceShipController& c = ship(1, "Frigate", 2, {});
    task(c, kStateBoxPatrol, {{0, 9000, 0}, {9000, 9000, 0}}, 25.0);
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->orderedSpeed, 15.0); // 7.5 x the sonar figure of 2
    SurfaceShipController& loop = ship(1, "Frigate", 2, {});
    task(loop, kStateWaypointLoop19, {{0, 9000, 0}}, 25.0);
    loop.update(1.0);
    EXPECT_EQ(loop.owner().motion->orderedSpeed, 25.0);
}

TEST_F(ShipPatrol, AReachedRandomPointOfTheAreaIsFollowedByANewOneInside) {
    SurfaceShipController& c = ship(1, "Frigate", 1, {500, 500, 0}, 0.0, 10.0);
    task(c, kStateRandomArea, {{500, 500, 0}});
    PlanParameters& area = *c.activeParams;
    area.setValue(16, 1000.0);
    area.setValue(24, 2000.0);
    area.setValue(32, 3000.0);
    area.setValue(40, 2000.0);
    for (int i = 0; i < 20; ++i) {
        c.update(1.0);
        const ControllerOrder* next = c.currentOrder();
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->type, kStateRandomArea);
        EXPECT_GE(next->x, 1000.0 - 1e-6);
        EXPECT_LE(next->x, 1000.0 + 3000.0 * kYardsToMetres + 1e-6);
        EXPECT_GE(next->y, 2000.0 - 1e-6);
        EXPECT_LE(next->y, 2000.0 + 2000.0 * kYardsToMetres + 1e-6);
        EXPECT_EQ(c.activeOrders->count(), 1);
        c.owner().motion->x = next->x; // there at the next pass
        c.owner().motion->y = next->y;
    }
}

using ShipKeepClear = VesselWorld;

TEST_F(ShipKeepClear, ATrainedCrewSlowsAndTurnsTheTargetOffTheBowEveryFiveMinutes) {
    SurfaceShipController& c = ship(1, "Frigate", 3, {}, 0.0, 12.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(30.0, 10000.0)));
    const MotionModel& m = *c.owner().motion;
    c.update(1.0);
    EXPECT_EQ(m.orderedSpeed, 5.0);
    const double turned = m.orderedCourse; // 30 - 90 - random(25): 275 to 300
    EXPECT_GE(turned, 275.0);
    EXPECT_LE(turned, 300.0);
    EXPECT_EQ(c.manoeuvreTimer, 300.0);
    c.owner().motion->heading = 120.0; // the ship swings; no new turn before the timer
    setClock(299.0);
    c.update(1.0);
    EXPECT_EQ(m.orderedCourse, turned);
    contact.range = 13000.0; // beyond 12801.6 yards nothing is done
    setClock(400.0);
    c.update(1.0);
    EXPECT_EQ(m.orderedCourse, turned);
}

TEST_F(ShipKeepClear, AnExpertCrewSlipsAwayFromAnOpeningTarget) {
    SurfaceShipController& c = ship(1, "Frigate", 4, {}, 0.0, 12.0);
    task(c, kStateTransit, {{0, 90000, 0}});
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 8000.0)));
    contact.rangeRate = 2.0;
    c.update(1.0);
    const MotionModel& m = *c.owner().motion;
    EXPECT_EQ(m.orderedSpeed, 8.0);
    EXPECT_GE(m.orderedCourse, 100.0);
    EXPECT_LE(m.orderedCourse, 260.0);
}

TEST_F(ShipKeepClear, ARunIsAwayFromTheTargetAndTrainedCrewsWeaveOnIt) {
    SurfaceShipController& untrained = ship(1, "Frigate", 1, {});
    task(untrained, kStateBoxPatrol, {{0, 90000, 0}});
    Entity& threat = mover(2, "Freighter", kKindSurface, at(45.0, 8000.0));
    sight(untrained.owner(), threat).reaction = kReactionWithdraw;
    untrained.update(1.0);
    EXPECT_EQ(untrained.owner().motion->orderedSpeed, 4.0);
    EXPECT_NEAR(untrained.owner().motion->orderedCourse, 225.0, 1e-6);

    setClock(10.0);
    SurfaceShipController& trained = ship(1, "Frigate", 3, {});
    task(trained, kStateBoxPatrol, {{0, 90000, 0}});
    sight(trained.owner(), threat).reaction = kReactionWithdraw;
    trained.update(1.0);
    const MotionModel& m = *trained.owner().motion;
    EXPECT_GE(m.orderedCourse, 195.0);
    EXPECT_LE(m.orderedCourse, 255.0);
    EXPECT_GE(m.orderedSpeed, 10.0);
    EXPECT_LE(m.orderedSpeed, 14.0);
    EXPECT_GE(trained.manoeuvreTimer, 310.0);
    EXPECT_LE(trained.manoeuvreTimer, 610.0);
}

TEST_F(ShipKeepClear, ATrainedCrewPutsATorpedoOffTheBowAndLooksForALostContact) {
    SurfaceShipController& c = ship(1, "Frigate", 3, {}, 0.0, 10.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    sight(c.owner(), mover(2, "Fish", kKindWeapon, at(40.0, 9000.0, -20.0))).reaction = kReactionEvadeWeapon;
    setClock(100.0);
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 300.0, 1e-6); // 40 - 100

    SurfaceShipController& searcher = ship(1, "Frigate", 3, {});
    task(searcher, kStateBoxPatrol, {{0, 90000, 0}});
    sight(searcher.owner(), mover(2, "Hunter", kKindSubsurface, at(200.0, 9000.0, -60.0))).reaction =
        kReactionLost;
    searcher.update(1.0);
    EXPECT_NEAR(searcher.owner().motion->orderedCourse, 200.0, 1e-6);
    EXPECT_EQ(activeSonarSetting(searcher.owner()), kActiveSonarSearch);
}

class ShipShoals : public VesselWorld {
protected:
    // A ship stopped at (5000, 5000) heading north over water 200 m deep, with water of a depth
    // north of y = 5400.
    SurfaceShipController& shipOffShore(std::int16_t northDepth) {
        grid = std::make_unique<TerrainGrid>(101, 101, 100.0, [northDepth](int, int row) {
            return row >= 54 ? northDepth : std::int16_t{-200};
        });
        SurfaceShipController& c = ship(1, "Frigate", 2, {5000, 5000, 0});
        task(c, kStateStop, {});
        return c;
    }
    std::unique_ptr<TerrainGrid> grid;
};

TEST_F(ShipShoals, AShipHeadingForShoalWaterTurnsInStepsOfFortyFiveDegreesUntilTheWayIsClear) {
    SurfaceShipController& c = shipOffShore(-5);
    c.update(1.0);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 90.0, 1e-9); // 315 and 45 both run into the shoal
}

TEST_F(ShipShoals, ProbingStopsWhenTheWaterFoundIsNotShallowerThanNineMetres) {
    SurfaceShipController& c = shipOffShore(-10);
    c.update(1.0);
    const double course = c.owner().motion->orderedCourse;
    EXPECT_TRUE(std::fabs(course - 45.0) < 1e-9 || std::fabs(course - 315.0) < 1e-9) << course;
}

TEST_F(ShipShoals, DeepWaterAheadLeavesTheCourseAlone) {
    SurfaceShipController& c = shipOffShore(-30);
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->orderedCourse, 0.0);
}

using ShipState = VesselWorld;

TEST_F(ShipState, TheTimersAreKeptInTheSavedStateBlock) {
    SurfaceShipController& c = ship(1, "Frigate", 3, {});
    task(c, kStateBoxPatrol, {{0, 9000, 0}});
    c.attackTimer = 100.5;
    c.manoeuvreTimer = 200.25;
    c.searchPingTimer = 300.125;
    MemorySink sink;
    ASSERT_TRUE(c.save(sink));
    double stored = 0.0;
    LayoutReader(sink.bytes()).f64(40, stored); // the manoeuvre timer's place in the state block
    EXPECT_EQ(stored, 200.25);
    SurfaceShipController& copy = ship(1, "Frigate", 3, {});
    MemorySource source(sink.bytes());
    ASSERT_TRUE(copy.load(source));
    EXPECT_EQ(copy.attackTimer, 100.5);
    EXPECT_EQ(copy.manoeuvreTimer, 200.25);
    EXPECT_EQ(copy.searchPingTimer, 300.125);

    c.manoeuvreTimer = std::numeric_limits<double>::infinity();
    MemorySink damaged;
    ASSERT_TRUE(c.save(damaged));
    MemorySource refused(damaged.bytes());
    EXPECT_FALSE(copy.load(refused));
    EXPECT_EQ(copy.manoeuvreTimer, 200.25);
}

} // namespace
} // namespace q71::test
