#include "air_sea_world.h"

#include "sim/entities/controllers/aircraft_controller.h"
#include "sim/entities/controllers/countermeasure_controller.h"
#include "sim/entities/controllers/mine_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/goal_tree.h"
#include "sim/simulation/world_lists.h"

namespace q71::test {

namespace {

int explosionCount = 0;

// Counts the explosion a hit asks for; none is put into the world.
Entity* countExplosion(std::int32_t, Entity&, std::int32_t) {
    ++explosionCount;
    return nullptr;
}

ObjectRecord record(std::uint32_t id, const char* name, const char* category, std::uint32_t kind,
                    std::uint8_t armour, std::int16_t maxSpeed = 0, std::int32_t weaponRange = 0) {
    ObjectRecord r = harnessRecord(id, name, category, kind);
    r.armour = armour;
    r.maxSpeed = maxSpeed;
    r.weaponValue = weaponRange;
    return r;
}

// An aircraft carrying one load of a weapon in a slot, with its sensors' figure.
ObjectRecord aircraft(std::uint32_t id, const char* name, const char* category, std::int16_t maxSpeed,
                      std::size_t slot, const char* weapon, std::int16_t count) {
    ObjectRecord r = record(id, name, category, kObjectKindAircraft, 1, maxSpeed);
    r.weapons[slot].keyName.assign(weapon);
    r.weapons[slot].count = count;
    r.fallbackRange = 3.5f;
    return r;
}

} // namespace

std::vector<ObjectRecord> airSeaRecords() {
    std::vector<ObjectRecord> records = harnessRecords();
    for (const ObjectRecord& r :
         {record(kRecordInfluenceMine, "InfluenceMine", "mine", 4, 12),
          record(kRecordContactMine, "ContactMine", "mine", 4, 10),
          record(kRecordMobileMine, "slmm", "mine", 4, 12, 20), record(kRecordBuoy, "Buoy", "float", 4, 1),
          record(kRecordDecoy, "Decoy", "cm", 4, 1), record(kRecordCharge, "Charge", "depth", 5, 1, 10, 1500),
          record(kRecordSkimmer, "Skimmer", "missile", 5, 25, 560, 60000)})
        records.push_back(r);
    ObjectRecord orion = aircraft(kRecordOrion, "Orion", "plane", 330, 1, "Fish", 6);
    orion.weapons[0].keyName.assign("Skimmer");
    orion.weapons[0].count = 2;
    orion.radarFigure = 3.0f;
    records.push_back(orion);
    ObjectRecord seasprite = aircraft(kRecordSeasprite, "Seasprite", "helo", 150, 1, "Fish", 2);
    seasprite.sonarFigure = 2.5f;
    records.push_back(seasprite);
    records.push_back(aircraft(kRecordBomber, "Bomber", "plane", 300, 1, "Charge", 6));
    return records;
}

AirSeaWorld::AirSeaWorld() {
    // A mission, goals and a score of this test's own, whatever a mission before left.
    missionState() = MissionState{};
    scoringState() = ScoringState{};
    goalTreeClear();
    replayLogOpen();
    msgLogSetTarget(true, &log);
    explosionCount = 0;
    entitySetExplosionMaker(countExplosion);
    mineControllersInstall();
    countermeasureControllerInstall();
    airPlatformControllerInstall();
}

AirSeaWorld::~AirSeaWorld() {
    for (ControllerClass made : {ControllerClass::mine, ControllerClass::mine2, ControllerClass::mobileMine,
                                 ControllerClass::countermeasure, ControllerClass::airPlatform})
        entitySetControllerMaker(made, nullptr);
    entitySetExplosionMaker(nullptr);
    msgLogDetach();
    replayLogClose();
    missionState() = MissionState{};
    scoringState() = ScoringState{};
}

Entity& AirSeaWorld::body(std::int32_t side, const char* type, std::int32_t kind, WorldPoint at,
                          std::int32_t level) {
    auto& entity = harness.add(new Entity(side, type, level, kind, -1));
    entity.motion = std::make_unique<MotionModel>(entity);
    entity.motion->x = at.x;
    entity.motion->y = at.y;
    entity.motion->z = entity.motion->orderedDepth = at.z;
    return entity;
}

void AirSeaWorld::makeOwnBoat(Entity& entity) {
    worldSetOwnShipId(entity.id);
    worldSetOwnShip(&entity);
}

std::vector<ReplayEvent> AirSeaWorld::loggedOfKind(std::int32_t kind) {
    replayLogClose();
    std::vector<ReplayEvent> found;
    for (const ReplayEvent& event : replayLogRead())
        if (event.kind == kind)
            found.push_back(event);
    return found;
}

int AirSeaWorld::explosions() {
    return explosionCount;
}

std::vector<std::uint8_t> AirSeaWorld::saved(const EntityController& controller) {
    MemorySink sink;
    EXPECT_TRUE(controller.save(sink));
    return sink.bytes();
}

std::vector<std::uint8_t> AirSeaWorld::withNaNAt(std::vector<std::uint8_t> bytes, std::size_t offset) {
    for (std::size_t i = offset; i < offset + 8 && i < bytes.size(); ++i)
        bytes[i] = 0xFF;
    return bytes;
}

} // namespace q71::test
