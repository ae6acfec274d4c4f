#include "sim/entities/controllers/vessel_fixture.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/motion_model.h"

#include <cmath>

namespace q71::test {
namespace {

class ShipAttack : public VesselWorld {
protected:
    // The world run a quarter second at a time for up to `seconds`, the hunter taking a fresh
    // fix on the target before each per-second pass, until `done` says so; false when it never
    // did. The hunter's own sensors are taken away: its tracking time keeps pace with the clock
    // and its picture of the target is the test's.
    template <class Done> bool hunt(Entity& hunter, const Entity& target, double seconds, Done done) {
        hunter.sensors.deleteAll();
        for (double t = 0.0; t < seconds; t += 0.25) {
            const SimClock& clock = simClock();
            if (!target.removeFlag && clock.gameClock + 0.25 - clock.lastSecondPassTime > 1.0)
                sight(hunter, target);
            harness.pass(0.25);
            if (done())
                return true;
        }
        return false;
    }
};

TEST_F(ShipAttack, TheRangeComesFromWhatTheStoresHold) {
    Entity& sub = mover(2, "Hunter", kKindSubsurface, at(0.0, 30000.0, -60.0));
    Entity& freighter = mover(2, "Freighter", kKindSurface, at(0.0, 30000.0));
    Entity& plane = mover(2, "Patrol", kKindAir, at(0.0, 30000.0, 3000.0));
    SurfaceShipController& corvette = ship(1, "Corvette", 2, {});
    EXPECT_EQ(corvette.attackRange(sight(corvette.owner(), sub)), 500.0); // depth charges only
    EXPECT_EQ(corvette.attackRange(sight(corvette.owner(), freighter)), 4000.0); // level x 2000
    SurfaceShipController& cruiser = ship(1, "Cruiser", 3, {});
    EXPECT_NEAR(cruiser.attackRange(sight(cruiser.owner(), sub)), 12000.0, 1e-9); // Longfish: 20,000 x 0.6
    EXPECT_NEAR(cruiser.attackRange(sight(cruiser.owner(), freighter)), 36000.0, 1e-9);  // Dart: 60,000 x 0.6
    EXPECT_NEAR(cruiser.attackRange(sight(cruiser.owner(), plane)), 36000.0, 1e-9);
    corvette.owner().weaponCount = {0, 0, 0};
    EXPECT_EQ(corvette.attackRange(*corvette.owner().findContact(sub.id)), 4000.0);
}

TEST_F(ShipAttack, AShipWithOnlyDepthChargesClosesASubmarineToFiveHundredYards) {
    SurfaceShipController& c = ship(1, "Corvette", 2, {}, 0.0, 10.0);
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    Entity& sub = mover(2, "Hunter", kKindSubsurface, at(20.0, 3000.0, -60.0));
    double rangeAtDrop = -1.0;
    const bool dropped = hunt(c.owner(), sub, 1200.0, [&] {
        if (entitiesOf(kRecordAshcan).empty())
            return false;
        rangeAtDrop = entityRangeYards(c.owner(), sub);
        return true;
    });
    ASSERT_TRUE(dropped);
    EXPECT_LT(rangeAtDrop, 500.0);
    EXPECT_GT(rangeAtDrop, 450.0); // dropped as soon as it was inside, not run over
    EXPECT_EQ(c.owner().weaponCount[1], 9);
    const ContactRecord& contact = *c.owner().findContact(sub.id);
    EXPECT_EQ(contact.reaction, kReactionClose);
}

TEST_F(ShipAttack, AfterATorpedoTheTargetIsNotAttackedAgainForSixHundredSecondsOfTracking) {
    SurfaceShipController& c = ship(1, "Frigate", 2, {}, 0.0, 5.0);
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    Entity& sub = mover(2, "Hunter", kKindSubsurface, at(0.0, 3000.0, -60.0));
    std::vector<double> launches;
    hunt(c.owner(), sub, 2400.0, [&] {
        // Each torpedo is taken out of the water at once, so that the target lives on.
        for (Entity* torpedo : entitiesOf(kRecordTorpedo))
            if (!torpedo->removeFlag) {
                launches.push_back(simClock().gameClock);
                torpedo->markForRemoval();
            }
        return false;
    });
    ASSERT_GE(launches.size(), 2u);
    for (std::size_t i = 1; i < launches.size(); ++i)
        EXPECT_GE(launches[i] - launches[i - 1], 600.0);
    EXPECT_EQ(c.owner().weaponCount[1], 6 - static_cast<int>(launches.size()));
}

TEST_F(ShipAttack, ATrainedCrewLeadsAShipWithItsMissileAndWaitsForItsFlight) {
    SurfaceShipController& c = ship(1, "Cruiser", 3, {});
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    ContactRecord& target = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 20000.0), 90.0, 10.0));
    track(target, 90.0, 10.0, 0.0, 500.0);
    target.bearing = 0.0;
    target.range = 20000.0;
    target.reaction = kReactionAttack;
    setClock(1000.0);
    c.update(1.0);
    ASSERT_EQ(entitiesOf(kRecordDart).size(), 1u);
    Entity& missile = *entitiesOf(kRecordDart).front();
    EXPECT_EQ(missile.parentId, c.owner().id);
    const auto& guidance = dynamic_cast<const GuidanceController&>(*missile.controller);
    const double lead = std::atan2(10.0 * 0.508 * 20000.0 * 0.0042608310324845754, 20000.0) * kRadiansToDegrees;
    EXPECT_NEAR(guidance.presetCourse, lead, 1e-9);
    EXPECT_EQ(guidance.designatedKind, kKindSurface);
    EXPECT_EQ(c.owner().weaponCount[0], 7);
    EXPECT_NEAR(c.attackTimer, 1000.0 + 14630.4 / (450.0 * 0.508), 1e-9);
    EXPECT_EQ(target.reaction, kReactionClose);
    EXPECT_EQ(target.heldTime, -60.0);
}

TEST_F(ShipAttack, AnAircraftIsShotAtFromTheThirdStore) {
    SurfaceShipController& c = ship(1, "Cruiser", 2, {});
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    ContactRecord& target = sight(c.owner(), mover(2, "Patrol", kKindAir, at(90.0, 9000.0, 2000.0)));
    target.reaction = kReactionAttack;
    c.attackTimer = 0.0;
    c.update(1.0);
    EXPECT_EQ(c.owner().weaponCount, (std::array<std::int32_t, 3>{8, 4, 3}));
    ASSERT_EQ(entitiesOf(kRecordDart).size(), 1u);
    EXPECT_EQ(dynamic_cast<const GuidanceController&>(*entitiesOf(kRecordDart).front()->controller).designatedKind,
              kKindAir);
}

TEST_F(ShipAttack, AMissileWithoutSpeedPausesTheAttackForAMinuteRatherThanForEver) {
    SurfaceShipController& c = ship(1, "Gunboat", 2, {});
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    ContactRecord& target = sight(c.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 5000.0)));
    target.reaction = kReactionAttack;
    c.attackTimer = 0.0;
    c.update(1.0);
    EXPECT_EQ(c.owner().weaponCount[0], 2);
    EXPECT_EQ(c.attackTimer, 60.0);
}

TEST_F(ShipAttack, NothingIsLaunchedBeforeTheTimerOrOutsideTheRange) {
    SurfaceShipController& c = ship(1, "Frigate", 2, {});
    task(c, kStateBoxPatrol, {{-20000, -20000, 0}});
    ContactRecord& target = sight(c.owner(), mover(2, "Hunter", kKindSubsurface, at(0.0, 3000.0, -60.0)));
    target.reaction = kReactionAttack;
    c.attackTimer = 50.0;
    setClock(49.0);
    c.update(1.0);
    EXPECT_EQ(c.owner().weaponCount[1], 6);
    EXPECT_NEAR(c.owner().motion->orderedCourse, 90.0, 1e-9); // inside its range it turns beam-on
    EXPECT_EQ(c.owner().motion->orderedSpeed, 25.0);
    target.range = 4000.0;
    setClock(60.0);
    c.update(1.0);
    EXPECT_EQ(c.owner().weaponCount[1], 6);
    target.range = 3999.0;
    c.update(1.0);
    EXPECT_EQ(c.owner().weaponCount[1], 5);
    EXPECT_EQ(target.heldTime, -600.0);
    EXPECT_EQ(target.classifyTime, 660.0);
}

TEST_F(ShipAttack, ALevelThreeCrewAttacksOnceTrackedAndAnExpertOnceTrackedAMinute) {
    SurfaceShipController& trained = ship(1, "Frigate", 3, {});
    task(trained, kStateBoxPatrol, {{-20000, -20000, 0}});
    Entity& sub = mover(2, "Hunter", kKindSubsurface, at(0.0, 3000.0, -60.0));
    ContactRecord& seen = sight(trained.owner(), sub);
    seen.heldTime = (trained.randomFactor + 1.0) * 60.0; // not yet more than that
    trained.update(1.0);
    EXPECT_EQ(seen.reaction, kReactionClose);
    EXPECT_EQ(trained.owner().motion->orderedSpeed, 3.0);
    seen.heldTime += 0.5;
    trained.update(1.0);
    EXPECT_EQ(seen.reaction, kReactionAttack);
    EXPECT_GE(trained.attackTimer, 30.0);
    EXPECT_LE(trained.attackTimer, 60.0);

    // An expert attacks a ship beyond 9144 yards once it has tracked it two minutes, going quiet.
    SurfaceShipController& expert = ship(1, "Cruiser", 4, {});
    task(expert, kStateBoxPatrol, {{-20000, -20000, 0}});
    ContactRecord& far = sight(expert.owner(), mover(2, "Freighter", kKindSurface, at(0.0, 20000.0)));
    far.heldTime = 120.0;
    expert.update(1.0);
    EXPECT_EQ(far.reaction, kReactionClose);
    far.heldTime = 121.0;
    expert.update(1.0);
    EXPECT_EQ(far.reaction, kReactionAttack);
    EXPECT_EQ(activeSonarSetting(expert.owner()), kActiveSonarOff);
    EXPECT_GE(expert.attackTimer, 15.0);
    EXPECT_LE(expert.attackTimer, 30.0);
}

} // namespace
} // namespace q71::test
