// The guided weapons: their motion, and each launch putting them into the world with the
// settings it gives.
#include "vehicle_fixture.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/motion/torpedo_motion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/entities/types/missile_entity.h"
#include "sim/entities/types/torpedo_entities.h"

#include <cmath>

namespace q71::test {
namespace {

class WeaponWorld : public VehicleWorld {
protected:
    WeaponWorld() { entityClassesInstall(); }
    ~WeaponWorld() override { entityClassesUninstall(); }

    /// A submarine under way, heading north from the origin at a depth, to launch from.
    Entity& boat(double speed = 10.0, double z = -50.0) {
        Entity& b = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {0.0, 0.0, z}, true, 3);
        underWay(*b.motion, speed);
        return b;
    }
    /// The own boat with no air left to launch.
    Entity& spentOwnBoat() {
        Entity& own = harness.add(new Entity(1, "Hunter", 3, kKindSubsurface, -1));
        own.motion = std::make_unique<SpentMotion>(own);
        place(*own.motion, {0.0, 0.0, -50.0});
        worldSetOwnShip(&own);
        return own;
    }
    static GuidanceController& guidanceOf(const Entity& weapon) {
        auto* guidance = dynamic_cast<GuidanceController*>(weapon.controller.get());
        EXPECT_NE(guidance, nullptr);
        return *guidance;
    }
    static TorpedoTubeLaunch adcap(int tube) {
        return {.tube = tube,
                .course = 75.0,
                .searchPattern = 1,
                .enableDistance = 3000.0,
                .presetSpeed = 55.0,
                .searchSpeed = 35.0,
                .searchDepth = -400.0,
                .ceiling = -100.0,
                .floor = -900.0,
                .seekerPreset = 1};
    }
    static bool inWorld(const Entity& e) { return worldFindEntity(e.id) == &e; }
};

TEST_F(WeaponWorld, ATorpedoRespondsByItsLevelAndRunsLoud) {
    Entity& fish = vehicle<TorpedoMotion>("Fish", kKindWeapon, {0.0, 0.0, -50.0}, false, 2);
    MotionModel& m = *fish.motion;
    EXPECT_EQ(m.responseLength, 30.48);
    EXPECT_EQ(m.responseGain, 3.0);
    EXPECT_EQ(m.maxPitchAngle, 60.0);
    EXPECT_EQ(m.maxRudderAngle, 60.0);
    EXPECT_EQ(m.turnCoefficient, 0.045);
    EXPECT_EQ(m.positionReportInterval, 120.0);
    underWay(m, 40.0);
    m.setOrderedDepth(-150.0);
    for (int i = 0; i < 500 && m.z != -150.0; ++i)
        run(m, 0.4);
    EXPECT_EQ(m.cavitating, 1);
    EXPECT_NEAR(m.z, -150.0, 0.5);
    EXPECT_EQ(vehicle<TorpedoMotion>("Harpoon", kKindMissile, {}).motion->positionReportInterval, 20.0);
}

TEST_F(WeaponWorld, ATorpedoNeverCollides) {
    Entity& fish = vehicle<TorpedoMotion>("Fish", kKindWeapon, {0.0, 0.0, -50.0}, false);
    Entity& hull = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {0.0, 5.0, -50.0}, false);
    underWay(*fish.motion, 40.0);
    setClock(100.0);
    run(*fish.motion, 2.0);
    EXPECT_EQ(hull.hull, 1.0);
    EXPECT_EQ(fish.hull, 1.0);
}

TEST_F(WeaponWorld, OnlyAHomingWeaponIsGuidedAtEverySubStep) {
    Entity& launcher = boat();
    auto* torpedo = new TorpedoEntity(launcher.side, "Fish", 3, launcher.id);
    torpedo->launchFromTube(launcher, adcap(1));
    GuidanceController& g = guidanceOf(*torpedo);
    g.runEndTime = simClock().gameClock - 1.0; // its run is over: the next guidance step ends it
    run(*torpedo->motion, 0.4);
    EXPECT_EQ(torpedo->motion->sinking, 0); // not homing: the run ends at the per-second pass
    auto* contact = new ContactRecord;
    torpedo->contacts.appendItem(contact);
    g.enableRange = 0.0;
    g.target = contact;
    run(*torpedo->motion, 0.4);
    EXPECT_EQ(torpedo->motion->sinking, 1);
}

TEST_F(WeaponWorld, ATorpedoFromTubeThreeLeavesToStarboardBelowAndTurnedOut) {
    Entity& launcher = boat(10.0);
    Entity* torpedo = weaponLaunches().launchTorpedo(launcher, "Fish", adcap(3));
    ASSERT_NE(torpedo, nullptr);
    EXPECT_TRUE(inWorld(*torpedo));
    EXPECT_EQ(torpedo->typeCode, kEntityTorpedo);
    EXPECT_EQ(torpedo->kind, kKindWeapon);
    EXPECT_EQ(torpedo->parentId, launcher.id);
    EXPECT_TRUE(torpedo->sensors.empty());
    const MotionModel& m = *torpedo->motion;
    EXPECT_NE(dynamic_cast<const TorpedoMotion*>(&m), nullptr);
    const double pitch = std::atan2(-3.0, 48.0);
    EXPECT_NEAR(m.x, 3.3 * std::cos(pitch), 1e-3);
    EXPECT_NEAR(m.y, 48.0 * std::cos(pitch), 1e-3);
    EXPECT_NEAR(m.z, -50.0 + std::hypot(3.0, 48.0) * std::sin(pitch), 1e-3);
    EXPECT_EQ(m.heading, 8.0);
    EXPECT_EQ(m.orderedCourse, 8.0);
    EXPECT_EQ(m.driveSpeed, 15.0);
    EXPECT_EQ(m.speed, 15.0);
    EXPECT_NEAR(m.velocityX, 15.0 * std::sin(8.0 * kDegreesToRadians), 1e-9);
    EXPECT_EQ(m.smoothedState[kSampleX], m.x);
    EXPECT_EQ(m.smoothedState[kSampleHeading], 8.0);
    EXPECT_EQ(m.orderedSpeed, 55.0);
    EXPECT_EQ(m.orderedDepth, m.z);
    const GuidanceController& g = guidanceOf(*torpedo);
    EXPECT_EQ(g.state, 12);
    EXPECT_EQ(g.launchX, m.x);
    EXPECT_EQ(g.launchY, m.y);
    EXPECT_NEAR(g.runEndTime, (29.5 + 0.25 * (35.0 - 35.0)) * 1828.8 / (0.508 * 35.0), 1e-6);
    EXPECT_NEAR(g.enableRange, 3000.0 * 0.9144, 1e-9);
    EXPECT_EQ(g.presetCourse, 75.0);
    EXPECT_EQ(g.presetSpeed, 55.0);
    EXPECT_EQ(g.searchPattern, 1);
    EXPECT_EQ(g.searchSpeed, 35.0);
    EXPECT_NEAR(g.searchDepth, -400.0 * 0.3048, 1e-9);
    EXPECT_EQ(g.seekerMode, 2);
    EXPECT_NEAR(g.ceiling, -100.0 * 0.3048, 1e-9);
    EXPECT_NEAR(g.floor, -900.0 * 0.3048, 1e-9);
    const auto launches = loggedOfKind(kEventWeaponLaunch);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].subjectId, launcher.id);
    EXPECT_EQ(launches[0].extra, static_cast<std::int32_t>(kRecordTorpedo));
}

TEST_F(WeaponWorld, ATorpedoFromTubeTwoLeavesToPortTurnedOutAndRunsAtLeastTenFeetDown) {
    Entity& launcher = boat(10.0, 0.0); // on the surface
    TorpedoTubeLaunch launch = adcap(2);
    launch.seekerPreset = 2;
    launch.ceiling = 50.0;
    Entity* torpedo = weaponLaunches().launchTorpedo(launcher, "Fish", launch);
    const MotionModel& m = *torpedo->motion;
    const double pitch = std::atan2(-2.0, 48.0);
    EXPECT_NEAR(m.x, -3.3 * std::cos(pitch), 1e-3);
    EXPECT_NEAR(m.z, std::hypot(2.0, 48.0) * std::sin(pitch), 1e-3);
    EXPECT_EQ(m.heading, 352.0);
    EXPECT_EQ(m.orderedDepth, -3.048);
    EXPECT_EQ(guidanceOf(*torpedo).seekerMode, 14);
    EXPECT_NEAR(guidanceOf(*torpedo).ceiling, -5.0 * 0.3048, 1e-9);
}

TEST_F(WeaponWorld, ATorpedoWithoutASearchSpeedRunsAsLongAsAtItsTopSpeed) {
    Entity& launcher = boat();
    TorpedoTubeLaunch launch = adcap(1);
    launch.searchSpeed = 0.0;
    const GuidanceController& g = guidanceOf(*weaponLaunches().launchTorpedo(launcher, "Fish", launch));
    EXPECT_NEAR(g.runEndTime, (29.5 + 0.25 * (35.0 - 60.0)) * 1828.8 / (0.508 * 60.0), 1e-6);
    const GuidanceController& still = guidanceOf(*weaponLaunches().launchTorpedo(launcher, "Still", launch));
    EXPECT_EQ(still.runEndTime, simClock().gameClock); // it cannot run: its run is over at once
}

TEST_F(WeaponWorld, TheOwnBoatWithoutAirToLaunchLosesItsTorpedo) {
    Entity& own = spentOwnBoat();
    Entity* torpedo = weaponLaunches().launchTorpedo(own, "Fish", adcap(1));
    ASSERT_NE(torpedo, nullptr);
    EXPECT_TRUE(inWorld(*torpedo));
    const MotionModel& m = *torpedo->motion;
    EXPECT_EQ(m.sinking, 1);
    EXPECT_EQ(m.verticalSpeed, -1.016);
    EXPECT_EQ(m.orderedSpeed, 0.0);
    EXPECT_LE(m.orderedPitch, -60.0);
    EXPECT_GE(m.orderedPitch, -90.0);
    EXPECT_DOUBLE_EQ(m.responseGain, 0.12);
    EXPECT_DOUBLE_EQ(m.responseLoad, 0.12);
    EXPECT_EQ(torpedo->controller, nullptr);
}

TEST_F(WeaponWorld, AMissileLeavesItsTubeForItsRunAndFliesAsAnAircraft) {
    Entity& launcher = boat(6.0);
    const MissileTubeLaunch launch{.tube = 4,
                                   .course = 200.0,
                                   .vertical = 1,
                                   .designatedKind = kKindSurface,
                                   .runDistance = 12.0,
                                   .enableDistance = 0.01};
    Entity* missile = weaponLaunches().launchTubeMissile(launcher, "Harpoon", launch);
    ASSERT_NE(missile, nullptr);
    EXPECT_TRUE(inWorld(*missile));
    EXPECT_EQ(missile->typeCode, kEntityTorpedo2);
    EXPECT_EQ(missile->kind, kKindAir);
    const MotionModel& m = *missile->motion;
    EXPECT_EQ(m.heading, 352.0);
    EXPECT_EQ(m.orderedCourse, 200.0);
    EXPECT_EQ(m.orderedDepth, m.z);
    EXPECT_EQ(m.turnCoefficient, 5.0);
    EXPECT_EQ(m.responseGain, 0.75);
    EXPECT_EQ(m.responseLoad, 0.75);
    EXPECT_EQ(m.maxRudderAngle, 80.0);
    EXPECT_EQ(m.orderedSpeed, 450.0);
    EXPECT_EQ(m.pitch, 90.0);
    EXPECT_EQ(m.maxPitchAngle, 90.0);
    const GuidanceController& g = guidanceOf(*missile);
    EXPECT_NEAR(g.runEndTime, 12.0 * 1828.8 / (450.0 * 0.508), 1e-6);
    EXPECT_EQ(g.enableRange, 100.0); // never less
    EXPECT_EQ(g.presetCourse, 200.0);
    EXPECT_EQ(g.presetSpeed, 450.0);
    EXPECT_EQ(g.searchSpeed, 450.0);
    EXPECT_EQ(g.searchPattern, 2);
    EXPECT_EQ(g.searchDepth, 10.0);
    EXPECT_EQ(g.seekerMode, 7);
    EXPECT_EQ(g.designatedKind, kKindSurface);
    EXPECT_EQ(g.ceiling, 609.6);
    EXPECT_EQ(g.floor, 10.0);
    EXPECT_EQ(g.wireConnected, 0); // no fire panel's guidance switch: no wire
}

TEST_F(WeaponWorld, ACapsuleFromCellSixteenLeavesToPortAboveAndPitchedStraightUp) {
    Entity& own = spentOwnBoat(); // a cell's missile needs no air
    own.motion->speed = 4.0;
    Entity* capsule = weaponLaunches().launchCapsule(own, "Tomahawk", 16, 300.0);
    ASSERT_NE(capsule, nullptr);
    EXPECT_TRUE(inWorld(*capsule));
    EXPECT_EQ(capsule->typeCode, kEntityMissileCapsule);
    EXPECT_EQ(capsule->kind, kKindAir);
    const MotionModel& m = *capsule->motion;
    EXPECT_EQ(m.sinking, 0);
    const double ahead = 39.5, pitch = std::atan2(2.0, ahead), bearing = std::atan2(-1.5, ahead);
    const double along = std::hypot(1.5, ahead) * std::cos(pitch);
    EXPECT_NEAR(m.x, along * std::sin(bearing), 1e-3);
    EXPECT_NEAR(m.y, along * std::cos(bearing), 1e-3);
    EXPECT_NEAR(m.z, -50.0 + std::hypot(2.0, ahead) * std::sin(pitch), 1e-3);
    EXPECT_EQ(m.heading, 0.0);
    EXPECT_EQ(m.speed, 4.0);
    EXPECT_EQ(m.driveSpeed, 9.0);
    EXPECT_EQ(m.pitch, 90.0);
    EXPECT_EQ(m.maxPitchAngle, 90.0);
    EXPECT_EQ(m.orderedDepth, 152.4);
    EXPECT_EQ(m.turnCoefficient, 8.0);
    EXPECT_EQ(m.maxRudderAngle, 80.0);
    const GuidanceController& g = guidanceOf(*capsule);
    EXPECT_EQ(g.enableRange, 1.0);
    EXPECT_EQ(g.floor, 152.4);
    EXPECT_EQ(g.searchDepth, 152.4);
    ASSERT_NE(g.activeOrders, nullptr); // an empty flight plan, ready for the launcher's waypoints
    EXPECT_TRUE(g.activeOrders->empty());
    EXPECT_EQ(g.plans.count(), 1);
    // From a tube the same boat loses it.
    Entity* fromTube = weaponLaunches().launchCapsule(own, "Tomahawk", 1, 300.0);
    EXPECT_EQ(fromTube->motion->sinking, 1);
    EXPECT_EQ(fromTube->motion->maxPitchAngle, 60.0); // the failed capsule keeps its torpedo's
}

TEST_F(WeaponWorld, ARocketReleasesItsTorpedoAboveItOnTheAimedCourse) {
    Entity& rocket = harness.add(new MissileEntity(2, "Captor", 3));
    place(*rocket.motion, {500.0, 500.0, -200.0});
    ASSERT_NE(rocket.controller, nullptr); // it carries a torpedo: it has guidance
    const TorpedoRelease release{.recordId = kRecordTorpedo,
                                 .position = {500.0, 500.0, -195.0},
                                 .course = 123.0,
                                 .runDistance = 4.0,
                                 .enableDistance = 0.025,
                                 .designatedKind = kKindSubsurface};
    Entity* torpedo = weaponLaunches().releaseTorpedo(rocket, release);
    ASSERT_NE(torpedo, nullptr);
    EXPECT_EQ(torpedo->typeCode, kEntityTorpedo2);
    EXPECT_EQ(torpedo->parentId, rocket.id);
    EXPECT_EQ(torpedo->recordId, kRecordTorpedo);
    EXPECT_EQ(torpedo->motion->z, -195.0);
    EXPECT_EQ(torpedo->motion->heading, 123.0);
    EXPECT_EQ(torpedo->motion->driveSpeed, 5.0);
    EXPECT_EQ(guidanceOf(*torpedo).designatedKind, kKindSubsurface);
    EXPECT_TRUE(inWorld(*torpedo));
}

TEST_F(WeaponWorld, AMissileLostAtTheLaunchFallsBackFromItsTube) {
    Entity& launcher = boat();
    const LostMissileLaunch lost{.tube = 1,
                                 .heading = 8.0,
                                 .speed = 55.0,
                                 .pitch = -5.0,
                                 .verticalSpeed = -2.54,
                                 .orderedPitch = -70.0,
                                 .response = 0.12};
    Entity* missile = weaponLaunches().launchLostMissile(launcher, "Harpoon", lost);
    ASSERT_NE(missile, nullptr);
    EXPECT_TRUE(inWorld(*missile));
    EXPECT_EQ(missile->typeCode, kEntityMissile);
    EXPECT_EQ(missile->parentId, launcher.id);
    const MotionModel& m = *missile->motion;
    EXPECT_NEAR(m.y, 48.0, 0.1);
    EXPECT_EQ(m.heading, 8.0);
    EXPECT_EQ(m.speed, 55.0);
    EXPECT_EQ(m.pitch, -5.0);
    EXPECT_EQ(m.sinking, 1);
    EXPECT_EQ(m.verticalSpeed, -2.54);
    EXPECT_EQ(m.orderedPitch, -70.0);
    EXPECT_EQ(m.responseGain, 0.12);
    EXPECT_EQ(missile->controller, nullptr);
}

TEST_F(WeaponWorld, AMobileMineLaunchedByTheStationsEntersTheWorld) {
    Entity& launcher = boat();
    const MobileMineLaunch launch{.tube = 1, .course = 90.0, .speed = 20.0, .range = 4000.0, .depth = -200.0};
    Entity* mine = weaponLaunches().launchMobileMine(launcher, "Runner", launch);
    ASSERT_NE(mine, nullptr);
    EXPECT_TRUE(inWorld(*mine));
    EXPECT_EQ(mine->typeCode, kEntityMobileMine);
}

TEST_F(WeaponWorld, ALauncherWithoutAPlaceLaunchesNothing) {
    Entity& nowhere = harness.add(new Entity(1, "Hunter", 3, kKindSubsurface, -1));
    EXPECT_EQ(weaponLaunches().launchTorpedo(nowhere, "Fish", adcap(1)), nullptr);
    EXPECT_EQ(weaponLaunches().launchCapsule(nowhere, "Tomahawk", 5, 10.0), nullptr);
    EXPECT_EQ(worldList().count(), 1);
}

} // namespace
} // namespace q71::test
