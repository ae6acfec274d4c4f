// The explosion a detonation leaves: where it goes off, what is heard and reported of it, the
// secondary explosion, the ambient noise it raises and the end of the mission it may mark.
#include "sim/entities/explosion.h"
#include "sim/support/weapon_world.h"
#include "sim/simulation/world_step.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

class Explosion : public ::testing::Test {
protected:
    /// An explosion at a source, in the world.
    ExplosionEntity* blast(Entity& source, std::int32_t kind = 1) {
        auto* explosion = new ExplosionEntity(source.side, source, kind);
        worldAddEntity(explosion);
        return explosion;
    }

    /// Runs the explosion's per-second pass at a game time.
    static void at(ExplosionEntity& explosion, double time) {
        WeaponWorld::setClock(time);
        explosion.updatePerSecond(1.0);
        worldShowQueuedDeathScreen(); // the end of the pass
    }

    int explosionsInWorld() const {
        int count = 0;
        for (auto* node = worldList().head(); node; node = node->next)
            count += node->item->typeCode == kEntityExplosion ? 1 : 0;
        return count;
    }

    WeaponWorld world;
};

TEST_F(Explosion, GoesOffAtItsSourceAndLaterOnesOfAChainAtTheEndsOfItsHull) {
    Entity* ship = world.spawn("Akula", 2, kKindSubsurface, {5000, 5000, -40}, 90.0);
    ExplosionEntity* first = blast(*ship);
    EXPECT_EQ(worldPoint(*first).x, 5000.0);
    EXPECT_EQ(worldPoint(*first).z, -40.0);
    EXPECT_EQ(first->typeCode, kEntityExplosion);
    EXPECT_EQ(first->kind, kKindAir);
    EXPECT_EQ(first->parentId, ship->id);
    EXPECT_EQ(first->signatureLevel[3], 2500);
    EXPECT_EQ(first->signatureLevel[4], 0);
    // 370 ft of hull: a half length of 56 m, and the ends 0.66 of it from the middle.
    const double reach = 0.66 * 56;
    ExplosionEntity* stern = blast(*ship, 3);
    EXPECT_NEAR(worldPoint(*stern).x, 5000.0 - reach, 1e-9);
    EXPECT_NEAR(worldPoint(*stern).y, 5000.0, 1e-9);
    ExplosionEntity* bow = blast(*ship, 4);
    EXPECT_NEAR(worldPoint(*bow).x, 5000.0 + reach, 1e-9);
}

TEST_F(Explosion, IsHeardByDistanceAndTheOwnBoatsOwnIsItsOwnSound) {
    Entity* own = world.spawnOwnBoat({0, 0, -50});
    Entity* near = world.spawn("Akula", 2, kKindSubsurface, {0, 1000, -50});
    Entity* far = world.spawn("Akula", 2, kKindSubsurface, {0, 36576, -50});
    blast(*near);
    blast(*far);
    blast(*own);
    ASSERT_EQ(world.audio.voices.size(), 2u);
    EXPECT_EQ(world.audio.voices[0].name.substr(0, 6), "explos");
    EXPECT_EQ(world.audio.voices[0].volume, static_cast<int>(127.0 * (1.0 - 1000.0 / 36576.0)));
    EXPECT_TRUE(world.audio.voices[0].started);
    EXPECT_EQ(world.audio.voices[1].name, "osexpl.wav");
}

TEST_F(Explosion, TheEntityViewerHearsFromItsCamera) {
    world.spawnOwnBoat({0, 0, -50});
    Entity* far = world.spawn("Akula", 2, kKindSubsurface, {0, 50000, -50});
    world.frontEnd.camera = WorldPoint{0, 49000, 0};
    blast(*far);
    ASSERT_EQ(world.audio.voices.size(), 1u);
}

TEST_F(Explosion, TheSonarReportsItOnceAfterFiveSecondsByRange) {
    world.spawnOwnBoat({0, 0, -50});
    Entity* close = world.spawn("Akula", 2, kKindSubsurface, {5000, 0, -50});
    Entity* distant = world.spawn("Akula", 2, kKindSubsurface, {0, -20000, -50});
    Entity* beyond = world.spawn("Akula", 2, kKindSubsurface, {0, 36576, -50});
    ExplosionEntity* first = blast(*close);
    ExplosionEntity* second = blast(*distant);
    ExplosionEntity* third = blast(*beyond);
    for (ExplosionEntity* explosion : {first, second, third})
        at(*explosion, 5.0);
    EXPECT_TRUE(world.audio.said.empty());
    for (double t : {6.0, 7.0})
        for (ExplosionEntity* explosion : {first, second, third})
            at(*explosion, t);
    EXPECT_EQ(world.audio.said,
              (std::vector<std::string>{"sonar: SSLExpl.wav 90/3 urgent", "sonar: SSExpl.wav 180/3"}));
    EXPECT_EQ(world.log.lines, (std::vector<std::string>{"Forte explosion au 090", "Explosion au 180"}));
}

TEST_F(Explosion, SetsOffAtMostOneMoreExplosionInItsSource) {
    Entity* ship = world.spawn("Burke", 2, kKindSurface, {0, 0, 0});
    int secondaries = 0;
    for (int trial = 0; trial < 20; ++trial) {
        ExplosionEntity* explosion = blast(*ship);
        const int before = explosionsInWorld();
        for (double t = 0.0; t < explosion->duration; t += 1.0)
            at(*explosion, t);
        const int made = explosionsInWorld() - before;
        EXPECT_LE(made, 1);
        EXPECT_EQ(explosion->explosionKind, 5);
        secondaries += made;
        world.setClock(0.0);
    }
    EXPECT_GT(secondaries, 5); // a chance of 3 in 4 for the first of a chain
}

TEST_F(Explosion, TheOwnBoatsLossEndsTheMissionWhenItsExplosionDiesAway) {
    Entity* own = world.spawnOwnBoat({0, 0, -50});
    own->hull = 0.0;
    ExplosionEntity* explosion = blast(*own);
    at(*explosion, 1.0);
    EXPECT_EQ(world.host.deathScreens, 0);
    EXPECT_EQ(explosion->removeFlag, 0u);
    at(*explosion, explosion->duration + 0.5);
    EXPECT_EQ(world.host.deathScreens, 1);
    EXPECT_EQ(explosion->removeFlag, 1u);
}

TEST_F(Explosion, AnUnderwaterBlastDrownsTheBackgroundMoreTheNearerItIs) {
    world.spawnOwnBoat({0, 0, -50});
    soundProfile().background = 30.0;
    Entity* near = world.spawn("Akula", 2, kKindSubsurface, {0, 1000, -50});
    ExplosionEntity* explosion = blast(*near);
    at(*explosion, 0.0);
    EXPECT_DOUBLE_EQ(soundProfile().ambientNoise, 110.0);
    EXPECT_FLOAT_EQ(explosion->noiseFactor, 5.0f);
    at(*explosion, explosion->duration / 2);
    EXPECT_DOUBLE_EQ(soundProfile().ambientNoise, 30.0 + 80.0 * 0.75);
    const double nearRise = soundProfile().ambientNoise - 30.0;

    Entity* far = world.spawn("Akula", 2, kKindSubsurface, {0, 100000, -50});
    ExplosionEntity* distant = blast(*far);
    distant->startTime = explosion->startTime;
    distant->duration = explosion->duration;
    at(*distant, explosion->duration / 2);
    EXPECT_LT(soundProfile().ambientNoise - 30.0, nearRise);
    EXPECT_GT(soundProfile().ambientNoise, 30.0);
    // A far blast never reaches the peak, not even as it goes off, and dies away to the
    // background as a near one does (not stuck at 110 - 80 f until it is removed).
    at(*distant, 0.0);
    EXPECT_LT(soundProfile().ambientNoise, 110.0);
    EXPECT_GT(soundProfile().ambientNoise, 30.0);
    at(*distant, explosion->duration * 0.999);
    EXPECT_NEAR(soundProfile().ambientNoise, 30.0, 0.2);

    at(*explosion, explosion->duration + 1.0);
    EXPECT_EQ(soundProfile().ambientNoise, 30.0);
}

TEST_F(Explosion, ABlastInTheAirRaisesNoNoiseAndIsNeverReported) {
    world.spawnOwnBoat({0, 0, -50});
    soundProfile().background = 30.0;
    soundProfile().ambientNoise = 30.0;
    Entity* aircraft = world.spawn("Burke", 2, kKindAir, {0, 3000, 300});
    ExplosionEntity* explosion = blast(*aircraft);
    EXPECT_EQ(explosion->reported, 1);
    at(*explosion, 10.0);
    EXPECT_EQ(soundProfile().ambientNoise, 30.0);
    EXPECT_TRUE(world.audio.said.empty());
}

TEST_F(Explosion, DamageWithAnExplosionLeavesOneAtTheDamagedEntity) {
    explosionInstallMaker();
    Entity* ship = world.spawn("Burke", 2, kKindSurface, {100, 200, 0});
    ship->applyDamage(1.0, nullptr, true, false, false);
    Entity* made = worldList().tail()->item;
    ASSERT_EQ(made->typeCode, kEntityExplosion);
    EXPECT_EQ(made->parentId, ship->id);
    EXPECT_EQ(worldPoint(*made).y, 200.0);
    EXPECT_EQ(static_cast<ExplosionEntity*>(made)->explosionKind, 1);
}

} // namespace
} // namespace q71::test
