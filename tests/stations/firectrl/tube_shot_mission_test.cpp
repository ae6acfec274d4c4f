// Shots from the tubes on the torpedo tutorial, fired as fire control fires them and run by the
// world: the seeker arms where the tube's enable setting puts it, and an exercise torpedo that
// turns away from its target keeps within its top speed while it circles.
#include "fire_mission.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_database.h"
#include "stations/firectrl/torpedo_tube.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

constexpr std::uint64_t kPassMs = 100;

class TubeShotMission : public FireMission {
protected:
    static TorpedoTube& loaded(std::size_t slot, std::int32_t weaponType) {
        auto& tube = static_cast<TorpedoTube&>(*launcherTables()->tubes[slot]);
        tube.setWeaponType(weaponType);
        tube.target = -1; // on its gyro course
        return tube;
    }
    static GuidanceController& guidanceOf(const Entity& weapon) {
        return static_cast<GuidanceController&>(*weapon.controller);
    }
    // The entity of the mission built from a record of the data set.
    static const Entity* unitOf(std::string_view key) {
        for (auto* node = worldList().head(); node; node = node->next) {
            const ObjectRecord* record = objdbFindById(node->item->recordId);
            if (record && record->keyName.view() == key)
                return node->item;
        }
        return nullptr;
    }
    // The weapon's run from its launch point (metres) when its seeker arms: the world runs until
    // then; -1 when the weapon is gone or a game minute passes first.
    double runWhenArmed(std::int32_t weaponId) {
        for (double waited = 0.0; waited < 60.0; waited += kPassMs / 1000.0) {
            run(kPassMs, kPassMs);
            const Entity* weapon = worldFindEntity(weaponId);
            if (!weapon)
                return -1.0;
            const GuidanceController& guidance = guidanceOf(*weapon);
            if (guidance.enableRange == 0.0)
                return geoRange(weapon->motion->x - guidance.launchX, weapon->motion->y - guidance.launchY);
        }
        return -1.0;
    }
    // Metres a weapon runs at its top speed in a second and a pass: its seeker is armed by the
    // guidance of the per-second pass, which comes up to that much after the enable point.
    static double armingSlack(const Entity& weapon) {
        return weapon.motion->maxSpeed * kSpeedUnitMetresPerSecond * (1.0 + kPassMs / 1000.0);
    }
};

TEST_F(TubeShotMission, TheSeekerArmsWhereTheTubesEnableSettingPutsIt) {
    startMissionAtDepth("Ta3.scn", -9.0, 5.0); // shallow and slow enough for a missile to leave

    TorpedoTube& torpedoTube = loaded(2, kWeaponAdcap);
    torpedoTube.gyroCourse = 10;
    torpedoTube.adcapEnableRange = 1000; // yards
    torpedoTube.fire();
    const Entity* torpedo = torpedoTube.launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const double torpedoSlack = armingSlack(*torpedo);
    const double torpedoRun = runWhenArmed(torpedo->id);
    EXPECT_GE(torpedoRun, 1000 * kYardsToMetres);
    EXPECT_LE(torpedoRun, 1000 * kYardsToMetres + torpedoSlack);

    TorpedoTube& missileTube = loaded(0, kWeaponHarpoon);
    missileTube.gyroCourse = 10;
    missileTube.harpoonRange1 = 10;
    missileTube.harpoonRange2 = 2; // units of 2000 yards
    missileTube.fire();
    const Entity* missile = missileTube.launchedHarpoon();
    ASSERT_NE(missile, nullptr) << "the missile left its tube";
    const double missileSlack = armingSlack(*missile);
    const double missileRun = runWhenArmed(missile->id);
    EXPECT_GE(missileRun, 4000 * kYardsToMetres);
    EXPECT_LE(missileRun, 4000 * kYardsToMetres + missileSlack);
}

TEST_F(TubeShotMission, AnExerciseTorpedoCirclingItsTargetAfterTurningAwayKeepsWithinItsTopSpeed) {
    startMission("Ta3.scn");
    const Entity* cargo = unitOf("Merchant");
    ASSERT_NE(cargo, nullptr);
    TorpedoTube& tube = loaded(2, kWeaponAdcap);
    tube.gyroCourse = static_cast<std::int32_t>(std::lround(entityBearing(ownBoat(), *cargo))) % 360;
    tube.fire();
    const Entity* torpedo = tube.launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const std::int32_t id = torpedo->id;
    const ObjectRecord* record = objdbFindById(torpedo->recordId);
    ASSERT_NE(record, nullptr);
    const double topSpeed = record->maxSpeed;

    // It runs to the cargo, turns away, circles it for its last 30 s and sinks.
    double fastest = 0.0;
    for (double t = 0.0; t < 1800.0 && worldFindEntity(id) && !worldFindEntity(id)->motion->sinking;
         t += kPassMs / 1000.0) {
        run(kPassMs, kPassMs);
        if (const Entity* running = worldFindEntity(id))
            fastest = std::max(fastest, running->motion->speed);
    }
    EXPECT_EQ(timesSaid("SSturn.wav"), 1) << "the torpedo turned away from its target";
    EXPECT_LE(fastest, topSpeed);
    EXPECT_GT(fastest, 0.9 * topSpeed) << "it ran at speed";
}

} // namespace
} // namespace q71::test
