#include "entity_fixture.h"

#include "sim/entities/entity_hooks.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/scoring_state.h"

#include <cmath>

namespace q71::test {
namespace {

std::vector<int> sensorTypes(const Entity& entity) {
    std::vector<int> types;
    for (auto* node = entity.sensors.head(); node; node = node->next)
        types.push_back(node->item->type);
    return types;
}

using EntityConstruction = EntityWorld;

TEST_F(EntityConstruction, TakesItsRecordsFiguresWeaponsAndSensors) {
    HarnessEntity& frigate = platform(1, {1000, 1000, 0});
    EXPECT_EQ(frigate.recordId, kRecordFrigate);
    EXPECT_EQ(frigate.category, kCategoryShip);
    EXPECT_EQ(frigate.activeSonar, 5000.0);
    EXPECT_EQ(frigate.sensorRange, 2.0f);
    EXPECT_EQ(frigate.weapon[0].recordId, 0u); // the record names no first weapon
    EXPECT_EQ(frigate.weaponCount[0], 0);
    EXPECT_EQ(frigate.weapon[1].recordId, kRecordTorpedo);
    EXPECT_EQ(frigate.weapon[1].value, 10000.0);
    EXPECT_EQ(frigate.weapon[1].category, kCategoryTorp);
    EXPECT_EQ(frigate.weaponCount[1], 6);
    // Passive, active and intercept sonar, ESM, radar and lookout, in that order.
    EXPECT_EQ(sensorTypes(frigate), (std::vector<int>{2, 4, 5, 11, 7, 8}));
    EXPECT_EQ(sensorTypes(platform(1, {0, 0, -60}, 0, 0, "Hunter")), (std::vector<int>{2, 8}));
}

TEST_F(EntityConstruction, KeepsContactsByLevelAndKind) {
    EXPECT_EQ(platform(1, {}, 0, 0, "Frigate", 2).contactTimeout, 960.0);
    Entity aircraft(1, "Patrol", 3, kKindAir, -1);
    EXPECT_EQ(aircraft.contactTimeout, 3600.0);
    EXPECT_EQ(aircraft.maxFixes, 20);
}

TEST_F(EntityConstruction, AWeaponGetsNoSensorsAndAMissileNoRadar) {
    Entity torpedo(1, "Fish", 3, kKindWeapon, -1);
    EXPECT_TRUE(torpedo.sensors.empty());
    EXPECT_EQ(torpedo.sensorRange, 1.5f); // its seeker's range when it arms
    ObjectRecord missile = harnessVariant(40, "Dart", "missile");
    missile.sonarFigure = 0.0f;
    missile.radarFigure = 3.0f;
    RecordTable table(harnessRecordsWith(missile));
    Entity dart(1, "Dart", 2, kKindMissile, -1);
    EXPECT_EQ(sensorTypes(dart), (std::vector<int>{11, 8})); // its radar is the seeker its guidance arms
    EXPECT_EQ(dart.sensorRange, 3.0f);
}

TEST_F(EntityConstruction, AMissingRecordLeavesNoRecordDataButAWholeEntity) {
    Entity unknown(2, "Nothing", 2, kKindSurface, -1);
    EXPECT_EQ(unknown.recordId, 0u);
    EXPECT_GT(unknown.id, 0);
    EXPECT_EQ(unknown.side, 2);
    EXPECT_EQ(unknown.hull, 1.0);
    EXPECT_TRUE(unknown.sensors.empty());
}

TEST_F(EntityConstruction, APeersPlatformCarriesOnlyWhatTransmits) {
    services.joinNetworkGame(true);
    Entity frigate(1, "Frigate", 2, kKindSurface, -1);
    EXPECT_EQ(sensorTypes(frigate), (std::vector<int>{4, 7}));
    EXPECT_EQ(frigate.findSensorByType(kSensorRadar)->transmitInterval, -1);
    services.network.lobby = true;
    Entity lobbyFrigate(1, "Frigate", 2, kKindSurface, -1);
    EXPECT_EQ(sensorTypes(lobbyFrigate).size(), 6u);
}

TEST_F(EntityConstruction, FindsSensorsByTypeWithTheMirrorAsTheTowedArray) {
    HarnessEntity& frigate = platform(1, {});
    auto* towed = new Sensor(frigate, 1.0f);
    towed->type = kSensorArray0;
    frigate.addSensor(towed);
    EXPECT_EQ(frigate.findSensorByType(kSensorMirror), towed);
    frigate.findSensorByType(kSensorRadar)->deleteFlag = 1;
    EXPECT_EQ(frigate.findSensorByType(kSensorRadar), nullptr); // flagged: as good as gone
    EXPECT_EQ(frigate.findSensorByType(kSensorDropped), nullptr);
}

using EntityNoise = EntityWorld;

TEST_F(EntityNoise, GrowsWithTheSquareOfSpeedAboveAThirdOfTheMaximum) {
    HarnessEntity& frigate = platform(1, {}); // maximum speed 30
    MotionModel& m = *frigate.motion;
    m.speed = 0.33 * 30;
    EXPECT_EQ(frigate.noiseLevel(), 0);
    m.speed = 30;
    EXPECT_EQ(frigate.noiseLevel(), 10);
    m.speed = 60;
    EXPECT_EQ(frigate.noiseLevel(), 20); // at most 20 from speed
    m.cavitating = m.blowerOn = m.modeWord = m.emergencyBlow = 1;
    EXPECT_EQ(frigate.noiseLevel(), 75);
    m.maxSpeed = 0; // a record without speed makes no speed noise, never a division by zero
    EXPECT_EQ(frigate.noiseLevel(), 55);
}

using EntityActivity = EntityWorld;

TEST_F(EntityActivity, AlternatesAShortActiveWindowWithALongQuietOne) {
    HarnessEntity& frigate = platform(1, {});
    const double quietEnd = frigate.activityTimer;
    EXPECT_GE(quietEnd, 60.0 * 20);
    EXPECT_LE(quietEnd, 60.0 * 24);
    setClock(quietEnd);
    frigate.updatePerSecond(1.0);
    EXPECT_EQ(frigate.activityPhase, 1);
    EXPECT_GE(frigate.activityTimer, quietEnd + 30);
    EXPECT_LE(frigate.activityTimer, quietEnd + 75);
    setClock(frigate.activityTimer);
    frigate.updatePerSecond(1.0);
    EXPECT_EQ(frigate.activityPhase, 0);
}

using EntityDamage = EntityWorld;

TEST_F(EntityDamage, LosesHullByItsArmourAndRecoversLater) {
    HarnessEntity& frigate = platform(1, {}); // armour 10, level 2
    HarnessEntity& attacker = platform(2, {0, 5000, 0});
    setClock(100.0);
    frigate.applyDamage(2.0, &attacker, false, false, true);
    EXPECT_DOUBLE_EQ(frigate.hull, 0.8);
    EXPECT_DOUBLE_EQ(frigate.systems, 0.9);
    EXPECT_DOUBLE_EQ(frigate.repairTime, 100.0 + 3 * 60);
    const std::vector<ReplayEvent> damaged = loggedOfKind(kEventDamaged);
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0].subjectId, attacker.id);
}

TEST_F(EntityDamage, NoDamageAndNoArmourNeverBreakTheArithmetic) {
    HarnessEntity& frigate = platform(1, {});
    frigate.applyDamage(0.0, nullptr, false, false, false);
    EXPECT_EQ(frigate.systems, 1.0); // no damage, no loss: never minus infinity
    frigate.armour = 0;              // an unarmoured record takes damage as it stands
    frigate.applyDamage(0.25, nullptr, false, false, false);
    EXPECT_DOUBLE_EQ(frigate.hull, 0.75);
    EXPECT_TRUE(std::isfinite(frigate.systems));
}

TEST_F(EntityDamage, AWeaponLosesEverythingAtOnceAndGoes) {
    auto& torpedo = harness.add(new Entity(1, "Fish", 3, kKindWeapon, -1));
    torpedo.applyDamage(0.01, nullptr, false, false, false);
    EXPECT_EQ(torpedo.hull, 0.0);
    EXPECT_EQ(torpedo.removeFlag, 1u);
}

TEST_F(EntityDamage, ALostHullSinksWithoutSensorsOrBehaviourAndIsReportedDestroyed) {
    HarnessEntity& frigate = platform(1, {});
    HarnessEntity& attacker = platform(2, {0, 5000, 0});
    frigate.applyDamage(100.0, &attacker, false, true, true);
    EXPECT_EQ(frigate.hull, 0.0);
    EXPECT_EQ(frigate.systems, 0.0);
    EXPECT_EQ(frigate.motion->sinking, 1);
    EXPECT_DOUBLE_EQ(frigate.motion->verticalSpeed, -2.6666666666666665);
    EXPECT_EQ(frigate.motion->breaksInTwo, 1); // a surface hull breaks in two
    EXPECT_EQ(frigate.controller, nullptr);
    EXPECT_EQ(frigate.findSensorByType(kSensorRadar), nullptr);
    EXPECT_EQ(frigate.removeFlag, 0u); // the wreck stays
    // The peers hear of the damage; the damage record is scored unlogged, the loss logged.
    ASSERT_EQ(services.network.damages.size(), 0u); // no network game
    EXPECT_TRUE(loggedOfKind(kEventDamaged).empty());
    ASSERT_EQ(loggedOfKind(kEventDestroyed).size(), 1u);
}

TEST_F(EntityDamage, TheOwnBoatsLossIsToldOnceAndCostsScore) {
    HarnessEntity& own = platform(1, {});
    worldSetOwnShip(&own);
    scoringState().score = 0;
    own.applyDamage(50.0, nullptr, false, false, false);
    own.applyDamage(50.0, nullptr, false, false, false);
    EXPECT_EQ(scoringState().score, -10000);
    EXPECT_EQ(own.repairTime, 45.0);
    services.frontEnd.options[kOptionNoDamage] = 1;
    HarnessEntity& other = platform(1, {0, 9000, 0});
    worldSetOwnShip(&other);
    other.applyDamage(50.0, nullptr, false, false, false);
    EXPECT_EQ(other.hull, 1.0); // protected by the option: no hull lost, no score lost
    EXPECT_EQ(scoringState().score, -10000);
}

TEST_F(EntityDamage, AHoledHullFloodsTheCompartmentFacingTheHit) {
    HarnessEntity& own = platform(1, {0, 0, 0}, 0.0);
    worldSetOwnShip(&own);
    setClock(10.0);
    HarnessEntity& astern = platform(2, {100, -3000, 0});
    own.applyDamage(1.0, &astern, true, false, false);
    EXPECT_EQ(own.floodAftTime, 70.0);
    HarnessEntity& toPort = platform(2, {-3000, 0, 0});
    own.applyDamage(1.0, &toPort, true, false, false);
    EXPECT_EQ(own.floodPortTime, 70.0);
    HarnessEntity& toStarboard = platform(2, {3000, 100, 0});
    own.applyDamage(1.0, &toStarboard, true, false, false);
    EXPECT_EQ(own.floodStarboardTime, 70.0);
    setClock(20.0);
    own.applyDamage(1.0, &toPort, true, false, false); // the first report only sets the time
    EXPECT_EQ(own.floodPortTime, 70.0);
    // The crew reports each compartment once (and screams at every exploding hit); port and
    // starboard hits are each logged.
    std::vector<std::string> reports;
    int screams = 0;
    for (const std::string& line : services.audio.spoken)
        if (line.find("screams") != std::string::npos)
            ++screams;
        else
            reports.push_back(line);
    EXPECT_EQ(reports,
              (std::vector<std::string>{"other channel: cow3.wav", "other channel: cow-floodport.wav",
                                        "other channel: cow-floodstar.wav"}));
    EXPECT_EQ(screams, 4);
    EXPECT_EQ(loggedOfKind(kEventFlooding).size(), 4u);
}

Entity* madeExplosion = nullptr;
Entity* makeExplosion(std::int32_t side, Entity& source, std::int32_t explosionKind) {
    EXPECT_EQ(explosionKind, 1);
    madeExplosion = new Entity(side, "Nothing", 1, kKindAir, -1);
    madeExplosion->parentId = source.id;
    return madeExplosion;
}

TEST_F(EntityDamage, AnExplodingHitLeavesAnExplosionInTheWorld) {
    HarnessEntity& frigate = platform(1, {});
    frigate.applyDamage(1.0, nullptr, true, false, false); // no maker installed: nothing made
    EXPECT_EQ(worldList().count(), 1);
    entitySetExplosionMaker(makeExplosion);
    frigate.applyDamage(1.0, nullptr, true, false, false);
    entitySetExplosionMaker(nullptr);
    ASSERT_EQ(worldList().count(), 2);
    EXPECT_EQ(worldList().tail()->item, madeExplosion);
    EXPECT_EQ(madeExplosion->parentId, frigate.id);
}

TEST_F(EntityDamage, IsSentToThePeersWhenAsked) {
    services.joinNetworkGame(true);
    HarnessEntity& frigate = platform(1, {});
    HarnessEntity& attacker = platform(2, {0, 5000, 0});
    frigate.applyDamage(3.0, &attacker, true, true, false);
    frigate.applyDamage(3.0, nullptr, false, false, false);
    ASSERT_EQ(services.network.damages.size(), 1u);
    EXPECT_EQ(services.network.damages[0].attackerId, attacker.id);
    EXPECT_EQ(services.network.damages[0].targetId, frigate.id);
    EXPECT_TRUE(services.network.damages[0].explode);
}

} // namespace
} // namespace q71::test
