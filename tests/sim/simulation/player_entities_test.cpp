// The boats of network players: made by their record's kind, steered by the network, placed
// where the peer says or at the player's start position.
#include "sim/entities/entity.h"
#include "sim/entities/motion/remote_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/simulation/player_entities.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_world.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class PlayerEntities : public test::DataSetWorld {
protected:
    PlayerEntities() { entityClassesInstall(); }
    ~PlayerEntities() override { entityClassesUninstall(); }
};

TEST_F(PlayerEntities, APlayersBoatIsMovedByTheNetworkAndScansNothingOfItself) {
    simSetGameTime(42.0);
    const std::int32_t id = simCreateEntityByName("Akula", 2, 3, 270000.0, 271000.0, -50.0, 10.0, 90.0, 7);
    EXPECT_EQ(id, 7) << "a submarine takes the player's id";
    const Entity* boat = worldFindEntity(7);
    ASSERT_TRUE(boat && boat->motion);
    EXPECT_EQ(boat->typeCode, kEntitySubmarine);
    EXPECT_EQ(boat->side, 2);
    EXPECT_EQ(boat->controller, nullptr);
    EXPECT_NE(dynamic_cast<const RemoteMotionModel*>(boat->motion.get()), nullptr);
    EXPECT_EQ(boat->remote, 1);
    EXPECT_EQ(boat->lastRemoteUpdate, 42.0);
    EXPECT_EQ(boat->motion->x, 270000.0);
    EXPECT_EQ(boat->motion->y, 271000.0);
    EXPECT_EQ(boat->motion->z, -50.0);
    EXPECT_EQ(boat->motion->speed, 10.0);
    EXPECT_EQ(boat->motion->heading, 90.0);
    ASSERT_FALSE(boat->sensors.empty());
    for (auto* node = boat->sensors.head(); node; node = node->next)
        EXPECT_EQ(node->item->transmitInterval, -1);
}

TEST_F(PlayerEntities, OtherKindsTakeTheNextIdAndUnknownOnesMakeNothing) {
    const std::int32_t ship = simCreateEntityByName("Burke", 1, 2, 270000.0, 270000.0, 0.0, 5.0, 0.0, 9);
    ASSERT_NE(ship, 0);
    EXPECT_NE(ship, 9);
    EXPECT_EQ(worldFindEntity(ship)->typeCode, kEntitySurfaceShip);
    const std::int32_t plane =
        simCreateEntityByClassId(objdbFindByName("P3C")->id, 1, 2, 1.0, 2.0, 300.0, 200.0, 0.0, 9);
    EXPECT_EQ(worldFindEntity(plane)->typeCode, kEntityAircraft);
    EXPECT_EQ(simCreateEntityByName("Nautilus", 1, 2, 1.0, 2.0, 0.0, 0.0, 0.0, 9), 0);
    EXPECT_EQ(simCreateEntityByClassId(148, 1, 2, 1.0, 2.0, 0.0, 0.0, 0.0, 9), 0);
    EXPECT_EQ(simCreatePlayerEntity(6, *objdbFindByName("Burke"), 1, 2, 1.0, 2.0, 0.0, 0.0, 0.0, 9), 0);
    EXPECT_EQ(worldList().count(), 2);
}

TEST_F(PlayerEntities, WithoutAPlaceTheBoatTakesThePlayersStartPosition) {
    for (double x : {1000.0, 2000.0}) {
        ScenarioRecord r;
        r.type = kScenarioOwnShipStart;
        r.x = 260000.0 + x;
        r.y = 268800.0;
        r.depth = -88;
        r.speed = 4;
        r.course = 180;
        ownShipStarts().insert(ownShipStarts().begin(), ownShipStartFromRecord(r));
    }
    const std::int32_t id = simCreateEntityByName("Whale", 1, 4, -1.0, -1.0, 0.0, 0.0, 0.0, 2);
    const Entity* boat = worldFindEntity(id);
    ASSERT_TRUE(boat);
    EXPECT_EQ(boat->motion->x, 261000.0) << "player 2: the second start from the head";
    EXPECT_DOUBLE_EQ(boat->motion->z, -60 * kFeetToMetres);
    EXPECT_EQ(boat->motion->heading, 180.0);
    EXPECT_EQ(boat->motion->speed, 4.0);
}

} // namespace
} // namespace q71
