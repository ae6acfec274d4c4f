#pragma once
// The launchers in the test world: fire control installed as the weapon stations, an own boat,
// contacts of the own boat by designation number, and the launches recorded, each putting a
// weapon with its guidance into the world as the weapon classes would.

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/support/weapon_world.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71::test {

class RecordedLaunches final : public NoWeaponLaunches {
public:
    struct Launch {
        std::string what; ///< the launch and the type launched, "torpedo Adcap"
        std::int32_t launcherId = 0;
    };

    Entity* launchTorpedo(Entity& launcher, std::string_view typeName,
                          const TorpedoTubeLaunch& launch) override {
        torpedoes.push_back(launch);
        return made("torpedo", launcher, typeName, kKindWeapon);
    }
    Entity* launchTubeMissile(Entity& launcher, std::string_view typeName,
                              const MissileTubeLaunch& launch) override {
        missiles.push_back(launch);
        return made("tube missile", launcher, typeName, kKindWeapon);
    }
    Entity* launchMobileMine(Entity& launcher, std::string_view typeName,
                             const MobileMineLaunch& launch) override {
        mines.push_back(launch);
        return made("mine", launcher, typeName, kKindWeapon);
    }
    Entity* launchCapsule(Entity& launcher, std::string_view typeName, int number,
                          double runDistance) override {
        capsules.push_back({number, runDistance});
        return made("capsule", launcher, typeName, kKindAir);
    }
    Entity* launchLostMissile(Entity& launcher, std::string_view typeName,
                              const LostMissileLaunch& launch) override {
        lost.push_back(launch);
        return made("lost", launcher, typeName, kKindMissile);
    }

    std::vector<Launch> launches;
    std::vector<TorpedoTubeLaunch> torpedoes;
    std::vector<MissileTubeLaunch> missiles;
    std::vector<MobileMineLaunch> mines;
    std::vector<std::pair<int, double>> capsules;
    std::vector<LostMissileLaunch> lost;

private:
    Entity* made(const char* launch, Entity& launcher, std::string_view typeName, std::int32_t kind) {
        launches.push_back({std::string(launch) + " " + std::string(typeName), launcher.id});
        auto* weapon = new Entity(launcher.side, typeName, launcher.level, kind, -1);
        weapon->parentId = launcher.id;
        weapon->motion = std::make_unique<MotionModel>(*weapon);
        weapon->controller = std::make_unique<GuidanceController>(*weapon);
        worldAddEntity(weapon);
        return weapon;
    }
};

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() {
        simInstallServices({.audio = &world.audio,
                            .host = &world.host,
                            .weapons = &fireControlStations(),
                            .frontEnd = &world.frontEnd});
        weaponLaunchesInstall(&launches);
        FireControlStations& fireControl = fireControlStations();
        fireControl.setFireGuidanceSwitch(true);
        fireControl.setChart(nullptr);
        fireControl.restoreStationStates({});
    }
    ~LauncherTest() override { simInstallServices({}); }

    /// The own boat at the origin, heading north, at a depth and speed.
    Entity* ownBoat(double z = -50.0, double speed = 0.0) {
        Entity* own = world.spawnOwnBoat({0, 0, z});
        own->motion->speed = speed;
        return own;
    }

    /// A contact of the own boat, shown with a sonar number, at a bearing and range (yards).
    static ContactRecord& contact(Entity& own, std::uint8_t number, double bearing, double range) {
        auto* record = new ContactRecord;
        record->designation.letter = 'S';
        record->designation.numbers[2] = number;
        record->bearing = bearing;
        record->range = range;
        own.contacts.appendItem(record);
        return *record;
    }

    /// Crew assistance for fire control: automatic (level 5), or by rank (level 0 without a record).
    void assist(bool automatic) { world.frontEnd.options[automatic ? 6 : 21] = 1; }

    WeaponWorld world;
    RecordedLaunches launches;
};

} // namespace q71::test
