// The guidance controller's set-up, its rating of contacts, the seeker and wire orders of fire
// control, and its part of a saved mission.
#include "sim/entities/controllers/weapon_guidance.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/entities/sensors/simple_sonar_sensor.h"
#include "sim/scoring/byte_layout.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"

#include <cmath>

namespace q71 {
namespace {

constexpr std::int16_t kSeekerPingInterval = 5; // seconds between the pings of an armed active seeker
constexpr std::uint8_t kSeekerThreshold = 50;

// The guidance's fields in the controller's saved block, after the base's 24 bytes.
template <class Layout, class Guidance> void guidanceFields(const Layout& layout, Guidance& g) {
    layout.f64(24, g.lastWarningTime);
    layout.f64(32, g.launchX);
    layout.f64(40, g.launchY);
    layout.f64(48, g.runEndTime);
    layout.f64(56, g.enableRange);
    layout.f64(64, g.presetCourse);
    layout.f64(72, g.presetSpeed);
    layout.i32(80, g.searchPattern);
    layout.i32(84, g.designatedKind);
    layout.i32(88, g.seekerMode);
    layout.f64(96, g.searchSpeed);
    layout.f64(104, g.searchDepth);
    layout.f64(112, g.ceiling);
    layout.f64(120, g.floor);
    layout.i32(128, g.wireConnected);
}

// The saved fields alone, to check a loaded block before the controller takes it.
struct SavedFields {
    double lastWarningTime, launchX, launchY, runEndTime, enableRange, presetCourse, presetSpeed;
    std::int32_t searchPattern, designatedKind, seekerMode;
    double searchSpeed, searchDepth, ceiling, floor;
    std::int32_t wireConnected;
};

} // namespace

WorldPoint previousStepPoint(const MotionModel& motion) {
    if (motion.history.count() == 0)
        return worldPoint(motion);
    return {motion.smoothedState[kSampleX], motion.smoothedState[kSampleY], motion.smoothedState[kSampleZ]};
}

GuidanceController::GuidanceController(Entity& owner) : EntityController(owner) {
    // A weapon carries no weapons of its own: it keeps its level rather than counting as unarmed.
    level = owner.level;
}

bool GuidanceController::isMissile() const {
    return owner().category == kCategoryMissile;
}

void GuidanceController::postEncounterEvent(ContactRecord& contact, int /*relayFlag*/) {
    const Entity& weapon = owner();
    if (weapon.category == kCategoryRock) {
        // A rock on the sea floor releases a torpedo: it hunts the hulls of other sides, never
        // aircraft or the blasts it hears.
        const bool hull = contact.kind == kKindSurface || contact.kind == kKindSubsurface;
        if (hull && contact.side != weapon.side)
            target = &contact;
        else
            contact.reaction = kReactionNone;
        return;
    }
    if (!rateContact(contact)) {
        contact.reaction = kReactionNone;
        return;
    }
    contact.reaction = kReactionAttack;
    const Entity* entity = worldFindEntity(contact.entityId);
    if (!target || entityRangeYards(weapon, *entity) < target->range)
        target = &contact;
}

// Whether a contact may be the weapon's target; a decoy fools it by chance, less at higher levels.
bool GuidanceController::rateContact(const ContactRecord& contact) {
    const Entity& weapon = owner();
    if (contact.kind == kKindWeapon)
        return false;
    if (isMissile() && worldOwnShipId() != weapon.parentId && !worldSidesHostile(contact.side, weapon.side))
        return false;
    const Entity* entity = worldFindEntity(contact.entityId);
    if (!entity || entity->category == kCategoryFloat)
        return false;
    const bool sameLauncher = weapon.parentId != 0 && entity->parentId == weapon.parentId;
    if (sameLauncher || entity->parentId == weapon.id)
        return false;
    if (isMissile() && contact.kind != designatedKind)
        return false;
    if (entity->category == kCategoryCm)
        return 7.0 - level > randomScaled(10.0);
    return true;
}

bool GuidanceController::steersEverySubStep() const {
    return target != nullptr && (enableRange == 0.0 || target->reaction == 1);
}

int GuidanceController::hasSeeker() {
    return owner().sensors.empty() ? 0 : 1;
}

void GuidanceController::configureSeeker(std::int32_t on) {
    Entity& weapon = owner();
    if (on == 0) {
        for (auto* node = weapon.sensors.head(); node; node = node->next)
            node->item->deleteFlag = 1;
        enableRange = kDisarmedEnableRange;
        return;
    }
    switch (seekerMode) {
    case kSensorActive:
        if (Sensor* sonar = weapon.findSensorByType(kSensorActive)) {
            sonar->transmitInterval = kSeekerPingInterval;
        } else {
            auto* active = new SimpleActiveSonar(weapon, weapon.sensorRange, kSeekerPingInterval);
            active->threshold = kSeekerThreshold;
            weapon.addSensor(active);
        }
        break;
    case kSensorPassive: {
        auto* passive = new SimpleSonarSensor(weapon, weapon.sensorRange);
        passive->threshold = kSeekerThreshold;
        weapon.addSensor(passive);
        break;
    }
    case kSensorRadar:
        weapon.addSensor(new RadarSensor(weapon, weapon.sensorRange));
        break;
    default:
        break; // a weapon without a seeker runs its search pattern blind
    }
    enableRange = 0.0;
}

void GuidanceController::stepGuidance(double step) {
    if (!isWireConnected())
        return;
    presetCourse = std::fmod(presetCourse + step, 360.0);
    if (presetCourse < 0.0)
        presetCourse += 360.0;
}

void GuidanceController::saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    guidanceFields(LayoutWriter(block), *this);
}

bool GuidanceController::loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    SavedFields loaded{};
    guidanceFields(LayoutReader(block), loaded);
    for (double value : {loaded.lastWarningTime, loaded.launchX, loaded.launchY, loaded.runEndTime,
                         loaded.enableRange, loaded.presetCourse, loaded.presetSpeed, loaded.searchSpeed,
                         loaded.searchDepth, loaded.ceiling, loaded.floor})
        if (!std::isfinite(value))
            return false;
    if (loaded.wireConnected != 0 && loaded.wireConnected != 1)
        return false;
    guidanceFields(LayoutReader(block), *this);
    return true;
}

} // namespace q71
