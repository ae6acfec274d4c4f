// The factory: the classes a scenario places, every class of a saved mission, and a network
// peer's entities by their record's kind word.
#include "vehicle_fixture.h"

#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/entity_factory.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/entities/types/weapon_classes.h"
#include "sim/scoring/byte_stream.h"

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
    weaponClassesInstall();
    Entity& launcher = vehicle<SubmarineMotion>("Hunter", kKindSubsurface, {0.0, 0.0, -60.0});
    TorpedoTubeLaunch launch;
    launch.tube = 3;
    launch.course = 40.0;
    launch.presetSpeed = 50.0;
    launch.searchSpeed = 30.0;
    launch.floor = -600.0;
    Entity* torpedo = weaponLaunches().launchTorpedo(launcher, "Fish", launch);
    weaponLaunchesInstall(nullptr);
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

void pickSecondStart(PeerPlacement& placement, std::int32_t playerId) {
    placement = {1000.0 * playerId, 2000.0, -20.0, 5.0, 45.0};
}

TEST_F(Factory, APeersSubmarineIsMovedByThePeerAloneUnderThePlayersId) {
    const std::int32_t id =
        entityCreateForPeer("Hunter", 3, 2, {100.0, 200.0, -30.0, 8.0, 270.0}, 7, nullptr);
    EXPECT_EQ(id, 7);
    Entity* peer = worldFindEntity(7);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->typeCode, kEntitySubmarine);
    EXPECT_EQ(peer->controller, nullptr);
    EXPECT_NE(dynamic_cast<RemoteMotionModel*>(peer->motion.get()), nullptr);
    EXPECT_EQ(peer->remote, 1);
    EXPECT_EQ(peer->lastRemoteUpdate, simClock().gameClock);
    EXPECT_EQ(peer->motion->x, 100.0);
    EXPECT_EQ(peer->motion->y, 200.0);
    EXPECT_EQ(peer->motion->z, -30.0);
    EXPECT_EQ(peer->motion->speed, 8.0);
    EXPECT_EQ(peer->motion->heading, 270.0);
    ASSERT_FALSE(peer->sensors.empty());
    for (auto* node = peer->sensors.head(); node; node = node->next)
        EXPECT_EQ(node->item->transmitInterval, -1);
}

TEST_F(Factory, APeersEntityByRecordIdTakesItsClassFromTheRecordsKindWord) {
    const struct {
        std::uint32_t record;
        std::int32_t type;
        std::int32_t kind;
    } peers[] = {{kRecordFrigate, kEntitySurfaceShip, kKindSurface},
                 {kRecordPatrol, kEntityAircraft, kKindAir},
                 {kRecordBuoy, kEntityMissile, kKindMissile},
                 {kRecordHarpoon, kEntityMissile, kKindMissile}};
    for (const auto& p : peers) {
        SCOPED_TRACE(p.record);
        const std::int32_t id = entityCreateForPeer(p.record, 2, 2, {10.0, 20.0, 0.0, 0.0, 0.0}, 3, nullptr);
        ASSERT_NE(id, 0);
        const Entity* peer = worldFindEntity(id);
        ASSERT_NE(peer, nullptr);
        EXPECT_EQ(peer->typeCode, p.type);
        EXPECT_EQ(peer->kind, p.kind);
        EXPECT_EQ(peer->recordId, p.record);
        EXPECT_EQ(peer->controller, nullptr);
        EXPECT_EQ(peer->remote, 1);
    }
    EXPECT_EQ(entityCreateForPeer(kRecordSubmarine, 2, 2, {}, 9, nullptr), 9); // a boat takes the player's id
}

TEST_F(Factory, APeerWithoutAPlaceStartsAtAnOwnShipStartAndAnUnknownRecordMakesNothing) {
    const std::int32_t id = entityCreateForPeer("Hunter", 3, 2, {}, 2, pickSecondStart);
    const Entity* peer = worldFindEntity(id);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->motion->x, 2000.0);
    EXPECT_EQ(peer->motion->heading, 45.0);
    const int before = worldList().count();
    EXPECT_EQ(entityCreateForPeer("Nonesuch", 3, 2, {}, 2, pickSecondStart), 0);
    EXPECT_EQ(entityCreateForPeer(kRecordOdd, 3, 2, {}, 2, pickSecondStart),
              0); // a kind word that makes nothing
    EXPECT_EQ(worldList().count(), before);
}

} // namespace
} // namespace q71::test
