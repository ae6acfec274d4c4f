#include "stations/firectrl/torpedo_tube.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/weapon_launches.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/launch_envelope.h"

#include <cmath>

namespace q71 {
namespace {

constexpr double kWireStep = 5.0; // degrees a wire order turns the torpedo
constexpr double kSlmmSpeed = 20.0;
constexpr double kLeadFactor = 0.028121484814398197; // of the ADCAP's lead over the target's way
constexpr double kOutwardTurn = 8.0;                 // degrees a weapon leaves its tube turned outward

Entity* findById(std::int32_t id) {
    return id == -1 ? nullptr : worldFindEntity(id);
}

bool isOdd(int number) {
    return number % 2 != 0;
}

} // namespace

TorpedoTube::TorpedoTube(int number) : Launcher(number, 'T') {
    setDefaults();
}

void TorpedoTube::setDefaults() {
    storeWeaponType(kWeaponEmpty);
    adcapCeiling = 200;
    adcapDepth2 = 0;
    adcapFloor = 3000;
    adcapFlag = 0;
    adcapEnableRange = 1000;
    adcapSpeed = 55;
    harpoonRange1 = 50;
    harpoonRange2 = 0;
    harpoonFlag = 0;
    slmmDepth = 100;
    tomahawkRange = 485;
}

void TorpedoTube::fire() {
    switch (weaponType()) {
    case kWeaponAdcap:
        launchAdcap();
        break;
    case kWeaponSlmm:
        launchSlmm();
        break;
    case kWeaponHarpoon:
        launchHarpoon();
        break;
    case kWeaponTomahawk:
        launchTomahawk();
        break;
    default:
        break;
    }
    launched = 1;
}

void TorpedoTube::launchAdcap() {
    Entity* ownShip = worldOwnShip();
    if (!ownShip)
        return;
    double course = gyroCourse;
    if (target != -1) {
        const ContactRecord* contact = launcherFindContact(target);
        if (!contact)
            return;
        // Aim ahead of the contact by its estimated way over the torpedo's run.
        const double across = std::sin(angleDiff(contact->bearing, contact->course) * kDegreesToRadians) *
                              contact->range * kLeadFactor * contact->speed * kSpeedUnitMetresPerSecond;
        course = angleAdd(contact->bearing, std::atan2(across, contact->range) * kRadiansToDegrees);
    }
    TorpedoTubeLaunch launch;
    launch.tube = number();
    launch.course = course;
    launch.searchPattern = 0;
    launch.enableDistance = adcapEnableRange;
    launch.presetSpeed = adcapSpeed;
    launch.searchSpeed = adcapSpeed;
    launch.searchDepth = -adcapCeiling;
    launch.ceiling = -adcapDepth2;
    launch.floor = -adcapFloor;
    launch.seekerPreset = adcapFlag;
    if (const Entity* torpedo = weaponLaunches().launchTorpedo(*ownShip, "Adcap", launch))
        launchedTorpedoId = torpedo->id;
}

void TorpedoTube::launchSlmm() {
    Entity* ownShip = worldOwnShip();
    const LaunchWaypoint* last = lastWaypoint();
    if (!ownShip || !last)
        return;
    const WorldPoint from = worldPoint(*ownShip);
    MobileMineLaunch launch;
    launch.tube = number();
    launch.course = geoBearing(last->x - from.x, last->y - from.y);
    launch.speed = kSlmmSpeed;
    launch.range = geoRange(last->x - from.x, last->y - from.y);
    launch.depth = -slmmDepth;
    if (const Entity* mine = weaponLaunches().launchMobileMine(*ownShip, "slmm", launch))
        launchedMineId = mine->id;
    clearWaypoints();
}

void TorpedoTube::launchHarpoon() {
    Entity* ownShip = worldOwnShip();
    if (!ownShip || !ownShip->motion)
        return;
    if (!missileLaunchSucceeds(*ownShip->motion, false)) {
        // It breaks surface from the tube turned outward and falls back.
        LostMissileLaunch lost;
        lost.tube = number();
        lost.heading = std::fmod(
            ownShip->motion->heading + (isOdd(number()) ? kOutwardTurn : 360.0 - kOutwardTurn), 360.0);
        lost.speed = 55.0;
        lost.pitch = -5.0;
        lost.verticalSpeed = -2.54;
        lost.orderedPitch = -60.0 - randomScaled(30.0);
        lost.response = 0.04 * ownShip->level;
        weaponLaunches().launchLostMissile(*ownShip, "Harpoon", lost);
        return;
    }
    MissileTubeLaunch launch;
    launch.tube = number();
    launch.course = gyroCourse;
    launch.targetRange = harpoonRange1;
    if (target != -1) {
        const ContactRecord* contact = launcherFindContact(target);
        if (!contact)
            return;
        launch.course = contact->bearing;
        launch.targetRange = contact->range;
    }
    launch.vertical = 0;
    launch.designatedKind = kKindSurface;
    launch.runDistance = harpoonRange1;
    launch.enableDistance = harpoonRange2;
    launch.flag = harpoonFlag == 0 ? 1 : 0;
    if (const Entity* missile = weaponLaunches().launchTubeMissile(*ownShip, "Harpoon", launch))
        launchedHarpoonId = missile->id;
}

void TorpedoTube::launchTomahawk() {
    const CruiseMissileLaunch launch = launchCruiseMissile(*this, tomahawkRange);
    if (launch.missile && !launch.lost)
        launchedMissileId = launch.missile->id;
}

void TorpedoTube::steerRight() {
    if (Entity* torpedo = launchedEntity())
        torpedo->notifyController2(kWireStep);
}

void TorpedoTube::steerLeft() {
    if (Entity* torpedo = launchedEntity())
        torpedo->notifyController2(-kWireStep);
}

void TorpedoTube::setGuidanceMode(std::int32_t value) {
    if (Entity* torpedo = launchedEntity())
        torpedo->notifyController(value);
}

void TorpedoTube::shutDownWeapon() {
    if (Entity* torpedo = launchedEntity())
        removeLaunchedWeapon(*torpedo);
}

bool TorpedoTube::isGuidable() {
    Entity* torpedo = launchedEntity();
    return torpedo && torpedo->controller && torpedo->controller->isWireConnected() != 0;
}

Entity* TorpedoTube::launchedEntity() {
    return findById(launchedTorpedoId);
}

Entity* TorpedoTube::launchedHarpoon() {
    return findById(launchedHarpoonId);
}

Entity* TorpedoTube::launchedMissile() {
    return findById(launchedMissileId);
}

} // namespace q71
