#include "sim/entities/controllers/vessel_fixture.h"

#include "sim/entities/entity_hooks.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/surface_ship_entity.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/under_way.h"


namespace q71::test {

namespace {

ObjectRecord weaponRecord(std::uint32_t id, const char* name, const char* category, std::int16_t speed,
                          std::int32_t range) {
    ObjectRecord r;
    r.id = id;
    r.keyName.assign(name);
    r.displayName.assign(name);
    r.categoryWord.assign(category);
    r.kind = 5;
    r.length = 15;
    r.beam = r.height = 2;
    r.maxSpeed = speed;
    r.armour = 4;
    r.signatureFactor = 1.0f;
    r.weaponValue = range;
    return r;
}

void arm(ObjectRecord& r, std::size_t store, const char* weapon, std::int16_t count) {
    r.weapons[store].keyName.assign(weapon);
    r.weapons[store].count = count;
}

// Under way, with its smoothed state where it is.
void placeSettled(MotionModel& m, WorldPoint at, double heading, double speed) {
    placeUnderWay(m, at, heading, speed);
    m.history.clear();
    m.snapshotState();
}

} // namespace

VesselWorld::VesselWorld() {
    surfaceShipControllerInstall();
    submarineControllerInstall();
}

VesselWorld::~VesselWorld() {
    entityControllersUninstall();
    entitySetExplosionMaker(nullptr);
}

std::vector<ObjectRecord> VesselWorld::withVesselRecords() {
    std::vector<ObjectRecord> all = harnessRecords();
    ObjectRecord counter = weaponRecord(kRecordCounter, "Counter2", "cm", 0, 0);
    counter.kind = 4;
    counter.sonarFigure = 1.0f;
    ObjectRecord corvette = harnessVariant(kRecordCorvette, "Corvette");
    corvette.weapons[1] = {};
    arm(corvette, 1, "Ashcan", 10);
    ObjectRecord cruiser = harnessVariant(kRecordCruiser, "Cruiser");
    arm(cruiser, 0, "Dart", 8);
    arm(cruiser, 1, "Longfish", 4);
    arm(cruiser, 2, "Dart", 4);
    ObjectRecord raider = all[1];
    raider.id = kRecordRaider;
    raider.keyName.assign("Raider");
    raider.activeSonar = 5;
    arm(raider, 0, "Dart", 6);
    arm(raider, 1, "Longfish", 6);
    ObjectRecord gunboat = harnessVariant(kRecordGunboat, "Gunboat");
    arm(gunboat, 0, "Dud", 3);
    ObjectRecord longfish = all[4];
    longfish.id = kRecordLongfish;
    longfish.keyName.assign("Longfish");
    longfish.weaponValue = 20000;
    for (const ObjectRecord& r : {weaponRecord(kRecordAshcan, "Ashcan", "depth", 0, 1000),
                                  weaponRecord(kRecordDart, "Dart", "missile", 450, 60000), counter, corvette,
                                  cruiser, raider, weaponRecord(kRecordSlowDart, "Dud", "missile", 0, 60000), gunboat,
                                  longfish})
        all.push_back(r);
    return all;
}

SurfaceShipController& VesselWorld::ship(std::int32_t side, const char* type, std::int32_t level, WorldPoint at,
                                         double heading, double speed) {
    auto& entity = harness.add(new SurfaceShipEntity(side, type, level));
    placeSettled(*entity.motion, at, heading, speed);
    return dynamic_cast<SurfaceShipController&>(*entity.controller);
}

SubmarineController& VesselWorld::submarine(std::int32_t side, const char* type, std::int32_t level,
                                            WorldPoint at, double heading, double speed) {
    auto& entity = harness.add(new SubmarineEntity(side, type, level, -1));
    placeSettled(*entity.motion, at, heading, speed);
    return dynamic_cast<SubmarineController&>(*entity.controller);
}

Entity& VesselWorld::mover(std::int32_t side, const char* type, std::int32_t kind, WorldPoint at, double heading,
                           double speed) {
    return harness.add(new HarnessEntity(side, type, 2, kind, at, heading, speed));
}

void VesselWorld::task(EntityController& controller, std::int32_t mode, const std::vector<WorldPoint>& points,
                       double speed) {
    auto* plan = new ControllerPlan;
    plan->mode = mode;
    controller.addPlan(plan);
    controller.plans.rewind();
    controller.activatePlanUnderCursor();
    for (auto point = points.rbegin(); point != points.rend(); ++point)
        controller.queueOrder(mode, 0, 0.0, point->x, point->y, speed, 0.0);
}

ContactRecord& VesselWorld::sight(Entity& observer, const Entity& seen, int sensorType, std::uint8_t quality) {
    ContactFix fix;
    const WorldPoint at = worldPoint(seen);
    fix.x = at.x;
    fix.y = at.y;
    fix.z = at.z;
    fix.time = simClock().gameClock;
    fix.quality = quality;
    fix.sensorType = sensorType;
    fix.count = 1;
    if (seen.motion) {
        fix.course = seen.motion->heading;
        fix.speed = seen.motion->speed;
    }
    observer.processContact(seen.id, seen.recordId, seen.side, seen.kind, fix, 1);
    return *observer.findContact(seen.id);
}

void VesselWorld::track(ContactRecord& contact, double course, double speed, double rangeRate, double heldTime) {
    contact.course = course;
    contact.speed = speed;
    contact.rangeRate = rangeRate;
    contact.heldTime = heldTime;
}

std::vector<Entity*> VesselWorld::entitiesOf(std::uint32_t recordId) {
    std::vector<Entity*> found;
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item->recordId == recordId)
            found.push_back(node->item);
    return found;
}

WorldPoint at(double bearing, double yards, double z) {
    WorldPoint p{0.0, 0.0, z};
    geoProject(0.0, 0.0, bearing, yards, p.x, p.y);
    return p;
}

std::optional<std::int16_t> activeSonarSetting(const Entity& entity) {
    const Sensor* sonar = entity.findSensorByType(kSensorActive);
    return sonar ? std::optional<std::int16_t>(sonar->transmitInterval) : std::nullopt;
}

} // namespace q71::test
