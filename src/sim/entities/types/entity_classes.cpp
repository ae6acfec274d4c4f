#include "sim/entities/types/entity_classes.h"

#include "sim/entities/controllers/aircraft_controller.h"
#include "sim/entities/controllers/countermeasure_controller.h"
#include "sim/entities/controllers/mine_controller.h"
#include "sim/entities/controllers/submarine_controller.h"
#include "sim/entities/controllers/surface_ship_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/entity_factory.h"
#include "sim/entities/types/launch_geometry.h"
#include "sim/entities/types/missile_entity.h"
#include "sim/entities/types/mobile_mine_entity.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/entities/weapon_launches.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

namespace {

// A weapon of a type leaving one of its launcher's tubes on the launch's presets.
template <class Weapon, class Launch>
Entity* launchFromTube(Entity& launcher, std::string_view typeName, const Launch& launch) {
    if (!launcher.motion)
        return nullptr;
    auto* weapon = new Weapon(launcher.side, typeName, launcher.level, launcher.id);
    weapon->launchFromTube(launcher, launch);
    return weapon;
}

// Each launch needs its launcher's place: a launcher without a motion launches nothing.
class WeaponClassLaunches final : public WeaponLaunches {
public:
    Entity* launchTorpedo(Entity& launcher, std::string_view typeName,
                          const TorpedoTubeLaunch& launch) override {
        return launchFromTube<TorpedoEntity>(launcher, typeName, launch);
    }

    Entity* launchTubeMissile(Entity& launcher, std::string_view typeName,
                              const MissileTubeLaunch& launch) override {
        return launchFromTube<Torpedo2Entity>(launcher, typeName, launch);
    }

    Entity* launchMobileMine(Entity& launcher, std::string_view typeName,
                             const MobileMineLaunch& launch) override {
        if (!launcher.motion)
            return nullptr;
        auto* mine = new MobileMineEntity(launcher.side, typeName, launcher.level, launcher.id, launch);
        worldAddEntity(mine);
        return mine;
    }

    Entity* launchCapsule(Entity& launcher, std::string_view typeName, int launcherNumber,
                          double runDistance) override {
        if (!launcher.motion)
            return nullptr;
        auto* capsule = new MissileCapsuleEntity(launcher.side, typeName, launcher.level, launcher.id);
        capsule->launchFromLauncher(launcher, launcherNumber, runDistance);
        return capsule;
    }

    Entity* launchLostMissile(Entity& launcher, std::string_view typeName,
                              const LostMissileLaunch& lost) override {
        if (!launcher.motion)
            return nullptr;
        auto* missile = new MissileEntity(launcher.side, typeName, launcher.level);
        missile->parentId = launcher.id;
        LaunchExit exit{worldPoint(launcher), lost.heading};
        if (lost.tube >= 1)
            exit.position = launchExit(*launcher.motion, lost.tube).position;
        startAtExit(*missile->motion, exit, lost.speed, lost.speed);
        missile->motion->pitch = lost.pitch;
        fallAway(*missile, lost.verticalSpeed, lost.orderedPitch, lost.response);
        worldAddEntity(missile);
        return missile;
    }

    Entity* releaseTorpedo(Entity& carrier, const TorpedoRelease& release) override {
        if (!carrier.motion)
            return nullptr;
        auto* torpedo = new Torpedo2Entity(carrier.side, release.recordId, carrier.level, carrier.id);
        MissileTubeLaunch launch;
        launch.course = release.course;
        launch.vertical = 0;
        launch.designatedKind = release.designatedKind;
        launch.runDistance = release.runDistance;
        launch.enableDistance = release.enableDistance;
        torpedo->launchAt(carrier, {release.position, release.course}, launch);
        return torpedo;
    }
};

WeaponClassLaunches& launches() {
    static WeaponClassLaunches classLaunches;
    return classLaunches;
}

Entity* makeUnit(EntityType type, std::int32_t side, std::string_view typeName, std::int32_t level,
                 std::int32_t id) {
    return entityCreatePlaced(type, side, typeName, level, id).release();
}

Entity* makeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id) {
    return new OwnShipEntity(side, level, id);
}

} // namespace

void entityClassesInstall() {
    simSetEntityMaker(makeUnit);
    simSetOwnShipMaker(makeOwnShip);
    weaponLaunchesInstall(&launches());
}

void entityClassesUninstall() {
    simSetEntityMaker(nullptr);
    simSetOwnShipMaker(nullptr);
    weaponLaunchesInstall(nullptr);
}

void entityControllersInstall() {
    surfaceShipControllerInstall();
    submarineControllerInstall();
    airPlatformControllerInstall();
    mineControllersInstall();
    countermeasureControllerInstall();
}

void entityControllersUninstall() {
    for (ControllerClass c : {ControllerClass::surfaceShip, ControllerClass::submarine, ControllerClass::airPlatform,
                              ControllerClass::mine, ControllerClass::mine2, ControllerClass::mobileMine,
                              ControllerClass::countermeasure})
        entitySetControllerMaker(c, nullptr);
}

} // namespace q71
