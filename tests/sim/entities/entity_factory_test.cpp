// The factory: the classes a scenario places, every class of a saved mission, and a network
// peer's entities by their record's kind word.
#include "vehicle_fixture.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/entities/types/entity_factory.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/player_entities.h"

namespace q71::test {
namespace {

class Factory : public VehicleWorld {
protected:
    RecordingMakers makers;
};

TEST_F(Factory, AScenarioPlacesSubmarinesShipsAircraftMinesAndObjects) {
    const struct {
        std::int32_t code;
        const char* type;
        std::int32_t kind;
    } placed[] = {
        {kEntitySubmarine, "Hunter", kKindSubsurface}, {kEntitySurfaceShip, "Frigate", kKindSurface},
        {kEntityAircraft, "Helo", kKindAir},           {kEntityMine, "InfluenceMine", kKindWeapon},
        {kEntityMine2, "ContactMine", kKindWeapon},    {kEntityMissile, "Buoy", kKindMissile}};
    for (const auto& p : placed) {
        SCOPED_TRACE(p.type);
        const std::unique_ptr<Entity> entity = entityCreatePlaced(p.code, 2, p.type, 3);
        ASSERT_NE(entity, nullptr);
        EXPECT_EQ(entity->typeCode, p.code);
        EXPECT_EQ(entity->kind, p.kind);
        EXPECT_EQ(entity->side, 2);
        EXPECT_EQ(entity->level, 3);
        EXPECT_NE(entity->motion, nullptr);
        EXPECT_GT(entity->id, 0);
    }
    for (std::int32_t code : std::initializer_list<std::int32_t>{
             0, kEntityGeneric, kEntityExplosion, kEntityOwnShip, kEntityTorpedo, kEntityDepthCharge, 19})
        EXPECT_EQ(entityCreatePlaced(code, 2, "Hunter", 3), nullptr) << code;
}

TEST_F(Factory, AMissionObjectCarryingATorpedoHasItsGuidanceAndAPlainOneNone) {
    EXPECT_NE(dynamic_cast<GuidanceController*>(
                  entityCreatePlaced(kEntityMissile, 2, "Captor", 3)->controller.get()),
              nullptr);
    const std::unique_ptr<Entity> buoy = entityCreatePlaced(kEntityMissile, 2, "Buoy", 3);
    EXPECT_EQ(buoy->controller, nullptr);
    EXPECT_EQ(buoy->motion->speed, 0.0);
}

TEST_F(Factory, ASavedMissionRebuildsEveryClassByItsTypeCode) {
    Entity& own = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {});
    worldSetOwnShip(&own);
    const struct {
        std::int32_t code;
        std::uint32_t record;
    } entries[] = {{kEntityGeneric, kRecordBuoy},          {kEntityExplosion, kRecordBuoy},
                   {kEntitySurfaceShip2, kRecordTeam},     {kEntityAircraft, kRecordPatrol},
                   {kEntityCountermeasure, kRecordDecoy},  {kEntityCountermeasure2, kRecordDecoy},
                   {kEntityMine, kRecordInfluence},        {kEntityMissile, kRecordBuoy},
                   {kEntitySubmarine, kRecordSubmarine},   {kEntitySurfaceShip, kRecordFrigate},
                   {kEntityTorpedo, kRecordTorpedo},       {kEntityTorpedo2, kRecordHarpoon},
                   {kEntityMissileCapsule, kRecordCruise}, {kEntityMine2, kRecordContact},
                   {kEntityMobileMine, kRecordRunner},     {kEntityDepthCharge, kRecordCharge},
                   {kEntitySubmarine2, kRecordRescue}};
    std::int32_t id = 100;
    for (const auto& e : entries) {
        SCOPED_TRACE(e.code);
        const LoadedEntity loaded = entityCreateForLoad({e.code, {2, e.record, 2, 3, ++id, own.id}, 1});
        ASSERT_NE(loaded.made, nullptr);
        EXPECT_EQ(loaded.entity, loaded.made.get());
        EXPECT_EQ(loaded.made->typeCode, e.code);
        EXPECT_EQ(loaded.made->id, id);
        EXPECT_EQ(loaded.made->recordId, e.record);
        EXPECT_FALSE(worldFindEntity(id)); // the loader puts it into the world after its state
    }
    const LoadedEntity ownEntry =
        entityCreateForLoad({kEntityOwnShip, {1, kRecordSubmarine, 4, 3, own.id, 0}, 0});
    EXPECT_EQ(ownEntry.made, nullptr);
    EXPECT_EQ(ownEntry.entity, &own);
    for (std::int32_t code : {0, 19, -3}) {
        const LoadedEntity none = entityCreateForLoad({code, {1, kRecordSubmarine, 4, 3, 999, 0}, 0});
        EXPECT_EQ(none.entity, nullptr);
        EXPECT_EQ(none.made, nullptr);
    }
}

TEST_F(Factory, ALaunchedTorpedoComesBackFromItsSavedStateAsItWent) {
    entityClassesInstall();
    Entity& launcher = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {0.0, 0.0, -60.0});
    const TorpedoTubeLaunch launch{
        .tube = 3, .course = 40.0, .presetSpeed = 50.0, .searchSpeed = 30.0, .floor = -600.0};
    Entity* torpedo = weaponLaunches().launchTorpedo(launcher, "Fish", launch);
    entityClassesUninstall();
    MemorySink saved;
    ASSERT_TRUE(torpedo->save(saved));
    const LoadedEntity loaded = entityCreateForLoad(
        {kEntityTorpedo,
         {torpedo->side, torpedo->recordId, torpedo->level, torpedo->kind, 700, launcher.id},
         0});
    MemorySource source(saved.bytes());
    ASSERT_TRUE(loaded.entity->load(source));
    const auto& a = dynamic_cast<const GuidanceController&>(*torpedo->controller);
    const auto& b = dynamic_cast<const GuidanceController&>(*loaded.entity->controller);
    EXPECT_EQ(b.runEndTime, a.runEndTime);
    EXPECT_EQ(b.floor, a.floor);
    EXPECT_EQ(b.presetCourse, 40.0);
    EXPECT_EQ(loaded.entity->motion->x, torpedo->motion->x);
    EXPECT_EQ(loaded.entity->motion->orderedSpeed, 50.0);
}

TEST_F(Factory, TheMissionStartMakesItsUnitsThroughTheFactoryOnceInstalled) {
    EXPECT_EQ(simMakeEntity(kEntitySurfaceShip, 2, "Frigate", 2, -1), nullptr);
    entityClassesInstall();
    const std::unique_ptr<Entity> sub(simMakeEntity(kEntitySubmarine, 2, "Hunter", 2, 42));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->typeCode, kEntitySubmarine);
    EXPECT_EQ(sub->id, 42); // a submarine takes the id it is given
    const std::unique_ptr<Entity> mine(simMakeEntity(kEntityMine2, 2, "ContactMine", 1, 42));
    EXPECT_EQ(mine->typeCode, kEntityMine2);
    EXPECT_NE(mine->id, 42);
    entityClassesUninstall();
    EXPECT_EQ(simMakeEntity(kEntitySurfaceShip, 2, "Frigate", 2, -1), nullptr);
}

TEST_F(Factory, ANetworkPlayersEntityIsTheClassOfItsRecordsKindWordMovedByThePeer) {
    entityClassesInstall();
    const struct {
        const char* type;
        std::int32_t code;
    } peers[] = {{"Hunter", kEntitySubmarine},
                 {"Frigate", kEntitySurfaceShip},
                 {"Patrol", kEntityAircraft},
                 {"Buoy", kEntityMissile},
                 {"Harpoon", kEntityMissile}};
    for (const auto& p : peers) {
        SCOPED_TRACE(p.type);
        const std::int32_t id = simCreateEntityByName(p.type, 2, 2, 10.0, 20.0, -5.0, 3.0, 90.0, 7);
        const Entity* peer = worldFindEntity(id);
        ASSERT_NE(peer, nullptr);
        EXPECT_EQ(peer->typeCode, p.code);
        EXPECT_EQ(peer->controller, nullptr);
        EXPECT_NE(dynamic_cast<const RemoteMotionModel*>(peer->motion.get()), nullptr);
        EXPECT_EQ(peer->motion->heading, 90.0);
    }
    EXPECT_NE(worldFindEntity(7), nullptr); // the submarine took the player's id
    EXPECT_EQ(simCreateEntityByName("Odd", 2, 2, 10.0, 20.0, 0.0, 0.0, 0.0, 8),
              0); // a kind that makes nothing
    entityClassesUninstall();
}

} // namespace
} // namespace q71::test
