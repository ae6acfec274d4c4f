// The guided weapon classes and their launches.
#include "sim/entities/types/torpedo_entities.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/torpedo_motion.h"
#include "sim/entities/types/empty_plan.h"
#include "sim/entities/types/launch_event.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_alert.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr std::int32_t kStateWeaponRun = 12;
constexpr double kDataMile = 1828.8;      // metres: the unit of the missiles' run and enable distances
constexpr double kShallowestRun = -3.048; // m: a torpedo runs at least 10 ft down
constexpr double kAlertRange = 36576.0;   // m: a missile's launch alerts its launcher's enemies
constexpr double kMissileCeiling = 609.6; // m
constexpr std::uint32_t kCruiseMissileRecord = 56; // "Tomahawk": its flight plan comes with it

// Seconds a weapon takes to run a distance (metres) at a speed (units); a weapon that would not
// move takes none, rather than for ever.
double runTime(double metres, double speed) {
    return speed > 0.0 ? metres / (speed * kSpeedUnitMetresPerSecond) : 0.0;
}

std::int32_t seekerModeOfPreset(int preset, std::int32_t unchanged) {
    switch (preset) {
    case 0:
        return 4; // active sonar
    case 1:
        return 2; // passive sonar
    case 2:
        return 14; // none: it searches by its pattern alone
    default:
        return unchanged;
    }
}

} // namespace

TorpedoEntity::TorpedoEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                             std::int32_t parentId)
    : TorpedoEntity(side, typeName, level, parentId, kEntityTorpedo) {}

TorpedoEntity::TorpedoEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level,
                             std::int32_t parentId)
    : TorpedoEntity(side, recordId, level, parentId, kEntityTorpedo) {}

TorpedoEntity::TorpedoEntity(const EntityBaseValues& values) : TorpedoEntity(values, kEntityTorpedo) {}

TorpedoEntity::TorpedoEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                             std::int32_t parentIdArg, EntityType type)
    : Entity(side, typeName, level, kKindWeapon, -1) {
    parentId = parentIdArg;
    buildParts(type);
}

TorpedoEntity::TorpedoEntity(std::int32_t side, std::uint32_t recordIdArg, std::int32_t level,
                             std::int32_t parentIdArg, EntityType type)
    : Entity(side, recordIdArg, level, kKindWeapon, -1) {
    parentId = parentIdArg;
    buildParts(type);
}

TorpedoEntity::TorpedoEntity(const EntityBaseValues& v, EntityType type)
    : Entity(v.side, v.recordId, v.level, v.kind, v.id) {
    parentId = v.parentId;
    buildParts(type);
}

void TorpedoEntity::buildParts(EntityType type) {
    typeCode = type;
    motion = std::make_unique<TorpedoMotion>(*this);
    controller = std::make_unique<GuidanceController>(*this);
    writeLaunchEvent(parentId, recordId);
}

GuidanceController* TorpedoEntity::guidance() const {
    return static_cast<GuidanceController*>(controller.get()); // the weapons' only controller
}

bool TorpedoEntity::leaveLauncher(const Entity& launcher, const LaunchExit& exit, double speed,
                                  bool mayFail) {
    startAtExit(*motion, exit, launchWay(*launcher.motion), speed);
    if (GuidanceController* g = guidance()) {
        g->state = kStateWeaponRun;
        g->launchX = exit.position.x;
        g->launchY = exit.position.y;
    }
    if (mayFail && launchFails(launcher)) {
        failLaunch(*this, launcher);
        worldAddEntity(this);
        return false;
    }
    return true;
}

void TorpedoEntity::enterFlight(const Entity& launcher) {
    worldAddEntity(this);
    kind = kKindAir;
    worldAlertNearestHostiles(launcher.id, kAlertRange);
}

void TorpedoEntity::launchFromTube(const Entity& launcher, const TorpedoTubeLaunch& launch) {
    launchAt(launcher, launchExit(*launcher.motion, launch.tube), launch);
}

void TorpedoEntity::launchAt(const Entity& launcher, const LaunchExit& exit, const TorpedoTubeLaunch& p) {
    if (!leaveLauncher(launcher, exit, launchWay(*launcher.motion), true))
        return;
    MotionModel& m = *motion;
    m.setOrderedCourse(exit.heading);
    m.setOrderedSpeed(p.presetSpeed);
    m.setOrderedDepth(std::min(exit.position.z, kShallowestRun));
    GuidanceController& g = *guidance();
    // The run: its search leg at the search speed, the slower the longer. Without a search speed
    // the torpedo runs as long as it would at its top speed.
    const double runSpeed = p.searchSpeed > 0.0 ? p.searchSpeed : m.maxSpeed;
    g.runEndTime = simClock().gameClock + runTime((29.5 + 0.25 * (35.0 - runSpeed)) * kDataMile, runSpeed);
    g.enableRange = std::max(1.0, p.enableDistance * kYardsToMetres);
    g.presetCourse = p.course;
    g.presetSpeed = p.presetSpeed;
    g.searchPattern = p.searchPattern;
    g.searchSpeed = p.searchSpeed;
    g.searchDepth = p.searchDepth * kFeetToMetres;
    g.seekerMode = seekerModeOfPreset(p.seekerPreset, g.seekerMode);
    g.ceiling = std::min(p.ceiling, -5.0) * kFeetToMetres;
    g.floor = p.floor * kFeetToMetres;
    worldAddEntity(this);
}

Torpedo2Entity::Torpedo2Entity(std::int32_t side, std::string_view typeName, std::int32_t level,
                               std::int32_t parentId)
    : TorpedoEntity(side, typeName, level, parentId, kEntityTorpedo2) {}

Torpedo2Entity::Torpedo2Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level,
                               std::int32_t parentId)
    : TorpedoEntity(side, recordId, level, parentId, kEntityTorpedo2) {}

Torpedo2Entity::Torpedo2Entity(const EntityBaseValues& values) : TorpedoEntity(values, kEntityTorpedo2) {}

void Torpedo2Entity::launchFromTube(const Entity& launcher, const MissileTubeLaunch& launch) {
    launchAt(launcher, launchExit(*launcher.motion, launch.tube), launch);
}

void Torpedo2Entity::launchAt(const Entity& launcher, const LaunchExit& exit, const MissileTubeLaunch& p) {
    if (!leaveLauncher(launcher, exit, launchWay(*launcher.motion), true))
        return;
    MotionModel& m = *motion;
    m.setOrderedDepth(exit.position.z);
    m.setOrderedCourse(p.course);
    m.turnCoefficient = 5.0;
    m.responseGain = m.responseLoad = 0.75;
    m.maxRudderAngle = 80.0;
    m.orderedPitch = 0.0;
    m.setOrderedSpeed(m.maxSpeed);
    m.maxPitchAngle = p.vertical ? 90.0 : 45.0;
    m.pitch = p.vertical ? 90.0 : 0.0;
    GuidanceController& g = *guidance();
    g.runEndTime = simClock().gameClock + runTime(p.runDistance * kDataMile, m.maxSpeed);
    g.enableRange = std::max(100.0, p.enableDistance * kDataMile);
    g.presetCourse = p.course;
    g.presetSpeed = g.searchSpeed = m.maxSpeed;
    g.searchPattern = 2;
    g.searchDepth = 10.0;
    g.seekerMode = 7; // radar
    g.designatedKind = p.designatedKind;
    g.ceiling = kMissileCeiling;
    g.floor = 10.0;
    enterFlight(launcher);
    g.wireConnected = simWeapons().fireGuidanceSwitch() ? 1 : 0;
}

MissileCapsuleEntity::MissileCapsuleEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                                           std::int32_t parentId)
    : TorpedoEntity(side, typeName, level, parentId, kEntityMissileCapsule) {}

MissileCapsuleEntity::MissileCapsuleEntity(const EntityBaseValues& values)
    : TorpedoEntity(values, kEntityMissileCapsule) {}

void MissileCapsuleEntity::launchFromLauncher(const Entity& launcher, int n, double runDistance) {
    const LaunchExit exit = launchExit(*launcher.motion, n);
    const bool fromCell = isLaunchCell(n);
    // A cell's missile leaves by its own booster: only a tube's can fail for want of air.
    if (!leaveLauncher(launcher, exit, launcher.motion->speed, !fromCell))
        return;
    MotionModel& m = *motion;
    m.turnCoefficient = 8.0;
    m.setOrderedDepth(152.4);
    m.setOrderedCourse(exit.heading);
    m.responseGain = m.responseLoad = 0.75;
    m.maxPitchAngle = fromCell ? 90.0 : 45.0;
    m.pitch = fromCell ? 90.0 : 0.0;
    m.setOrderedSpeed(m.maxSpeed);
    m.maxRudderAngle = 80.0;
    GuidanceController& g = *guidance();
    g.runEndTime = simClock().gameClock + runTime(runDistance * kDataMile, m.maxSpeed);
    g.enableRange = 1.0;
    g.presetCourse = exit.heading;
    g.presetSpeed = g.searchSpeed = m.maxSpeed;
    g.searchPattern = 2;
    g.searchDepth = 152.4;
    g.seekerMode = 7;
    g.ceiling = kMissileCeiling;
    g.floor = 152.4;
    controllerStartEmptyPlan(g);
    enterFlight(launcher);
}

bool MissileCapsuleEntity::load(ByteSource& source) {
    if (!Entity::load(source))
        return false;
    if (recordId == kCruiseMissileRecord && controller)
        controller->activatePlanUnderCursor();
    return true;
}

} // namespace q71
