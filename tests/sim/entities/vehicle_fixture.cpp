#include "vehicle_fixture.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/support/world_harness.h"
#include "sim/simulation/world_step.h"

#include <cmath>

namespace q71::test {

namespace {

ObjectRecord record(std::uint32_t id, const char* name, const char* category, std::uint32_t kind,
                    std::int16_t length = 0, std::int16_t speed = 0) {
    ObjectRecord r = harnessRecord(id, name, category, kind);
    r.length = length;
    r.beam = static_cast<std::int16_t>(length / 8);
    r.height = static_cast<std::int16_t>(length / 8);
    r.maxSpeed = speed;
    r.armour = 4;
    return r;
}

template <ControllerClass Class> EntityController* make(Entity& owner, double value) {
    return new MadeController(owner, Class, value);
}

} // namespace

RecordingMakers::RecordingMakers() {
    entitySetControllerMaker(ControllerClass::surfaceShip, make<ControllerClass::surfaceShip>);
    entitySetControllerMaker(ControllerClass::submarine, make<ControllerClass::submarine>);
    entitySetControllerMaker(ControllerClass::airPlatform, make<ControllerClass::airPlatform>);
    entitySetControllerMaker(ControllerClass::mine, make<ControllerClass::mine>);
    entitySetControllerMaker(ControllerClass::mine2, make<ControllerClass::mine2>);
    entitySetControllerMaker(ControllerClass::mobileMine, make<ControllerClass::mobileMine>);
    entitySetControllerMaker(ControllerClass::countermeasure, make<ControllerClass::countermeasure>);
}

RecordingMakers::~RecordingMakers() {
    entityControllersUninstall();
}

MadeController* madeController(const Entity& entity) {
    return dynamic_cast<MadeController*>(entity.controller.get());
}

std::vector<ObjectRecord> VehicleWorld::withVehicleRecords() {
    ObjectRecord rescue = record(kRecordRescue, "Dsrv", "sub", kObjectKindSubmarine, 50, 5);
    rescue.crushDepth = -5000;
    ObjectRecord helo = record(kRecordHelicopter, "Helo", "helo", kObjectKindAircraft, 60, 150);
    ObjectRecord charge = record(kRecordCharge, "Charge", "depth", 4, 3);
    charge.armour = 1;
    ObjectRecord runner = record(kRecordRunner, "Runner", "mine", 5, 13, 20);
    ObjectRecord rocket = record(kRecordRocket, "Captor", "rock", 4, 10);
    rocket.weapons[2].keyName.assign("Fish");
    rocket.weapons[2].count = 1;
    ObjectRecord deepFish = record(kRecordDeepFish, "DeepFish", "torp", 4, 20, 60);
    deepFish.crushDepth = -1000;
    ObjectRecord cruise = record(kRecordCruise, "Tomahawk", "missile", 5, 20, 500);
    ObjectRecord harpoon = record(kRecordHarpoon, "Harpoon", "missile", 5, 15, 450);
    ObjectRecord decoy = record(kRecordDecoy, "Decoy", "cm", 4, 3);
    decoy.sonarFigure = 1.0f;
    std::vector<ObjectRecord> all = harnessRecords();
    for (const ObjectRecord& r :
         {rescue, helo, record(kRecordInfluence, "InfluenceMine", "mine", 4),
          record(kRecordContact, "ContactMine", "mine", 4), decoy, charge,
          record(kRecordBuoy, "Buoy", "float", 4), record(kRecordRock, "Rock", "rock", 4, 30), runner,
          record(kRecordTeam, "Seal-Team", "ship", kObjectKindSurfaceShip, 20, 20), rocket, deepFish, cruise,
          harpoon, record(kRecordStill, "Still", "torp", 4, 20), record(kRecordOdd, "Odd", "float", 9)})
        all.push_back(r);
    return all;
}

void VehicleWorld::place(MotionModel& m, WorldPoint at, double heading) {
    m.x = at.x;
    m.y = at.y;
    m.z = m.orderedDepth = at.z;
    m.heading = m.orderedCourse = heading;
    m.history.clear();
    m.snapshotState();
}

void VehicleWorld::underWay(MotionModel& m, double speed) {
    m.setOrderedSpeed(speed);
    m.driveSpeed = m.speed = m.headway = m.orderedSpeed;
    m.velocityX = std::sin(m.heading * kDegreesToRadians) * m.speed;
    m.velocityY = std::cos(m.heading * kDegreesToRadians) * m.speed;
}

void VehicleWorld::run(MotionModel& m, double seconds, double dt) {
    for (double t = 0.0; t < seconds - 1e-9; t += dt) {
        m.snapshotState();
        m.integrate(dt);
        worldShowQueuedDeathScreen(); // the end of the walk the step is part of
        simClock().gameClock += dt;
    }
}

} // namespace q71::test
