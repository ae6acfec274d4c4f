// A weapon at its target: detonation and its damage, the exercise torpedo's turn-away, homing
// with a lead, a stale target, the incoming-torpedo warning, a missile's last leg and a rocket's
// torpedo release.
#include "guidance_fixture.h"
#include "sim/scoring/scoring_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

class GuidanceStrike : public GuidanceTest {
protected:
    /// A torpedo 30 m south of a target it holds, homing.
    Entity* closingOn(Entity& target, std::int32_t side = 1) {
        const WorldPoint at = worldPoint(target);
        Entity* torpedo = weapon("Adcap", kKindWeapon, {at.x, at.y - 30.0, at.z}, 0.0, 40.0, 2, side);
        sense(*torpedo, target);
        return torpedo;
    }
};

TEST_F(GuidanceStrike, DetonationDamageFallsWithRangeFromTheTarget) {
    Entity* target = world.spawn("Burke", 2, kKindSurface, {1000, 1000, 0});
    target->armour = 100; // so that the hull shows the damage taken
    Entity* near = world.spawn("Burke", 2, kKindSurface, {1000, 1000 + 100 * kYardsToMetres, 0});
    near->armour = 100;
    Entity* outside = world.spawn("Burke", 2, kKindSurface, {1000, 1000 + 183 * kYardsToMetres, 0});
    Entity* torpedo = closingOn(*target);
    torpedo->controller->update(1.0);
    EXPECT_NEAR(target->hull, 1.0 - 31 / 100.0, 1e-12); // armour 30 + 1 at the blast
    EXPECT_NEAR(near->hull, 1.0 - 14 / 100.0, 1e-12);   // (182.88 - 100) x 31 / 182.88
    EXPECT_EQ(outside->hull, 1.0);
    EXPECT_EQ(torpedo->removeFlag, 1u);
    EXPECT_EQ(torpedo->motion->speed, 0.0);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 0.0);
    EXPECT_EQ(guidanceOf(*torpedo).target, nullptr);
    EXPECT_EQ(worldPoint(*torpedo).y, 1000.0); // moved onto the target
}

TEST_F(GuidanceStrike, AHitOnTheOwnBoatMarksItsLossByAWeapon) {
    Entity* own = world.spawnOwnBoat({0, 0, -50});
    Entity* torpedo = closingOn(*own, 2);
    torpedo->controller->update(1.0);
    EXPECT_LT(own->hull, 0.1);
    EXPECT_EQ(missionState().ownBoatLossCause, kLossWeapon);
    EXPECT_EQ(world.host.destroyed, 1);
}

TEST_F(GuidanceStrike, TheSonarReportsTheOwnTorpedosDetonationWithItsBearing) {
    world.spawnOwnBoat({0, 0, -50});
    Entity* target = world.spawn("Akula", 2, kKindSubsurface, {5000, 0, -50});
    Entity* torpedo = closingOn(*target);
    torpedo->parentId = WeaponWorld::kOwnBoatId;
    torpedo->controller->update(1.0);
    EXPECT_EQ(world.audio.said, std::vector<std::string>{"sonar: SS-tda.wav 90/3 SS-tdb.wav"});
    EXPECT_EQ(world.log.lines, std::vector<std::string>{"Explosion au 090"});
}

TEST_F(GuidanceStrike, AnExerciseTorpedoTurnsAwayScoresOnceAndNeverDamages) {
    missionState().missionMode = kMissionModeTutorial;
    Entity* own = world.spawnOwnBoat({0, 0, -50}, 90.0);
    Entity* torpedo = closingOn(*own, 2);
    GuidanceController& guidance = guidanceOf(*torpedo);
    world.setClock(100.0);
    torpedo->controller->update(1.0);
    // The boat lies north of the torpedo heading east: the torpedo turns to the west of north.
    EXPECT_DOUBLE_EQ(torpedo->motion->orderedCourse, 270.0);
    EXPECT_EQ(guidance.wireConnected, 0);
    EXPECT_EQ(guidance.runEndTime, 130.0);
    EXPECT_EQ(scoringState().score, -500);
    // The boat's own sonar hears the exercise torpedo closing in as it would a live one.
    EXPECT_EQ(world.audio.said,
              (std::vector<std::string>{"sonar: SSturn.wav", "sonar: SSInTorp.wav 180/3 urgent"}));
    EXPECT_EQ(world.log.lines, (std::vector<std::string>{"Exercice", "Torpille au 180"}));
    world.setClock(110.0);
    torpedo->controller->update(1.0);
    EXPECT_EQ(scoringState().score, -500);
    EXPECT_EQ(own->hull, 1.0);
    EXPECT_EQ(torpedo->removeFlag, 0u);
}

TEST_F(GuidanceStrike, HomingSteersOnTheTargetAndPingsFasterAsItCloses) {
    Entity* target = world.spawn("Akula", 2, kKindSubsurface, {1500, 1500, -80});
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    torpedo->notifyController(1); // the active seeker
    sense(*torpedo, *target);
    torpedo->controller->update(1.0);
    EXPECT_NEAR(torpedo->motion->orderedCourse, 45.0, 1e-6);
    EXPECT_EQ(torpedo->motion->orderedSpeed, 55.0);
    EXPECT_EQ(torpedo->motion->orderedDepth, -80.0); // where its fix put the target
    const double range = std::hypot(1500.0, 1500.0) * kMetresToYards;
    EXPECT_EQ(torpedo->findSensorByType(kSensorActive)->transmitInterval, static_cast<int>(range / 774.0));
}

TEST_F(GuidanceStrike, AbleCrewsLeadATargetCrossingAhead) {
    Entity* target = world.spawn("Akula", 2, kKindSubsurface, {0, 400, -50}, 90.0, 20.0);
    Entity* plain = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0, 40.0, 2);
    Entity* able = weapon("Adcap", kKindWeapon, {0, 0, -50}, 0.0, 40.0, 3);
    for (Entity* torpedo : {plain, able}) {
        sense(*torpedo, *target);
        torpedo->controller->update(1.0);
    }
    EXPECT_NEAR(plain->motion->orderedCourse, 0.0, 1e-6);
    // 437 yards at 20.3 m/s: 21.5 s, in which the target crosses 218 m to the east.
    const double toTarget = 400 * kMetresToYards / (40.0 * 0.508);
    const double lateral = 20.0 * 0.508 * toTarget;
    EXPECT_NEAR(able->motion->orderedCourse, std::atan2(lateral, 400 * kMetresToYards) * kRadiansToDegrees,
                1e-6);
}

TEST_F(GuidanceStrike, ATargetWithoutAFixForThirtySecondsIsDropped) {
    Entity* target = world.spawn("Akula", 2, kKindSubsurface, {0, 3000, -50});
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, 0, -50});
    ContactRecord* contact = sense(*torpedo, *target);
    contact->sinceFix = 31.0;
    torpedo->controller->update(1.0);
    EXPECT_EQ(guidanceOf(*torpedo).target, nullptr);
    EXPECT_EQ(torpedo->findContact(target->id), nullptr);
}

TEST_F(GuidanceStrike, ATorpedoClosingOnTheOwnBoatIsReportedOnceAMinute) {
    Entity* own = world.spawnOwnBoat({0, 0, -50});
    Entity* torpedo = weapon("Adcap", kKindWeapon, {0, -5000, -50}, 0.0, 40.0, 2, 2);
    sense(*torpedo, *own);
    world.setClock(100.0);
    torpedo->controller->update(1.0);
    world.setClock(150.0);
    torpedo->controller->update(1.0);
    EXPECT_EQ(world.audio.said, std::vector<std::string>{"sonar: SSInTorp.wav 180/3 urgent"});
    EXPECT_EQ(world.log.lines, std::vector<std::string>{"Torpille au 180"});
    world.setClock(161.0);
    torpedo->motion->heading = 180.0; // turned away from the boat
    torpedo->controller->update(1.0);
    EXPECT_EQ(world.audio.said.size(), 1u);
}

class MissileFlight : public GuidanceTest {
protected:
    /// A missile (kind 0 once launched) flying north at a height with waypoints queued first to last.
    Entity* missileWith(std::initializer_list<WorldPoint> waypoints, double height = 200.0) {
        Entity* missile = weapon("Tomahawk", kKindAir, {0, 0, height}, 0.0, 480.0);
        GuidanceController& guidance = guidanceOf(*missile);
        guidance.floor = 152.4;
        guidance.ceiling = 609.6;
        std::vector<WorldPoint> points(waypoints);
        for (auto point = points.rbegin(); point != points.rend(); ++point)
            guidance.queueOrder(2, 0, 0.0, point->x, point->y, 460.0, 50.0);
        return missile;
    }
};

TEST_F(MissileFlight, ItArmsOnItsLastLegAndSteersForTheNextWaypoint) {
    Entity* missile = missileWith({{1000, 1000, 0}});
    GuidanceController& guidance = guidanceOf(*missile);
    guidance.enableRange = 100.0;
    missile->controller->update(1.0);
    EXPECT_EQ(guidance.enableRange, 0.0);
    EXPECT_NEAR(missile->motion->orderedCourse, 45.0, 1e-6);
}

TEST_F(MissileFlight, ItDivesOnItsLastWaypoint) {
    Entity* missile = missileWith({{0, 500, 0}});
    missile->controller->update(1.0);
    EXPECT_NEAR(missile->motion->orderedDepth, std::sqrt(500.0) + MotionModel::terrainHeight(0, 500), 1e-9);
    EXPECT_EQ(missile->motion->sinking, 0);
}

TEST_F(MissileFlight, PastItsLastWaypointWithoutATargetItGoesIntoTheSea) {
    Entity* high = missileWith({{0, 100, 0}});
    high->controller->update(1.0);
    EXPECT_EQ(high->motion->orderedDepth, -1.0);
    EXPECT_EQ(high->motion->sinking, 0);
    Entity* low = missileWith({{0, 100, 0}}, -0.5);
    low->controller->update(1.0);
    EXPECT_EQ(low->motion->sinking, 1);
}

// The torpedoes a rocket releases, recorded.
class RecordingLaunches final : public NoWeaponLaunches {
public:
    Entity* releaseTorpedo(Entity& carrier, const TorpedoRelease& release) override {
        carriers.push_back(carrier.id);
        releases.push_back(release);
        return nullptr;
    }
    std::vector<std::int32_t> carriers;
    std::vector<TorpedoRelease> releases;
};

TEST_F(GuidanceStrike, ARocketReleasesItsTorpedoAheadOfAHullAndWaitsForTheNext) {
    RecordingLaunches launches;
    weaponLaunchesInstall(&launches);
    Entity* rocket = weapon("Rocket", kKindAir, {0, 0, -100}, 0.0, 0.0, 2, 1);
    Entity* ship = world.spawn("Burke", 2, kKindSurface, {0, 2000, 0}, 90.0, 100.0);
    Entity* friendly = world.spawn("Burke", 1, kKindSurface, {0, 1000, 0});
    sense(*rocket, *friendly);
    EXPECT_EQ(guidanceOf(*rocket).target, nullptr);
    sense(*rocket, *ship);
    ASSERT_NE(guidanceOf(*rocket).target, nullptr);
    guidanceOf(*rocket).runEndTime = 0.0;
    world.setClock(1.0);
    rocket->controller->update(1.0);
    ASSERT_EQ(launches.releases.size(), 1u);
    const TorpedoRelease& release = launches.releases[0];
    const double range = 2000 * kMetresToYards;
    const double toTarget = range / (55 * 0.508);
    EXPECT_NEAR(release.course, std::atan(100 * 0.508 * toTarget / range) * kRadiansToDegrees, 1e-9);
    EXPECT_EQ(release.position.z, -95.0);
    EXPECT_EQ(release.recordId, kRecordAdcap);
    EXPECT_NEAR(release.runDistance, range * 0.001, 1e-12);
    EXPECT_EQ(release.enableDistance, 0.025);
    EXPECT_EQ(release.designatedKind, kKindSurface);
    EXPECT_NEAR(guidanceOf(*rocket).runEndTime, 1.0 + 14630.4 / (55 * 0.508), 1e-9);
    rocket->controller->update(1.0); // not again before then
    EXPECT_EQ(launches.releases.size(), 1u);
}

} // namespace
} // namespace q71::test
