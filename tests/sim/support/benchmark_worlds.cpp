#include "sim/support/benchmark_worlds.h"

#include "sim/entities/controllers/submarine_controller.h"
#include "sim/entities/controllers/surface_ship_controller.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/surface_ship_entity.h"
#include "sim/support/own_boat_record.h"
#include "sim/support/scripted_own_boat.h"
#include "sim/support/under_way.h"

namespace q71::test {

namespace {

constexpr double kIslandSeaSide = 100000.0;
constexpr double kReceiverSquareSide = 40000.0;
constexpr std::uint32_t kSeed = 1000;

// The explosion of the data set: a float, which blasts pass over.
ObjectRecord explosionRecord() {
    ObjectRecord r;
    r.id = 100;
    r.keyName.assign("Explosion");
    r.categoryWord.assign("float");
    r.kind = 4;
    r.armour = 1;
    r.signatureFactor = 12.0f;
    return r;
}

Entity* makeComputerRunPlatform(std::int32_t side, std::string_view typeName, std::int32_t level,
                                std::int32_t kind, WorldPoint position, double heading, double speed) {
    Entity* entity = kind == kKindSubsurface
                         ? static_cast<Entity*>(new SubmarineEntity(side, typeName, level, -1))
                         : new SurfaceShipEntity(side, typeName, level);
    placeUnderWay(*entity->motion, position, heading, speed);
    return entity;
}

std::vector<ObjectRecord> islandRecords(IslandPlatforms platforms) {
    if (platforms == IslandPlatforms::harness)
        return harnessRecords();
    // Computer-run platforms hunt, attack and evade: their controllers and blasts take part.
    surfaceShipControllerInstall();
    submarineControllerInstall();
    explosionInstallMaker();
    return harnessRecordsWith(explosionRecord());
}

} // namespace

SeaOfIslandsWorld::SeaOfIslandsWorld(int count, IslandPlatforms platforms)
    : grid_(101, 101, 1000.0, islandSeaFloor), records_(islandRecords(platforms)), harness_(kSeed) {
    harnessPopulate(harness_, count, kIslandSeaSide, kSeed,
                    platforms == IslandPlatforms::harness ? makeHarnessPlatform : makeComputerRunPlatform);
}

ReceiverSquareWorld::ReceiverSquareWorld(int count, bool suite)
    : records_(harnessRecordsWith(ownBoatRecord())), harness_(kSeed) {
    if (suite) {
        auto& boat = harness_.add(new ScriptedOwnBoat(
            "Q71i", 9000, {kReceiverSquareSide / 2, kReceiverSquareSide / 2, -120.0}, 0.0, 8.0));
        boat.streamTowedArray(500.0);
        boat.suite.activeSonar->transmitInterval = 60;
    }
    harnessPopulate(harness_, count, kReceiverSquareSide, kSeed);
}

} // namespace q71::test
