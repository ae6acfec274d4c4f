// What platforms put into the water besides their guided weapons: countermeasures, depth
// charges and mobile mines.
#include "vehicle_fixture.h"

#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/entities/types/depth_charge_entity.h"
#include "sim/entities/types/mobile_mine_entity.h"

#include <cmath>

namespace q71::test {
namespace {

class LaunchedEntities : public VehicleWorld {
protected:
    /// A submarine under way to launch from.
    Entity& launcher(WorldPoint at = {1000.0, 2000.0, -50.0}, double heading = 30.0, double speed = 12.0) {
        Entity& boat = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, at);
        boat.motion->heading = heading;
        underWay(*boat.motion, speed);
        return boat;
    }
    RecordingMakers makers;
};

TEST_F(LaunchedEntities, ACountermeasureLeavesItsLauncherRisingAndLivesFiveToTenMinutes) {
    Entity& boat = launcher();
    const float boatNoise = boat.noiseFactor;
    CountermeasureEntity& cm = harness.add(new CountermeasureEntity(1, "Decoy", 3, boat.id, -120.0));
    EXPECT_EQ(cm.typeCode, kEntityCountermeasure);
    EXPECT_EQ(cm.kind, kKindSubsurface);
    EXPECT_EQ(cm.parentId, boat.id);
    const MotionModel& m = *cm.motion;
    EXPECT_EQ(m.x, 1000.0);
    EXPECT_EQ(m.y, 2000.0);
    EXPECT_EQ(m.z, -50.0);
    EXPECT_EQ(m.heading, 30.0);
    EXPECT_EQ(m.orderedCourse, 30.0);
    EXPECT_EQ(m.speed, 12.0);
    EXPECT_EQ(m.orderedSpeed, 0.0);
    EXPECT_EQ(m.orderedDepth, -120.0);
    EXPECT_EQ(m.verticalSpeed, 1.016);
    const MadeController* life = madeController(cm);
    ASSERT_NE(life, nullptr);
    EXPECT_EQ(life->madeAs, ControllerClass::countermeasure);
    EXPECT_GE(life->value, 300.0);
    EXPECT_LE(life->value, 600.0);
    EXPECT_EQ(cm.noiseFactor, 32.0f); // the noisemaker is loud, not its launcher
    EXPECT_EQ(boat.noiseFactor, boatNoise);
    const auto launches = loggedOfKind(kEventWeaponLaunch);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].subjectId, boat.id);
    EXPECT_EQ(launches[0].extra, static_cast<std::int32_t>(kRecordDecoy));
}

TEST_F(LaunchedEntities, ADecoyIsQuietListensForPingsAndIgnoresContactReports) {
    Entity& boat = launcher();
    Countermeasure2Entity& decoy = harness.add(new Countermeasure2Entity(1, "Decoy", 3, boat.id, -120.0));
    EXPECT_EQ(decoy.typeCode, kEntityCountermeasure2);
    EXPECT_EQ(decoy.noiseFactor, 0.1f);
    ASSERT_NE(decoy.sensors.tail(), nullptr);
    EXPECT_EQ(decoy.sensors.tail()->item->type, kSensorIntercept);
    decoy.processContactRecord(boat, ContactFix{});
    EXPECT_TRUE(decoy.contacts.empty());
    // Its saved form comes back with its launcher as its parent.
    Countermeasure2Entity loaded({1, kRecordDecoy, 3, kKindSubsurface, 90, boat.id});
    EXPECT_EQ(loaded.parentId, boat.id);
    EXPECT_EQ(loaded.motion->x, 1000.0);
}

TEST_F(LaunchedEntities, ADepthChargeDropsFromItsDropperIntoTheWorldSetToADepth) {
    Entity& ship = vehicle<SubmarineMotion>("Frigate", kKindSurface, {500.0, 500.0, 0.0});
    ship.motion->heading = 45.0;
    auto* charge = new DepthChargeEntity(ship.side, kRecordCharge, 2, ship.id);
    EXPECT_EQ(worldList().tail()->item, charge); // it puts itself into the world
    EXPECT_EQ(charge->typeCode, kEntityDepthCharge);
    EXPECT_EQ(charge->kind, kKindSubsurface);
    EXPECT_EQ(charge->controller, nullptr);
    const MotionModel& m = *charge->motion;
    EXPECT_EQ(m.sinking, 1);
    EXPECT_EQ(m.verticalSpeed, -2.54);
    EXPECT_EQ(m.orderedCourse, 45.0);
    // No terrain: the water is taken as deep, 10 to 1010 ft in steps of 50 ft.
    const double feet = -m.orderedDepth / 0.3048;
    EXPECT_GE(feet, 10.0 - 1e-9);
    EXPECT_LE(feet, 1010.0 + 1e-9);
    EXPECT_NEAR(std::fmod(feet - 10.0 + 1e-6, 50.0), 0.0, 1e-5);
}

TEST_F(LaunchedEntities, ADepthChargeHurtsTheNearerTheMoreAndSparesItsDropper) {
    Entity& ship = vehicle<SubmarineMotion>("Frigate", kKindSurface, {0.0, 0.0, -100.0});
    auto* charge = new DepthChargeEntity(ship.side, kRecordCharge, 2, ship.id);
    Entity& own = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {0.0, 0.0, -100.0}); // at the charge
    worldSetOwnShip(&own);
    Entity& far = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {219.5 * 0.9144, 0.0, -100.0});
    Entity& buoy = vehicle<SubmarineMotion>("Buoy", kKindAir, {0.0, 0.0, -100.0});
    charge->motion->orderedDepth = -99.0;
    charge->updatePerSecond(1.0);
    EXPECT_EQ(charge->removeFlag, 1u);
    EXPECT_DOUBLE_EQ(own.hull, 0.0); // 8 against armour 8
    EXPECT_EQ(missionState().ownBoatLossCause, kLossDepthCharge);
    EXPECT_EQ(far.hull, 1.0);  // 8 x 31 / 250 truncates to nothing
    EXPECT_EQ(ship.hull, 1.0); // its dropper
    EXPECT_EQ(buoy.hull, 1.0); // a float in the air
    const auto damage = loggedOfKind(kEventOwnBoatDamage);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].x, -800.0);
    EXPECT_EQ(damage[0].extra, kLossDepthCharge);
}

TEST_F(LaunchedEntities, ADepthChargeAboveItsDepthWaits) {
    Entity& ship = vehicle<SubmarineMotion>("Frigate", kKindSurface, {0.0, 0.0, 0.0});
    auto* charge = new DepthChargeEntity(ship.side, kRecordCharge, 2, ship.id);
    charge->updatePerSecond(1.0);
    EXPECT_EQ(charge->removeFlag, 0u);
}

TEST_F(LaunchedEntities, AMobileMineLeavesItsTubeAlongTheHullOnItsRun) {
    Entity& boat = launcher({0.0, 0.0, -50.0}, 0.0, 10.0);
    MobileMineEntity& mine =
        harness.add(new MobileMineEntity(1, "Runner", 3, boat.id, {3, 120.0, 20.0, 5000.0, -300.0}));
    EXPECT_EQ(mine.typeCode, kEntityMobileMine);
    EXPECT_EQ(mine.kind, kKindWeapon);
    EXPECT_EQ(mine.parentId, boat.id);
    const MotionModel& m = *mine.motion;
    EXPECT_NE(dynamic_cast<const SubmarineMotion*>(&m), nullptr);
    EXPECT_NEAR(m.x, 3.3, 0.05); // tube 3: starboard, 3 m down, 48 m ahead
    EXPECT_NEAR(m.y, 48.0, 0.2);
    EXPECT_NEAR(m.z, -53.0, 0.05);
    EXPECT_EQ(m.heading, 0.0); // along the hull, not turned out
    EXPECT_EQ(m.speed, 15.0);
    EXPECT_EQ(m.orderedCourse, 120.0);
    EXPECT_EQ(m.orderedSpeed, 20.0);
    EXPECT_DOUBLE_EQ(m.orderedDepth, -300.0 * 0.3048);
    const MadeController* run = madeController(mine);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->madeAs, ControllerClass::mobileMine);
    EXPECT_EQ(run->value, 5000.0);
    EXPECT_EQ(m.sinking, 0);
}

TEST_F(LaunchedEntities, AMobileMineTheOwnBoatHasNoAirToLaunchFallsAway) {
    Entity& own = harness.add(new Entity(1, "Hunter", 3, kKindSubsurface, -1));
    own.motion = std::make_unique<SpentMotion>(own);
    worldSetOwnShip(&own);
    MobileMineEntity& mine =
        harness.add(new MobileMineEntity(1, "Runner", 3, own.id, {2, 120.0, 20.0, 5000.0, -300.0}));
    const MotionModel& m = *mine.motion;
    EXPECT_EQ(m.sinking, 1);
    EXPECT_EQ(m.verticalSpeed, -1.016);
    EXPECT_EQ(m.orderedSpeed, 0.0);
    EXPECT_LE(m.orderedPitch, -60.0);
    EXPECT_GE(m.orderedPitch, -90.0);
    EXPECT_DOUBLE_EQ(m.responseGain, 3 * 0.04);
    EXPECT_EQ(mine.controller, nullptr);
}

} // namespace
} // namespace q71::test
