#include "sim/entities/controllers/vessel_fixture.h"

#include "sim/entities/motion/motion_model.h"

#include <cmath>

namespace q71::test {
namespace {

class BoatEvasion : public VesselWorld {
protected:
    // A boat of a level at the origin heading north at 100 m on a transit, so that a hostile
    // platform is kept clear of.
    SubmarineController& transiting(std::int32_t level) {
        SubmarineController& c = submarine(1, "Hunter", level, {0, 0, -100}, 0.0, 5.0);
        task(c, kStateTransit, {{0, 90000, 0}});
        c.depthTimer = c.repositionTimer = 1e9;
        return c;
    }
    static std::vector<double> countermeasureDepths() {
        std::vector<double> depths;
        for (Entity* cm : entitiesOf(kRecordCounter))
            depths.push_back(cm->motion->orderedDepth);
        return depths;
    }
};

TEST_F(BoatEvasion, TheLessAbleSlowAndGoDeepToKeepClear) {
    SubmarineController& c = transiting(2);
    sight(c.owner(), mover(2, "Freighter", kKindSurface, at(30.0, 6000.0)));
    c.update(1.0);
    EXPECT_EQ(c.owner().motion->orderedSpeed, 4.0);
    EXPECT_EQ(c.owner().motion->orderedDepth, -100.0);
}

TEST_F(BoatEvasion, ATrainedCrewTurnsAClosingTargetOffTheBowAndSlipsAwayFromAnOpeningOne) {
    SubmarineController& c = transiting(3);
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(30.0, 6000.0)));
    const MotionModel& m = *c.owner().motion;
    contact.rangeRate = -1.0;
    c.update(1.0);
    EXPECT_EQ(m.orderedSpeed, 5.0);
    EXPECT_NEAR(m.orderedCourse, 290.0, 1e-9);
    EXPECT_EQ(c.manoeuvreTimer, 300.0);
    contact.rangeRate = 1.0;
    setClock(300.0);
    c.update(1.0);
    EXPECT_EQ(m.orderedSpeed, 8.0);
    EXPECT_GE(m.orderedCourse, 130.0);
    EXPECT_LE(m.orderedCourse, 290.0);
    EXPECT_EQ(c.manoeuvreTimer, 600.0);
}

TEST_F(BoatEvasion, AnExpertSidestepsToAHoldPointAndForgetsAContactFarFromIt) {
    SubmarineController& c = transiting(4);
    Entity& freighter = mover(2, "Freighter", kKindSurface, at(20.0, 9000.0));
    ContactRecord& contact = sight(c.owner(), freighter);
    MotionModel& m = *c.owner().motion;
    c.update(1.0);
    EXPECT_EQ(contact.classified, 0);
    ASSERT_EQ(c.activeOrders->count(), 3);
    const ControllerOrder leg = *c.activeOrders->head()->item;
    const ControllerOrder hold = *c.activeOrders->head()->next->item;
    EXPECT_EQ(leg.type, kStateTransit);
    EXPECT_NEAR(entityBearing(WorldPoint{}, leg), 330.0, 1e-6); // the contact's bearing - 50
    EXPECT_NEAR(entityRangeYards(WorldPoint{}, leg), 914.4, 0.1);
    EXPECT_EQ(hold.type, kStateHold);
    EXPECT_EQ(hold.parameter, freighter.id);
    EXPECT_EQ(hold.x, 0.0);
    EXPECT_EQ(hold.y, 0.0);
    EXPECT_EQ(m.orderedSpeed, 10.0);

    m.x = leg.x; // at the end of the sidestep: back to the hold point
    m.y = leg.y;
    c.update(1.0);
    EXPECT_EQ(c.currentOrder()->type, kStateHold);
    EXPECT_NEAR(m.orderedCourse, entityBearing(m, hold), 1e-6);

    m.x = m.y = 0.0; // back at the hold point, the contact 9000 yards off: low risk
    c.update(1.0);
    EXPECT_EQ(contact.reaction, kReactionNone);
    EXPECT_EQ(c.activeOrders->count(), 1); // the hold is gone, the transit goes on
}

TEST_F(BoatEvasion, AnExpertAtItsHoldPointTurnsAwayDeepFromANearContact) {
    SubmarineController& c = transiting(4);
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(20.0, 7000.0)));
    MotionModel& m = *c.owner().motion;
    c.update(1.0);
    ControllerOrder* sidestep = c.activeOrders->head()->item; // skipped: straight back at the hold
    c.activeOrders->remove(sidestep);
    delete sidestep;
    m.speed = 5.0;
    c.update(1.0);
    EXPECT_EQ(contact.reaction, kReactionEvade);
    EXPECT_NEAR(m.orderedCourse, 280.0, 1e-9); // the contact 100 degrees off the bow
    EXPECT_EQ(m.orderedDepth, -100.0);        // the patrol depth
    EXPECT_EQ(c.activeOrders->count(), 1);
}

TEST_F(BoatEvasion, TheRiskOfDetectionFallsWithRangeAndRisesWithEachRating) {
    SubmarineController& c = transiting(4);
    ContactRecord& ship = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 20000.0)));
    ship.range = 8001.0; // a submarine hides from a ship at 80: 80 x range >= 50 x n x 12801.6
    EXPECT_TRUE(c.detectionRiskLow(ship, 1));
    ship.range = 7999.0;
    EXPECT_FALSE(c.detectionRiskLow(ship, 1));
    ship.range = 16003.0;
    EXPECT_TRUE(c.detectionRiskLow(ship, 2));
    EXPECT_FALSE(c.detectionRiskLow(ship, 3));
    ContactRecord& boat = sight(c.owner(), mover(2, "Hunter", kKindSubsurface, at(0.0, 20000.0, -60.0)));
    boat.range = 12000.0; // from another submarine only at 50
    EXPECT_FALSE(c.detectionRiskLow(boat, 1));
    boat.range = 0.0;
    EXPECT_FALSE(c.detectionRiskLow(boat, 1));
}

TEST_F(BoatEvasion, ADetectedBoatWithdrawsForHalfAnHourThenComesBack) {
    setClock(100.0);
    SubmarineController& c = submarine(1, "Hunter", 1, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 6000.0), 90.0, 10.0));
    track(contact, 90.0, 10.0, 0.0, 10.0);
    contact.reaction = kReactionWithdraw;
    c.update(1.0);
    const MotionModel& m = *c.owner().motion;
    EXPECT_EQ(m.orderedSpeed, 4.0);
    EXPECT_NEAR(m.orderedCourse, 90.0, 1e-9); // across the bearing, the way the target runs
    EXPECT_EQ(c.runTimer, 1900.0);
    setClock(1899.0);
    c.update(1.0);
    EXPECT_EQ(contact.reaction, kReactionWithdraw);
    setClock(1900.0);
    c.update(1.0);
    EXPECT_EQ(contact.reaction, kReactionClose);
}

TEST_F(BoatEvasion, ATrainedCrewWeavesDeepOnItsWithdrawal) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    ContactRecord& contact = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 6000.0)));
    track(contact, 270.0, 10.0, 0.0, 10.0);
    contact.reaction = kReactionWithdraw;
    c.update(1.0);
    const MotionModel& m = *c.owner().motion;
    EXPECT_GE(m.orderedCourse, 240.0); // 270 +- 30
    EXPECT_LE(m.orderedCourse, 300.0);
    EXPECT_GE(m.orderedSpeed, 10.0);
    EXPECT_LE(m.orderedSpeed, 14.0);
    EXPECT_LE(m.orderedDepth, -50.0);
    EXPECT_GE(c.manoeuvreTimer, 300.0);
    EXPECT_LE(c.manoeuvreTimer, 600.0);
}

TEST_F(BoatEvasion, ATorpedoClosingInsideTwoThousandYardsGetsTwoCountermeasuresEveryCycle) {
    SubmarineController& c = submarine(1, "Hunter", 3, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    ContactRecord& torpedo = sight(c.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 1500.0, -100.0), 270.0, 40.0));
    ASSERT_EQ(torpedo.reaction, kReactionEvadeWeapon);
    EXPECT_EQ(c.manoeuvreTimer, 60.0);
    std::vector<double> launches;
    std::size_t out = 0;
    for (int t = 1; t <= 300; ++t) {
        setClock(t);
        torpedo.rangeRate = -20.0;
        torpedo.course = 270.0;
        c.update(1.0);
        if (const std::size_t now = entitiesOf(kRecordCounter).size(); now != out) {
            EXPECT_EQ(now - out, 2u);
            out = now;
            launches.push_back(t);
        }
    }
    EXPECT_EQ(launches, (std::vector<double>{60.0, 135.0, 210.0, 285.0})); // every (8 - 3) x 15 s
    for (double depth : countermeasureDepths()) {
        EXPECT_LE(depth, -33.0);
        EXPECT_GE(depth, -198.0);
        EXPECT_EQ(std::fmod(depth, 33.0), 0.0) << depth;
    }
    EXPECT_NEAR(c.owner().motion->orderedCourse, 0.0, 1e-9); // across the torpedo's track
}

TEST_F(BoatEvasion, ATorpedoThatOpensIsLetGoAndOneBeyondTwoThousandYardsIsOnlyWatched) {
    SubmarineController& c = submarine(1, "Hunter", 4, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    ContactRecord& torpedo = sight(c.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 3000.0, -100.0)));
    setClock(60.0);
    torpedo.rangeRate = -20.0;
    c.update(1.0);
    EXPECT_TRUE(entitiesOf(kRecordCounter).empty());
    EXPECT_EQ(c.manoeuvreTimer, 120.0); // (8 - 4) x 15
    setClock(120.0);
    torpedo.rangeRate = 0.0;
    c.update(1.0);
    EXPECT_EQ(torpedo.reaction, kReactionNone);
    EXPECT_EQ(c.owner().motion->orderedSpeed, 3.0);
}

TEST_F(BoatEvasion, TheLessAbleLeaveATorpedoToTheirFirstTurn) {
    SubmarineController& c = submarine(1, "Hunter", 2, {0, 0, -100}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{0, 90000, 0}});
    ContactRecord& torpedo = sight(c.owner(), mover(2, "Fish", kKindWeapon, at(90.0, 1500.0, -100.0)));
    const double turned = c.owner().motion->orderedCourse;
    setClock(100.0);
    torpedo.rangeRate = -20.0;
    c.update(1.0);
    EXPECT_TRUE(entitiesOf(kRecordCounter).empty());
    EXPECT_EQ(c.owner().motion->orderedCourse, turned);
}

} // namespace
} // namespace q71::test
