#include "sim/entities/controllers/surface_ship_controller_tactics.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kShoalProbeRange = 1000.0; // yards ahead on the ordered course
constexpr double kShoalWater = -12.0;       // metres: shallower than this, turn
constexpr double kClearWater = -9.0;        // metres: deeper than this, probe no more
constexpr int kLastShoalProbe = 8;
constexpr double kSonarSpeedFactor = 7.5;   // quietest useful speed per unit of sonar figure
constexpr double kSonarContactRange = 3000.0; // yards per unit of sonar figure
constexpr double kUnknownBottomRunDepth = -100.0;
constexpr double kDeepestRunDepth = -1000.0;

} // namespace

bool storeLoaded(const Entity& owner, WeaponStore store) {
    return owner.weaponCount[store] > 0;
}

bool storeIs(const Entity& owner, WeaponStore store, EntityCategory category) {
    // A store that names no weapon holds no category at all.
    return owner.weapon[store].recordId != 0 && owner.weapon[store].category == category;
}

bool storeHolds(const Entity& owner, WeaponStore store, EntityCategory category) {
    return storeIs(owner, store, category) && storeLoaded(owner, store);
}

double storeRange(const Entity& owner, WeaponStore store) {
    return owner.weapon[store].value;
}


TorpedoEntity* makeStoreTorpedo(Entity& owner, WeaponStore store) {
    --owner.weaponCount[store];
    return new TorpedoEntity(owner.side, owner.weapon[store].recordId, owner.level, owner.id);
}

Torpedo2Entity* makeStoreMissile(Entity& owner, WeaponStore store) {
    return new Torpedo2Entity(owner.side, owner.weapon[store].recordId, owner.level, owner.id);
}

TorpedoTubeLaunch torpedoLaunch(const Entity& owner, int tube, double course, int searchPattern,
                                double enableDistance, double presetSpeed) {
    TorpedoTubeLaunch launch;
    launch.tube = tube;
    launch.course = course;
    launch.searchPattern = searchPattern;
    launch.enableDistance = enableDistance;
    launch.presetSpeed = presetSpeed;
    launch.searchSpeed = 50.0;
    launch.searchDepth = torpedoRunDepth(owner);
    launch.ceiling = 0.0;
    launch.floor = -3000.0;
    launch.seekerPreset = 0; // active
    return launch;
}

MissileTubeLaunch missileLaunch(int tube, double course, double targetRange, std::int32_t targetKind,
                                double runDistance, double enableDistance) {
    MissileTubeLaunch launch;
    launch.tube = tube;
    launch.course = course;
    launch.targetRange = targetRange;
    launch.vertical = 0;
    launch.designatedKind = targetKind;
    launch.runDistance = runDistance;
    launch.enableDistance = enableDistance;
    launch.flag = 1;
    return launch;
}

void setActiveSonar(Entity& owner, std::int16_t setting) {
    if (Sensor* sonar = owner.findSensorByType(kSensorActive))
        sonar->transmitInterval = setting;
    else if (owner.activeSonar != 0.0)
        owner.addSensor(new SimpleActiveSonar(owner, owner.sensorRange, setting));
}

void toggleActiveSonar(Entity& owner) {
    const Sensor* sonar = owner.findSensorByType(kSensorActive);
    setActiveSonar(owner, sonar && sonar->transmitInterval != kActiveSonarOff ? kActiveSonarOff
                                                                               : kActiveSonarSearch);
}

void avoidShoals(Entity& owner) {
    MotionModel& motion = *owner.motion;
    const double ordered = motion.orderedCourse;
    double course = ordered;
    int probe = 2 + static_cast<int>(randomScaled(1.999));
    double depth = 0.0;
    bool known = false;
    do {
        double x = 0.0, y = 0.0;
        geoProject(motion.x, motion.y, course, kShoalProbeRange, x, y);
        known = worldDepthAt(x, y, &depth, false);
        if (known && depth > kShoalWater) {
            // Odd probes swing to one side of the ordered course, even ones back past it.
            course = probe % 2 != 0 ? angleAdd(ordered, 45.0 * (probe / 2))
                                    : angleAdd(course, 45.0 * (kLastShoalProbe - probe / 2));
        }
        ++probe;
    } while (probe < kLastShoalProbe && known && depth > kClearWater);
    if (course != ordered)
        motion.setOrderedCourse(course);
}

void capSpeedForSonar(Entity& owner) {
    const double figure = owner.sensorRange;
    MotionModel& motion = *owner.motion;
    if (figure != 0.0 && kSonarSpeedFactor * figure < motion.orderedSpeed)
        motion.setOrderedSpeed(kSonarSpeedFactor * figure);
}

void capSpeedNearSonarContact(Entity& owner, const ContactRecord& target) {
    const double figure = owner.sensorRange;
    if (figure != 0.0 && heldBySonar(target) && target.range < kSonarContactRange * figure)
        capSpeedForSonar(owner);
}

std::int32_t advancePatrol(EntityController& controller) {
    const std::int32_t reached = controller.advanceWaypoint();
    if (reached == kStateRandomArea && controller.activeParams) {
        const PlanParameters& area = *controller.activeParams;
        const double rx = randomScaled(area.areaWidth());
        const double ry = randomScaled(area.areaHeight());
        controller.queueOrderAtOffset(kStateRandomArea, 0, {area.areaX(), area.areaY(), 0.0}, 0.0,
                                      area.areaOrientation() + geoBearing(rx, ry), geoRange(rx, ry));
    }
    return reached;
}

void steerCourseToOrder(EntityController& controller) {
    MotionModel& motion = *controller.owner().motion;
    if (const ControllerOrder* order = controller.currentOrder())
        motion.setOrderedCourse(fixBearing(motion, *order));
}

void turnBearingOff(MotionModel& motion, double reference, double bearing, double turn, double spread) {
    const double off = angleDiff(reference, bearing);
    const bool toPort = off > -100.0 && off < 0.0;
    if (!toPort && !(off > 0.0 && off < 100.0))
        return;
    const double away = turn + (spread > 0.0 ? randomScaled(spread) : 0.0);
    motion.setOrderedCourse(angleAdd(reference, toPort ? off + away : off - away));
}

void putOffBow(MotionModel& motion, double bearing) {
    turnBearingOff(motion, motion.heading, bearing, 100.0);
}

double courseAwayFrom(double bearing) {
    return angleAdd(bearing, 100.0 + randomScaled(160.0));
}

bool bottomHeightAt(double x, double y, double& height) {
    return worldDepthAt(x, y, &height, false);
}

double torpedoRunDepth(const Entity& owner) {
    double bottom = 0.0;
    if (!bottomHeightAt(owner.motion->x, owner.motion->y, bottom))
        return kUnknownBottomRunDepth;
    return std::max(bottom * 0.5, kDeepestRunDepth);
}

const ContactFix* latestFix(const ContactRecord& contact) {
    const FixList& fixes = contact.fixes[0];
    return fixes.empty() ? nullptr : &fixes.newest();
}

bool heldBySonar(const ContactRecord& contact) {
    const ContactFix* fix = latestFix(contact);
    return fix && fix->sensorType < kSensorIntercept;
}

double sideOfCourse(const ContactRecord& contact) {
    return angleDiff(contact.course, angleAdd(contact.bearing, 180.0)) > 0.0 ? 1.0 : -1.0;
}

bool contactIs(const ContactRecord& contact, EntityCategory category) {
    const Entity* entity = worldFindEntity(contact.entityId);
    return entity && entity->category == category;
}

bool isPlatformContact(const ContactRecord& contact) {
    const Entity* entity = worldFindEntity(contact.entityId);
    return entity && entity->category != kCategoryTorp && entity->category != kCategoryMissile &&
           entity->category != kCategoryCm;
}

} // namespace q71
