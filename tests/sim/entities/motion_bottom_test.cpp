#include "entity_fixture.h"

#include "sim/entities/entity_hooks.h"
#include "sim/simulation/terrain_geometry.h"
#include "sim/support/terrain_grid.h"

#include <cmath>

namespace q71::test {
namespace {

// A flat sea floor 100 m down, 8 km square.
class MotionOverTheBottom : public EntityWorld {
protected:
    static double floorAt(double x, double y) { return *terrainDepthInterpolated(x, y, true); }

    TerrainGrid grid{21, 21, 400.0, [](int, int) { return std::int16_t{-100}; }};
};

TEST_F(MotionOverTheBottom, AHullOnTheBottomDoesNotMoveSideways) {
    HarnessEntity& sub = platform(1, {4000, 4000, -50}, 90.0, 10.0, "Hunter");
    MotionModel& m = *sub.motion;
    m.stepHydrodynamics(1.0);
    EXPECT_GT(m.x, 4000.0);
    m.z = floorAt(m.x, m.y) + 0.5;
    const double x = m.x;
    m.stepHydrodynamics(1.0);
    EXPECT_EQ(m.x, x);
}

TEST_F(MotionOverTheBottom, ARockOnlyFollowsTheFloor) {
    ObjectRecord rock = harnessVariant(41, "Rock", "rock");
    RecordTable table(harnessRecordsWith(rock));
    Entity& stone = body(4, "Rock", kKindSubsurface, {4000, 4000, -20});
    stone.motion->driveSpeed = 10.0;
    stone.motion->integrate(0.4);
    EXPECT_EQ(stone.motion->z, floorAt(4000, 4000));
    EXPECT_EQ(stone.motion->x, 4000.0);
}

TEST_F(MotionOverTheBottom, ATorpedoOnTheBottomIsRemovedAndAHullGrounds) {
    Entity& torpedo = body(1, "Fish", kKindWeapon, {4000, 4000, -99.5});
    torpedo.motion->verticalSpeed = -2.0;
    torpedo.motion->buoyancyRate = -5.0;
    torpedo.motion->stepVertical(0.4);
    EXPECT_EQ(torpedo.motion->z, floorAt(4000, 4000));
    EXPECT_EQ(torpedo.removeFlag, 1u);
    EXPECT_EQ(torpedo.motion->speed, 0.0);
}

TEST_F(MotionOverTheBottom, AHullNearTheBottomIsLiftedAndScrapesAtMostEvery30Seconds) {
    HarnessEntity& sub = platform(1, {4000, 4000, -95}, 0.0, 10.0, "Hunter");
    HarnessEntity& own = platform(1, {4000, 4300, -50}, 0.0, 0.0, "Hunter");
    worldSetOwnShip(&own);
    MotionModel& m = *sub.motion;
    setClock(100.0);
    m.stepVertical(0.4);
    const double floor = floorAt(4000, 4000);
    EXPECT_DOUBLE_EQ(m.z, floor + 10.0);
    EXPECT_GE(m.orderedDepth, floor + 10.0);
    // Damage from the speed it had: 10 / 5.08 gives 1.
    EXPECT_DOUBLE_EQ(sub.hull, 1.0 - 1.0 / 8.0);
    setClock(110.0);
    m.z = floor + 2.0;
    m.stepVertical(0.4);
    EXPECT_DOUBLE_EQ(sub.hull, 1.0 - 1.0 / 8.0);
    EXPECT_EQ(services.audio.played, std::vector<std::string>{"scrape.wav"});
    // Heard 300 m off: 328 yards take 4 off full volume.
    EXPECT_EQ(services.audio.volumes, std::vector<int>{static_cast<int>(127.0 - 300 * 1.0936 * 0.0127)});
    EXPECT_EQ(loggedOfKind(kEventGrounding).size(), 1u);
}

// Land 10 m high: a missile striking it blasts everything within 1371.6 yards.
class MissileOverLand : public EntityWorld {
protected:
    MissileOverLand() {
        ObjectRecord missile = harnessVariant(42, "Dart", "missile");
        missile.armour = 3;
        records_.emplace(harnessRecordsWith(missile));
    }
    TerrainGrid grid{21, 21, 400.0, [](int, int) { return std::int16_t{10}; }};
    std::optional<RecordTable> records_;
};

TEST_F(MissileOverLand, BlastsWhatIsWithin1371YardsByTheWarhead) {
    const double floor = *terrainDepthInterpolated(1000, 1000, true);
    Entity& missile = body(1, "Dart", kKindMissile, {1000, 1000, floor + 0.5});
    HarnessEntity& edge = platform(2, {1000, 1000 + 1371.5 / 1.0936, floor}); // 1371 whole yards
    HarnessEntity& beyond = platform(2, {1000, 1000 + 1372.2 / 1.0936, floor});
    HarnessEntity& close = platform(2, {1100, 1000, floor});
    const double range = std::trunc(entityRange3dYards(missile, close));
    setClock(10.0);
    missile.motion->verticalSpeed = -50.0;
    missile.motion->integrate(0.4); // falls onto the land
    EXPECT_EQ(missile.removeFlag, 1u);
    // The edge is reached with (1371.6 − 1371) truncated: no damage, so no hit at all (no blast,
    // no repairs, no report).
    EXPECT_EQ(edge.hull, 1.0);
    EXPECT_EQ(edge.repairTime, 0.0);
    EXPECT_EQ(beyond.repairTime, 0.0);
    EXPECT_EQ(close.repairTime, 10.0 + 3 * 60);
    const int damage = static_cast<int>(1371.6 - range) * 3 / 1371;
    EXPECT_EQ(damage, 2);
    EXPECT_DOUBLE_EQ(close.hull, 1.0 - damage / 10.0);
}

// An explosion left where its source was; a blast that went on hitting the explosions it leaves
// would never end, so the maker gives up after a number no test reaches.
int blastExplosions = 0;
Entity* makeBlastExplosion(std::int32_t side, Entity& source, std::int32_t /*explosionKind*/) {
    if (++blastExplosions > 50)
        return nullptr;
    auto* explosion = new Entity(side, "Nothing", 1, kKindAir, -1);
    explosion->motion = std::make_unique<MotionModel>(*explosion);
    explosion->motion->x = source.motion->x;
    explosion->motion->y = source.motion->y;
    explosion->motion->z = source.motion->z;
    return explosion;
}

TEST_F(MissileOverLand, LeavesOneExplosionAtEachHullInReachAndHitsNoneOfThem) {
    const double floor = *terrainDepthInterpolated(1000, 1000, true);
    Entity& missile = body(1, "Dart", kKindMissile, {1000, 1000, floor + 0.5});
    platform(2, {1100, 1000, floor});
    platform(2, {1000, 1200, floor});
    platform(2, {1000, 3000, floor});                       // out of reach
    platform(2, {1000, 1000 + 1371.5 / 1.0936, floor}); // in reach, but the blast does it no harm
    blastExplosions = 0;
    entitySetExplosionMaker(makeBlastExplosion);
    missile.motion->verticalSpeed = -50.0;
    missile.motion->integrate(0.4);
    entitySetExplosionMaker(nullptr);
    EXPECT_EQ(blastExplosions, 2);
    EXPECT_EQ(worldList().count(), 5 + 2);
}

TEST_F(MissileOverLand, UnderWaterAMissileOnTheBottomIsOnlyRemoved) {
    TerrainGrid sea{21, 21, 400.0, [](int, int) { return std::int16_t{-50}; }};
    const double floor = *terrainDepthInterpolated(1000, 1000, true);
    Entity& missile = body(1, "Dart", kKindMissile, {1000, 1000, floor + 0.5});
    HarnessEntity& close = platform(2, {1100, 1000, floor + 10});
    missile.motion->verticalSpeed = -50.0;
    missile.motion->integrate(0.4);
    EXPECT_EQ(missile.removeFlag, 1u);
    EXPECT_EQ(close.repairTime, 0.0);
}

} // namespace
} // namespace q71::test
