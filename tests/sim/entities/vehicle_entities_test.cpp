// The classes of the platforms a scenario places: surface ships, submarines, aircraft and mines.
#include "vehicle_fixture.h"

#include "sim/entities/motion/aircraft_motion.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/motion/surface_ship_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/aircraft_entity.h"
#include "sim/entities/types/mine_entities.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/surface_ship_entity.h"

namespace q71::test {
namespace {

class PlacedEntities : public VehicleWorld {
protected:
    RecordingMakers makers;
};

template <class Motion> bool movesBy(const Entity& e) {
    return dynamic_cast<const Motion*>(e.motion.get()) != nullptr;
}

void expectControlledBy(const Entity& e, ControllerClass expected) {
    const MadeController* made = madeController(e);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->madeAs, expected);
}

TEST_F(PlacedEntities, AShipASubmarineAndAnAircraftCarryTheirOwnMotionControllerAndSensors) {
    SurfaceShipEntity ship(2, "Frigate", 3);
    EXPECT_EQ(ship.typeCode, kEntitySurfaceShip);
    EXPECT_EQ(ship.kind, kKindSurface);
    EXPECT_EQ(ship.side, 2);
    EXPECT_EQ(ship.level, 3);
    EXPECT_TRUE(movesBy<SurfaceShipMotion>(ship));
    expectControlledBy(ship, ControllerClass::surfaceShip);
    EXPECT_NE(ship.findSensorByType(kSensorRadar), nullptr); // the record's set

    SubmarineEntity sub(1, "Hunter", 2, -1);
    EXPECT_EQ(sub.typeCode, kEntitySubmarine);
    EXPECT_EQ(sub.kind, kKindSubsurface);
    EXPECT_TRUE(movesBy<SubmarineMotion>(sub));
    expectControlledBy(sub, ControllerClass::submarine);
    EXPECT_NE(sub.findSensorByType(kSensorPassive), nullptr);

    AircraftEntity plane(2, "Patrol", 2);
    EXPECT_EQ(plane.typeCode, kEntityAircraft);
    EXPECT_EQ(plane.kind, kKindAir);
    EXPECT_TRUE(movesBy<AircraftMotion>(plane));
    expectControlledBy(plane, ControllerClass::airPlatform);
    EXPECT_EQ(plane.contactTimeout, 3600.0);
}

TEST_F(PlacedEntities, TheLoadingFormsBuildTheSameParts) {
    SurfaceShipEntity ship({2, kRecordFrigate, 3, kKindSurface, 77, 0});
    EXPECT_EQ(ship.id, 77);
    EXPECT_EQ(ship.recordId, kRecordFrigate);
    EXPECT_TRUE(movesBy<SurfaceShipMotion>(ship));
    expectControlledBy(ship, ControllerClass::surfaceShip);
    SubmarineEntity sub({1, kRecordSubmarine, 2, kKindSubsurface, 78, 0});
    EXPECT_TRUE(movesBy<SubmarineMotion>(sub));
    AircraftEntity plane({2, kRecordHelicopter, 2, kKindAir, 79, 0});
    EXPECT_TRUE(movesBy<AircraftMotion>(plane));
    EXPECT_EQ(plane.motion->maxPitchAngle, 20.0); // a helicopter's
}

TEST_F(PlacedEntities, ASubmarineWithTheOwnSubmarinesIdWaitsForTheOwnBoatsParts) {
    worldSetOwnShipId(500);
    SubmarineEntity own(1, "Hunter", 4, 500);
    EXPECT_EQ(own.motion, nullptr);
    EXPECT_EQ(own.controller, nullptr);
    EXPECT_EQ(own.typeCode, kEntitySubmarine);
}

TEST_F(PlacedEntities, WithoutTheirControllersInstalledThePlatformsStayPassive) {
    for (ControllerClass c :
         {ControllerClass::surfaceShip, ControllerClass::submarine, ControllerClass::airPlatform})
        entitySetControllerMaker(c, nullptr);
    EXPECT_EQ(SurfaceShipEntity(2, "Frigate", 3).controller, nullptr);
    EXPECT_EQ(SubmarineEntity(2, "Hunter", 3, -1).controller, nullptr);
    EXPECT_EQ(AircraftEntity(2, "Patrol", 3).controller, nullptr);
}

TEST_F(PlacedEntities, MinesFeelHullsOnlyWithinTheirOwnReach) {
    MineEntity influence(2, "InfluenceMine", 1);
    Mine2Entity contact(2, "ContactMine", 1);
    for (Entity* mine : {static_cast<Entity*>(&influence), static_cast<Entity*>(&contact)}) {
        EXPECT_EQ(mine->kind, kKindWeapon);
        ASSERT_NE(mine->motion, nullptr);
        EXPECT_EQ(typeid(*mine->motion), typeid(MotionModel));
        ASSERT_EQ(mine->sensors.count(), 1);
        const Sensor& sensor = *mine->sensors.head()->item;
        EXPECT_EQ(sensor.type, kSensorVisual);
        EXPECT_EQ(sensor.maxHeight, 0);
        EXPECT_EQ(sensor.minHeight, -10000);
        EXPECT_EQ(sensor.levelNear, 100);
        EXPECT_EQ(sensor.levelFar, 0);
    }
    EXPECT_EQ(influence.typeCode, kEntityMine);
    expectControlledBy(influence, ControllerClass::mine);
    EXPECT_EQ(influence.sensors.head()->item->rangeNear, 68);
    EXPECT_EQ(influence.sensors.head()->item->rangeFar, 91);
    EXPECT_EQ(contact.typeCode, kEntityMine2);
    expectControlledBy(contact, ControllerClass::mine2);
    EXPECT_EQ(contact.sensors.head()->item->rangeNear, 27);
    EXPECT_EQ(contact.sensors.head()->item->rangeFar, 45);
}

} // namespace
} // namespace q71::test
