#include "sim/support/world_harness.h"

#include "framework/app/shell.h"
#include "sim/services/shell_simulation.h"
#include "sim/simulation/random.h"
#include "sim/simulation/signature_tables.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_mission_facts.h"
#include "sim/support/under_way.h"
#include "sim/world/object_database.h"

#include <bit>
#include <cmath>
#include <memory>
#include <string>

namespace q71::test {

namespace {

void dimensions(ObjectRecord& r, std::int16_t length, std::int16_t beam, std::int16_t height,
                std::int16_t speed) {
    r.length = length;
    r.beam = beam;
    r.height = height;
    r.maxSpeed = speed;
}

// A hull that holds its depth and answers its helm like a surface ship's.
class HarnessMotion final : public MotionModel {
public:
    explicit HarnessMotion(Entity& owner) : MotionModel(owner) {
        responseLength = 91.44;
        responseGain = responseLoad = owner.level / 15.0;
    }
    void stepDepth(double) override {}
};

// Follows its plan's waypoints, nothing more.
class PatrolController final : public EntityController {
public:
    using EntityController::EntityController;
    void actOnTarget(std::int32_t) override {
        advanceWaypoint();
        steerToOrder();
    }
};

// The harness's own draws, apart from the program's random sequence.
class LayoutDraws {
public:
    explicit LayoutDraws(std::uint32_t seed) : state_(seed) {}
    double uniform(double low, double high) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_;
};

class Fnv {
public:
    void add(std::uint64_t value) {
        for (int i = 0; i < 8; ++i, value >>= 8) {
            hash_ ^= value & 0xFF;
            hash_ *= 1099511628211ULL;
        }
    }
    void add(double value) { add(std::bit_cast<std::uint64_t>(value)); }
    void add(std::int32_t value) { add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(value))); }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

} // namespace

ObjectRecord harnessRecord(std::uint32_t id, const char* name, const char* category, std::uint32_t kind) {
    ObjectRecord r;
    r.id = id;
    r.keyName.assign(name);
    r.displayName.assign(name);
    r.categoryWord.assign(category);
    r.kind = kind;
    r.signatureFactor = 1.0f;
    return r;
}

std::vector<ObjectRecord> harnessRecords() {
    ObjectRecord frigate = harnessRecord(kRecordFrigate, "Frigate", "ship", kObjectKindSurfaceShip);
    dimensions(frigate, 400, 45, 60, 30);
    frigate.weapons[1].keyName.assign("Fish");
    frigate.weapons[1].count = 6;
    frigate.sonarFigure = 2.0f;
    frigate.radarFigure = 2.0f;
    frigate.esmFigure = 1.0f;
    frigate.visualFigure = 1.0f;
    frigate.armour = 10;
    frigate.activeSonar = 5;
    frigate.signatureValues = {300, 900, 0, 0, 0};
    frigate.signatureParameters = {20, 0, 0, 0};

    ObjectRecord hunter = harnessRecord(kRecordSubmarine, "Hunter", "sub", kObjectKindSubmarine);
    dimensions(hunter, 300, 33, 35, 25);
    hunter.testDepth = -800;
    hunter.crushDepth = -1200;
    hunter.weapons[1].keyName.assign("Fish");
    hunter.weapons[1].count = 4;
    hunter.sonarFigure = 2.5f;
    hunter.visualFigure = 1.0f;
    hunter.armour = 8;
    hunter.signatureFactor = 0.8f;
    hunter.signatureValues = {150, 500, 0, 0, 0};
    hunter.signatureParameters = {10, 0, 0, 0};

    ObjectRecord patrol = harnessRecord(kRecordPatrol, "Patrol", "plane", kObjectKindAircraft);
    dimensions(patrol, 100, 100, 30, 300);
    patrol.radarFigure = 2.5f;
    patrol.esmFigure = 1.0f;
    patrol.visualFigure = 1.5f;
    patrol.armour = 2;

    ObjectRecord freighter = harnessRecord(kRecordFreighter, "Freighter", "ship", kObjectKindSurfaceShip);
    dimensions(freighter, 500, 70, 80, 15);
    freighter.visualFigure = 0.5f;
    freighter.armour = 20;
    freighter.signatureFactor = 1.5f;
    freighter.signatureValues = {200, 60, 0, 0, 0};
    freighter.signatureParameters = {5, 0, 0, 0};

    ObjectRecord fish = harnessRecord(kRecordTorpedo, "Fish", "torp", 4);
    dimensions(fish, 20, 2, 2, 60);
    fish.sonarFigure = 1.5f;
    fish.armour = 5;
    fish.weaponValue = 10000;
    return {frigate, hunter, patrol, freighter, fish};
}

ObjectRecord harnessVariant(std::uint32_t id, const char* name, const char* category) {
    ObjectRecord variant = harnessRecords()[0];
    variant.id = id;
    variant.keyName.assign(name);
    variant.displayName.assign(name);
    variant.categoryWord.assign(category);
    return variant;
}

std::vector<ObjectRecord> harnessRecordsWith(const ObjectRecord& extra) {
    std::vector<ObjectRecord> records = harnessRecords();
    records.push_back(extra);
    return records;
}

RecordTable::RecordTable(const std::vector<ObjectRecord>& records) {
    std::string bytes;
    for (const ObjectRecord& r : records) {
        const auto encoded = objectRecordEncode(r);
        bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    objdbLoadFile(dir_.write("objects.db", bytes));
}

RecordTable::~RecordTable() {
    objdbFree();
}

HarnessEntity::HarnessEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                             std::int32_t kind, WorldPoint position, double heading, double speed,
                             std::int32_t id)
    : Entity(side, typeName, level, kind, id) {
    motion = std::make_unique<HarnessMotion>(*this);
    placeUnderWay(*motion, position, heading, speed);
    controller = std::make_unique<PatrolController>(*this);
}

void HarnessEntity::patrolBox(double halfSize, double speed) {
    harnessPatrolBox(*this, halfSize, speed);
}

void harnessPatrolBox(Entity& entity, double halfSize, double speed) {
    EntityController& controller = *entity.controller;
    auto* plan = new ControllerPlan;
    plan->mode = kStateBoxPatrol;
    controller.addPlan(plan);
    controller.activatePlanUnderCursor();
    const WorldPoint centre = worldPoint(entity);
    const double depth = centre.z;
    for (const auto& [dx, dy] : {std::pair{-1.0, -1.0}, {1.0, -1.0}, {1.0, 1.0}, {-1.0, 1.0}})
        controller.queueOrder(kStateBoxPatrol, 0, 0.0, centre.x + dx * halfSize, centre.y + dy * halfSize, speed,
                              depth);
}

Entity* makeHarnessPlatform(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
                            WorldPoint position, double heading, double speed) {
    return new HarnessEntity(side, typeName, level, kind, position, heading, speed);
}

WorldHarness::WorldHarness(std::uint32_t seed) {
    simResetClock();
    // A blast of the last world may still be raising the noise; no blast sounds in a new one.
    soundProfile().ambientNoise = soundProfile().background;
    simSetTimeCompression(1.0);
    randomSeed(seed);
    entitySetIdCounter(0);
    worldBuildSignatureTables();
    scoringSetWorld(&worldMissionFacts());
    simStartRunning();
    simSetGameTime(0.0);
}

WorldHarness::~WorldHarness() {
    simStopRunning();
    worldList().deleteAll();
    worldPendingList().deleteAll();
    worldSetOwnShip(nullptr);
    worldSetOwnShipId(std::nullopt);
    worldFreeSignatureTables();
    scoringSetWorld(nullptr);
    entitySetIdCounter(0);
}

void WorldHarness::pass(double passSeconds) {
    owedMilliseconds_ += passSeconds * 1000.0;
    const double whole = std::floor(owedMilliseconds_ + 1e-6);
    owedMilliseconds_ -= whole;
    time_.ticks += static_cast<std::uint32_t>(whole);
    // The main loop's step, without its pause of 10 ms.
    AppSimulation& simulation = simShellSimulation();
    if (simulation.running() && simulation.pauseCount() <= 0)
        appStepWorld(simulation, simShellWorldStep());
}

void WorldHarness::run(double gameSeconds, double passSeconds) {
    const auto passes = static_cast<long>(std::llround(gameSeconds / passSeconds));
    for (long i = 0; i < passes; ++i)
        pass(passSeconds);
}

std::uint64_t WorldHarness::stateHash() const {
    Fnv hash;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& e = *node->item;
        hash.add(e.id);
        hash.add(static_cast<std::int32_t>(e.removeFlag));
        hash.add(e.hull);
        if (e.motion)
            for (double v : {e.motion->x, e.motion->y, e.motion->z, e.motion->heading, e.motion->speed})
                hash.add(v);
        for (auto* c = e.contacts.head(); c; c = c->next) {
            hash.add(c->item->entityId);
            hash.add(c->item->reaction);
            hash.add(c->item->bearing);
            hash.add(c->item->range);
        }
    }
    return hash.value();
}

void harnessPopulate(WorldHarness& harness, int count, double sideMetres, std::uint32_t seed,
                     PlatformMaker maker) {
    LayoutDraws draws(seed);
    for (int i = 0; i < count; ++i) {
        const double pick = draws.uniform(0.0, 1.0);
        const char* type = pick < 0.4 ? "Frigate" : pick < 0.7 ? "Hunter" : "Freighter";
        const bool submarine = pick >= 0.4 && pick < 0.7;
        const std::int32_t side = pick >= 0.7 ? 4 : (i % 2 == 0 ? 1 : 2);
        const auto level = static_cast<std::int32_t>(draws.uniform(1.0, 4.999));
        const WorldPoint at{draws.uniform(0.05, 0.95) * sideMetres, draws.uniform(0.05, 0.95) * sideMetres,
                            submarine ? -60.0 : 0.0};
        const double speed = draws.uniform(5.0, 15.0);
        Entity& entity = harness.add(
            maker(side, type, level, submarine ? kKindSubsurface : kKindSurface, at, draws.uniform(0.0, 360.0), speed));
        const double box = draws.uniform(2000.0, 8000.0);
        if (entity.controller)
            harnessPatrolBox(entity, box, speed);
    }
}

} // namespace q71::test
