#include "sim/entities/controllers/vessel_fixture.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"

#include <cmath>

namespace q71::test {
namespace {

class BoatAttack : public VesselWorld {
protected:
    // A boat of a type and level at the origin heading north at 100 m, on patrol, and its new
    // contact on a hostile target.
    std::pair<SubmarineController*, ContactRecord*> engage(const char* boatType, std::int32_t level,
                                                           const char* targetType, std::int32_t targetKind,
                                                           WorldPoint targetAt) {
        SubmarineController& c = submarine(1, boatType, level, {0, 0, -100});
        task(c, kStateBoxPatrol, {{-30000, -30000, 0}});
        ContactRecord& contact = sight(c.owner(), mover(2, targetType, targetKind, targetAt));
        return {&c, &contact};
    }
    // The contact's newest fix made now, so that it is not stale.
    static void refresh(ContactRecord& contact) {
        contact.fixes[0].editNewest([](ContactFix& newest) { newest.time = simClock().gameClock; });
    }
    static const GuidanceController& guidanceOf(const Entity& weapon) {
        return dynamic_cast<const GuidanceController&>(*weapon.controller);
    }
};

TEST_F(BoatAttack, TheRangeComesFromWhatTheStoresHold) {
    auto [raider, sub] = engage("Raider", 2, "Hunter", kKindSubsurface, at(0.0, 30000.0, -60.0));
    EXPECT_NEAR(raider->attackRange(*sub), 8000.0, 1e-9); // Longfish: 20,000 x 0.4
    ContactRecord& ship = sight(raider->owner(), mover(2, "Freighter", kKindSurface, at(0.0, 30000.0)));
    EXPECT_NEAR(raider->attackRange(ship), 24000.0, 1e-9); // Darts against a ship: 60,000 x 0.4
    raider->owner().weaponCount[0] = 0;
    EXPECT_EQ(raider->attackRange(ship), 4000.0); // level x 2000
    raider->owner().weaponCount[1] = 0;
    EXPECT_EQ(raider->attackRange(*sub), 4000.0);
}

TEST_F(BoatAttack, AnUntrainedCrewPingsTurnsInAndFiresOnceTheTargetIsOnItsBow) {
    setClock(10.0);
    auto [c, target] = engage("Raider", 1, "Freighter", kKindSurface, at(30.0, 3000.0));
    const MotionModel& m = *c->owner().motion;
    c->update(1.0);
    EXPECT_NEAR(m.orderedCourse, 30.0, 1e-6);
    EXPECT_EQ(m.orderedSpeed, 6.0); // at least 2 x level + 4
    EXPECT_GE(c->attackTimer, 100.0);
    EXPECT_LE(c->attackTimer, 190.0);
    EXPECT_EQ(activeSonarSetting(c->owner()), kActiveSonarAttack);
    target->heldTime = 61.0;
    target->bearing = 80.0; // not yet on the bow
    setClock(c->attackTimer);
    refresh(*target);
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionClose);
    target->bearing = 60.0;
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionAttack);
    EXPECT_EQ(c->attackTimer, 0.0);
}

TEST_F(BoatAttack, AContactWithoutAFixForTwoMinutesIsLost) {
    auto [c, target] = engage("Hunter", 2, "Freighter", kKindSurface, at(0.0, 3000.0));
    setClock(120.0);
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionClose);
    setClock(121.0);
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionLost);
}

TEST_F(BoatAttack, ALevelTwoCrewPacesItsApproachByTheRangeRateAndFiresWhenTheTargetOpens) {
    auto [c, target] = engage("Raider", 2, "Freighter", kKindSurface, at(0.0, 9000.0));
    const MotionModel& m = *c->owner().motion;
    c->update(1.0); // the approach starts
    setClock(c->attackTimer);
    refresh(*target);
    target->rangeRate = -3.0; // closing fast
    c->update(1.0);
    EXPECT_EQ(m.orderedSpeed, 6.0); // 8, the least for the level, less 2
    target->rangeRate = -0.5; // hardly closing
    c->update(1.0);
    EXPECT_EQ(m.orderedSpeed, 10.0);
    EXPECT_EQ(target->reaction, kReactionClose);
    target->rangeRate = 0.5; // opening: fire
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionAttack);
    EXPECT_EQ(activeSonarSetting(c->owner()), kActiveSonarOff);
}

TEST_F(BoatAttack, ATrainedCrewRunsTargetMotionLegsUntilItsSolutionIsGood) {
    auto [c, target] = engage("Hunter", 3, "Freighter", kKindSurface, at(20.0, 5000.0));
    MotionModel& m = *c->owner().motion;
    m.z = m.orderedDepth = -10.0;
    track(*target, 90.0, 10.0, 0.0, 0.0);
    c->update(1.0);
    EXPECT_EQ(m.orderedDepth, -30.48); // below 100 ft for the approach
    const ControllerOrder first = *c->currentOrder();
    EXPECT_EQ(first.type, kStateTransit);
    EXPECT_EQ(first.parameter, target->entityId);
    EXPECT_NEAR(entityBearing(WorldPoint{}, first), 300.0, 1e-6); // 80 degrees across the bearing
    EXPECT_NEAR(entityRangeYards(WorldPoint{}, first), 914.4, 0.1);
    EXPECT_EQ(c->attackTimer, 30.0);

    m.x = first.x; // at the end of the leg
    m.y = first.y;
    target->quality = 60;
    setClock(31.0);
    c->update(1.0);
    const ControllerOrder& next = *c->currentOrder();
    WorldPoint estimate;
    geoProject(m.x, m.y, target->bearing, target->range, estimate.x, estimate.y);
    // The boat lies to starboard of the target's course: the leg runs 90 degrees to that side,
    // 4000 yards from where the target is thought to be.
    EXPECT_NEAR(entityBearing(estimate, next), 180.0, 1e-6);
    EXPECT_NEAR(entityRangeYards(estimate, next), 4000.0, 0.5);

    target->quality = 95;
    target->bearing = 10.0;
    c->update(1.0);
    EXPECT_EQ(target->reaction, kReactionAttack);
}

TEST_F(BoatAttack, AnExpertLaysItsFirstLongLegAtOnce) {
    auto [c, target] = engage("Hunter", 4, "Hunter", kKindSubsurface, at(0.0, 5000.0, -80.0));
    track(*target, 270.0, 6.0, 0.0, 0.0);
    c->update(1.0);
    const MotionModel& m = *c->owner().motion;
    const ControllerOrder& leg = *c->currentOrder();
    WorldPoint estimate;
    geoProject(m.x, m.y, target->bearing, target->range, estimate.x, estimate.y);
    // A submerged target: 30 degrees off its course, on the boat's side (to port of 270).
    EXPECT_NEAR(entityBearing(estimate, leg), 240.0, 1e-6);
    EXPECT_NEAR(entityRangeYards(estimate, leg), 6000.0, 0.5);
    EXPECT_EQ(c->attackTimer, 30.0);
}

TEST_F(BoatAttack, ATorpedoIsLedAtATrainedCrewsTargetAndTheNextWaitsForItsRun) {
    setClock(500.0);
    auto [c, target] = engage("Hunter", 3, "Hunter", kKindSubsurface, at(10.0, 4000.0, -80.0));
    track(*target, 90.0, 8.0, 0.0, 300.0);
    target->bearing = 10.0;
    target->range = 4000.0;
    target->reaction = kReactionAttack;
    c->update(1.0);
    const std::vector<Entity*> fired = entitiesOf(kRecordTorpedo);
    ASSERT_EQ(fired.size(), 1u);
    const GuidanceController& g = guidanceOf(*fired.front());
    const double flight = 4000.0 * 0.03579098067287043;
    const double lead =
        std::atan2(8.0 * 0.508 * std::sin(80.0 * kDegreesToRadians) * flight, 4000.0) * kRadiansToDegrees;
    EXPECT_NEAR(g.presetCourse, 10.0 + lead, 1e-9);
    EXPECT_EQ(g.searchPattern, 0);
    EXPECT_NEAR(g.enableRange, 2000.0 * kYardsToMetres, 1e-9);
    EXPECT_EQ(g.presetSpeed, 50.0);
    EXPECT_EQ(c->owner().weaponCount[1], 3);
    EXPECT_NEAR(c->attackTimer, 500.0 + flight + 60.0, 1e-9);
    EXPECT_EQ(target->reaction, kReactionClose);
}

TEST_F(BoatAttack, ATrainedCrewsTorpedoRunsToItsTargetAndTheBlastDoesNotFeedOnItself) {
    explosionInstallMaker();
    auto [c, target] = engage("Hunter", 3, "Hunter", kKindSubsurface, at(10.0, 3000.0, -100.0));
    target->reaction = kReactionAttack;
    const Entity& victim = *worldFindEntity(target->entityId);
    for (int i = 0; i < 4 * 300 && victim.hull == 1.0; ++i)
        harness.pass(0.25);
    EXPECT_LT(victim.hull, 0.5);
    EXPECT_LT(simClock().gameClock, 200.0); // about 3000 yards at 50 knots
    EXPECT_LT(worldList().count(), 8);      // the explosions it left are not hit by its own blast
}

TEST_F(BoatAttack, AnUntrainedCrewAimsByEyeAndRunsItsTorpedoStraight) {
    auto [c, target] = engage("Hunter", 1, "Hunter", kKindSubsurface, at(0.0, 3000.0, -80.0));
    target->bearing = 45.0;
    target->reaction = kReactionAttack;
    c->update(1.0);
    const GuidanceController& g = guidanceOf(*entitiesOf(kRecordTorpedo).front());
    EXPECT_GE(g.presetCourse, 40.0);
    EXPECT_LE(g.presetCourse, 50.0);
    EXPECT_EQ(g.searchPattern, 2);
}

TEST_F(BoatAttack, MissilesGoInSalvosOfThreeTenSecondsApart) {
    auto [c, target] = engage("Raider", 2, "Freighter", kKindSurface, at(0.0, 10000.0));
    std::vector<double> shots;
    std::size_t flying = 0;
    for (int t = 0; t < 600 && shots.size() < 6; ++t) {
        setClock(t);
        target->rangeRate = 0.0;
        target->heldTime = t;
        refresh(*target);
        c->update(1.0);
        if (const std::size_t now = entitiesOf(kRecordDart).size(); now != flying) {
            flying = now;
            shots.push_back(t);
        }
    }
    ASSERT_EQ(shots.size(), 6u);
    const double salvoPause = 10000.0 * 0.004374453193350831 * 0.5 + 60.0;
    for (std::size_t i = 1; i < shots.size(); ++i) {
        const double gap = shots[i] - shots[i - 1];
        if (i % 3 == 0) {
            EXPECT_GE(gap, salvoPause);
            EXPECT_LE(gap, salvoPause + 2.0);
        } else {
            EXPECT_EQ(gap, 11.0); // ten seconds, and the pass that turns to attack again
        }
    }
    EXPECT_EQ(c->owner().weaponCount[0], 0);
}

TEST_F(BoatAttack, WithNothingForTheTargetTheBoatOpensAcrossItsTrack) {
    auto [c, target] = engage("Hunter", 2, "Freighter", kKindSurface, at(0.0, 6000.0));
    track(*target, 90.0, 10.0, 0.0, 100.0);
    target->bearing = 0.0;
    target->range = 6000.0;
    target->reaction = kReactionAttack;
    c->owner().motion->speed = 8.0;
    c->update(1.0);
    EXPECT_TRUE(entitiesOf(kRecordTorpedo).empty()); // Fish are for submarines
    EXPECT_EQ(target->reaction, kReactionClose);
    const ControllerOrder& leg = *c->currentOrder();
    EXPECT_EQ(leg.parameter, target->entityId);
    EXPECT_NEAR(entityBearing(WorldPoint{}, leg), 90.0, 1e-6); // the boat is on its starboard side
    EXPECT_NEAR(entityRangeYards(WorldPoint{}, leg), 8.0 * 0.508 * 6000.0 * 0.004374453193350831, 0.01);
}

} // namespace
} // namespace q71::test
