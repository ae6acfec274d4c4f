// Firing the launchers: each weapon type launched with the launcher's settings, the missiles'
// launch envelope, and the wire guidance that reaches a tube's torpedo through its guidance.
#include "launcher_fixture.h"
#include "stations/firectrl/launch_envelope.h"

#include <cmath>

namespace q71::test {
namespace {

class LauncherFire : public LauncherTest {};

TEST_F(LauncherFire, AnAdcapOnTheGyroCourseCarriesTheTubesSettings) {
    Entity* own = ownBoat();
    TorpedoTube tube(3);
    tube.setWeaponType(kWeaponAdcap);
    tube.target = -1;
    tube.gyroCourse = 250;
    tube.adcapCeiling = 150;
    tube.adcapDepth2 = 40;
    tube.adcapFloor = 900;
    tube.adcapFlag = 1;
    tube.adcapEnableRange = 3000;
    tube.adcapSpeed = 45;
    tube.fire();
    ASSERT_EQ(launches.torpedoes.size(), 1u);
    const TorpedoTubeLaunch& launch = launches.torpedoes[0];
    EXPECT_EQ(launch.tube, 3);
    EXPECT_EQ(launch.course, 250.0);
    EXPECT_EQ(launch.searchPattern, 0);
    EXPECT_EQ(launch.enableDistance, 3000.0);
    EXPECT_EQ(launch.presetSpeed, 45.0);
    EXPECT_EQ(launch.searchSpeed, 45.0);
    EXPECT_EQ(launch.searchDepth, -150.0);
    EXPECT_EQ(launch.ceiling, -40.0);
    EXPECT_EQ(launch.floor, -900.0);
    EXPECT_EQ(launch.seekerPreset, 1);
    EXPECT_EQ(launches.launches[0].what, "torpedo Adcap");
    EXPECT_EQ(launches.launches[0].launcherId, own->id);
    ASSERT_NE(tube.launchedEntity(), nullptr);
    EXPECT_EQ(tube.launchedEntity()->id, tube.launchedTorpedoId);
    EXPECT_EQ(tube.launched, 1);
}

TEST_F(LauncherFire, AnAdcapAtAContactLeadsItsEstimatedWay) {
    Entity* own = ownBoat();
    ContactRecord& target = contact(*own, 5, 0.0, 4000.0);
    target.course = 90.0;
    target.speed = 10.0;
    TorpedoTube tube(1);
    tube.setWeaponType(kWeaponAdcap);
    tube.target = 5;
    tube.fire();
    ASSERT_EQ(launches.torpedoes.size(), 1u);
    const double across = 4000.0 * 0.028121484814398197 * 10.0 * 0.508;
    EXPECT_NEAR(launches.torpedoes[0].course, std::atan2(across, 4000.0) * kRadiansToDegrees, 1e-6);
}

TEST_F(LauncherFire, AContactThatHasGoneLaunchesNothingButTheTubeCountsAsFired) {
    ownBoat(-5.0); // inside the missiles' envelope
    TorpedoTube tube(1);
    tube.setWeaponType(kWeaponAdcap);
    tube.target = 8;
    tube.fire();
    tube.setWeaponType(kWeaponHarpoon);
    tube.fire();
    EXPECT_TRUE(launches.launches.empty());
    EXPECT_EQ(tube.launched, 1);
    EXPECT_EQ(tube.launchedTorpedoId, -1);
}

TEST_F(LauncherFire, FiringAnEmptyTubeOrWithoutAnOwnBoatLaunchesNothing) {
    TorpedoTube tube(2);
    tube.setWeaponType(kWeaponAdcap);
    tube.target = -1;
    tube.fire(); // no own boat
    ownBoat();
    TorpedoTube empty(4);
    empty.fire();
    EXPECT_TRUE(launches.launches.empty());
    EXPECT_EQ(empty.launched, 1);
}

TEST_F(LauncherFire, AMobileMineRunsToTheLastWaypointAndTheRouteIsCleared) {
    ownBoat();
    TorpedoTube tube(2);
    tube.setWeaponType(kWeaponSlmm);
    tube.slmmDepth = 120;
    tube.addAimPoint(1000, 0);
    tube.addAimPoint(3000, 4000);
    tube.fire();
    ASSERT_EQ(launches.mines.size(), 1u);
    const MobileMineLaunch& launch = launches.mines[0];
    EXPECT_EQ(launch.tube, 2);
    EXPECT_NEAR(launch.course, std::atan2(3.0, 4.0) * kRadiansToDegrees, 1e-6);
    EXPECT_DOUBLE_EQ(launch.range, 5000.0);
    EXPECT_EQ(launch.speed, 20.0);
    EXPECT_EQ(launch.depth, -120.0);
    EXPECT_EQ(launches.launches[0].what, "mine slmm");
    EXPECT_NE(tube.launchedMineId, -1);
    EXPECT_TRUE(tube.waypoints.empty());
}

TEST_F(LauncherFire, AHarpoonInsideTheEnvelopeFliesAtItsContact) {
    Entity* own = ownBoat(-9.0, 3.0);
    contact(*own, 11, 60.0, 20000.0);
    TorpedoTube tube(1);
    tube.setWeaponType(kWeaponHarpoon);
    tube.target = 11;
    tube.harpoonRange1 = 15;
    tube.harpoonRange2 = 4;
    tube.fire();
    ASSERT_EQ(launches.missiles.size(), 1u);
    const MissileTubeLaunch& launch = launches.missiles[0];
    EXPECT_EQ(launch.course, 60.0);
    EXPECT_EQ(launch.targetRange, 20000.0);
    EXPECT_EQ(launch.vertical, 0);
    EXPECT_EQ(launch.designatedKind, kKindSurface);
    EXPECT_EQ(launch.runDistance, 15.0);
    EXPECT_EQ(launch.enableDistance, 4.0);
    EXPECT_EQ(launch.flag, 1); // its flag was off
    EXPECT_NE(tube.launchedHarpoonId, -1);
}

TEST_F(LauncherFire, AHarpoonOutsideTheEnvelopeIsLostTurnedOutwardFromItsTube) {
    Entity* own = ownBoat(-60.0, 12.0);
    own->motion->heading = 355.0;
    own->level = 3;
    for (int number : {1, 2}) {
        TorpedoTube tube(number);
        tube.setWeaponType(kWeaponHarpoon);
        tube.target = -1;
        tube.fire();
        EXPECT_EQ(tube.launchedHarpoonId, -1);
    }
    ASSERT_EQ(launches.lost.size(), 2u);
    EXPECT_EQ(launches.lost[0].tube, 1);
    EXPECT_DOUBLE_EQ(launches.lost[0].heading, 3.0);
    EXPECT_DOUBLE_EQ(launches.lost[1].heading, 347.0);
    EXPECT_EQ(launches.lost[0].speed, 55.0);
    EXPECT_EQ(launches.lost[0].pitch, -5.0);
    EXPECT_EQ(launches.lost[0].verticalSpeed, -2.54);
    EXPECT_LE(launches.lost[0].orderedPitch, -60.0);
    EXPECT_GE(launches.lost[0].orderedPitch, -90.0);
    EXPECT_DOUBLE_EQ(launches.lost[0].response, 0.12);
    EXPECT_EQ(launches.launches[0].what, "lost Harpoon");
}

TEST_F(LauncherFire, TheMissileEnvelopeDependsOnSpeedAndDepth) {
    Entity* own = ownBoat();
    MotionModel& boat = *own->motion;
    auto succeeds = [&](double z, double speed, bool tomahawk) {
        boat.z = z;
        boat.speed = speed;
        return missileLaunchSucceeds(boat, tomahawk);
    };
    EXPECT_TRUE(succeeds(-3.9, 30.0, true));   // near the surface a Tomahawk always leaves
    EXPECT_FALSE(succeeds(-3.9, 30.0, false)); // a Harpoon does not
    EXPECT_TRUE(succeeds(-9.0, 5.9, false));
    EXPECT_FALSE(succeeds(-20.0, 10.0, true));
    EXPECT_FALSE(succeeds(-40.2336, 6.5, true));
    // At -30 m and speed 8 it leaves when about 3.33 falls below a draw from 0 to 4.
    int left = 0;
    for (int i = 0; i < 2000; ++i)
        left += succeeds(-30.0, 8.0, true) ? 1 : 0;
    EXPECT_GT(left, 250);
    EXPECT_LT(left, 420);
}

TEST_F(LauncherFire, ATomahawkFliesItsRouteFromTheFirstWaypoint) {
    ownBoat(-10.0, 2.0);
    VlsCell cell(7);
    cell.setWeaponType(kWeaponTomahawk);
    cell.tomahawkRange = 300;
    cell.addRoute(0, 0, 40000, 80000);
    cell.fire();
    ASSERT_EQ(launches.capsules.size(), 1u);
    EXPECT_EQ(launches.capsules[0], (std::pair<int, double>{7, 300.0}));
    Entity* missile = cell.launchedEntity();
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(cell.launchedMissileId, missile->id);
    const auto& guidance = static_cast<GuidanceController&>(*missile->controller);
    ASSERT_NE(guidance.activeOrders, nullptr);
    std::vector<std::pair<double, double>> route;
    for (auto* node = guidance.activeOrders->head(); node; node = node->next) {
        route.emplace_back(node->item->x, node->item->y);
        EXPECT_EQ(node->item->type, 2);
        EXPECT_EQ(node->item->speed, 460.0);
        EXPECT_EQ(node->item->depth, 50.0);
    }
    EXPECT_EQ(route, (std::vector<std::pair<double, double>>{
                         {10000, 20000}, {20000, 40000}, {30000, 60000}, {40000, 80000}}));
    EXPECT_EQ(guidance.wireConnected, 1);
    EXPECT_TRUE(cell.waypoints.empty());
    EXPECT_EQ(cell.launched, 1);
}

TEST_F(LauncherFire, WithTheGuidanceSwitchOffATubesTomahawkTakesNoOrdersAndKeepsItsRouteShown) {
    ownBoat(-10.0, 2.0);
    fireControlStations().setFireGuidanceSwitch(false);
    TorpedoTube tube(4);
    tube.setWeaponType(kWeaponTomahawk);
    tube.addRoute(0, 0, 400, 800);
    tube.waypoints.head()->item->afterOwnShip = true; // as a chart would have linked it
    tube.fire();
    Entity* missile = tube.launchedMissile();
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(missile->controller->isWireConnected(), 0);
    EXPECT_EQ(tube.waypoints.count(), 4);
    EXPECT_FALSE(tube.waypoints.head()->item->afterOwnShip);
}

TEST_F(LauncherFire, ALostTomahawkIsTheCellsButGetsNoId) {
    ownBoat(-100.0, 20.0);
    VlsCell cell(5);
    cell.setWeaponType(kWeaponTomahawk);
    cell.addAimPoint(1000, 1000);
    cell.fire();
    ASSERT_EQ(launches.lost.size(), 1u);
    EXPECT_EQ(launches.lost[0].tube, 0); // at the boat
    EXPECT_EQ(launches.lost[0].pitch, 85.0);
    EXPECT_EQ(launches.lost[0].verticalSpeed, 9.96);
    EXPECT_NE(cell.launchedEntity(), nullptr);
    EXPECT_EQ(cell.launchedMissileId, -1);
}

TEST_F(LauncherFire, AnEmptyCellFiresNothing) {
    ownBoat(-10.0, 2.0);
    VlsCell cell(5);
    cell.addAimPoint(1000, 1000);
    cell.fire();
    EXPECT_TRUE(launches.launches.empty());
    EXPECT_EQ(cell.launched, 1);
}

class WireGuidance : public LauncherTest {};

TEST_F(WireGuidance, OrdersReachTheTubesTorpedoThroughItsGuidance) {
    ownBoat();
    launcherTablesBuild();
    auto* tube = static_cast<TorpedoTube*>(launcherTables()->tubes[2]); // tube 4, an ADCAP
    tube->target = -1;
    tube->gyroCourse = 10;
    EXPECT_FALSE(tube->isGuidable());
    tube->fire();
    Entity* torpedo = tube->launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    auto& guidance = static_cast<GuidanceController&>(*torpedo->controller);
    guidance.presetCourse = 10.0;
    EXPECT_TRUE(tube->isGuidable());
    tube->steerRight();
    tube->steerRight();
    tube->steerLeft();
    EXPECT_DOUBLE_EQ(guidance.presetCourse, 15.0);
    tube->setGuidanceMode(1);
    EXPECT_EQ(guidance.enableRange, 0.0);
    tube->setGuidanceMode(0);
    EXPECT_EQ(guidance.enableRange, kDisarmedEnableRange);
    guidance.wireConnected = 0;
    EXPECT_FALSE(tube->isGuidable());
    tube->steerRight();
    EXPECT_DOUBLE_EQ(guidance.presetCourse, 15.0);
    tube->shutDownWeapon();
    EXPECT_EQ(torpedo->removeFlag, 1u);
    EXPECT_EQ(world.audio.said, std::vector<std::string>{"sonar: SSUnit4.wav"});
    EXPECT_EQ(world.log.lines, std::vector<std::string>{"Tube 4, fin de course"});
}

TEST_F(WireGuidance, OrdersForATorpedoThatIsGoneDoNothing) {
    ownBoat();
    TorpedoTube tube(1);
    tube.launchedTorpedoId = 4242;
    tube.steerLeft();
    tube.setGuidanceMode(1);
    tube.shutDownWeapon();
    EXPECT_FALSE(tube.isGuidable());
    EXPECT_TRUE(world.audio.said.empty());
}

} // namespace
} // namespace q71::test
