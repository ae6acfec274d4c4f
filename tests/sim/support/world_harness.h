#pragma once
// A headless world for tests and benchmarks: a small object database of platforms written for
// the occasion, a pinned random seed and a hand-driven clock, and the world stepped exactly as
// the main loop steps it (without its sleep) at a fixed pass length. Its state hash covers what
// a run must reproduce: ids, positions, headings, speeds, hulls, contacts and removal flags.

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/support/fake_time.h"
#include "sim/world/object_record.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace q71::test {

/// The harness's platforms, by record id.
enum HarnessRecord : std::uint32_t {
    kRecordFrigate = 20,   ///< "Frigate": radar, visual, passive and active sonar, ESM
    kRecordSubmarine = 21, ///< "Hunter": passive sonar and periscope
    kRecordPatrol = 22,    ///< "Patrol": a patrol aircraft with radar and ESM
    kRecordFreighter = 23, ///< "Freighter": a lookout only
    kRecordTorpedo = 24,   ///< "Fish": a torpedo (the frigate's second weapon load)
};

/// A record of an id, key name, category word and object kind, of ordinary loudness and nothing more.
ObjectRecord harnessRecord(std::uint32_t id, const char* name, const char* category, std::uint32_t kind);

/// The records of the harness: the four platforms and the torpedo, each with its sensors and
/// signature lines.
std::vector<ObjectRecord> harnessRecords();

/// The frigate's record under another id, key name and category word.
ObjectRecord harnessVariant(std::uint32_t id, const char* name, const char* category = "ship");

/// The harness's records and one more.
std::vector<ObjectRecord> harnessRecordsWith(const ObjectRecord& extra);

/// Object records loaded as the object database for the life of the object.
class RecordTable {
public:
    explicit RecordTable(const std::vector<ObjectRecord>& records);
    ~RecordTable();
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

private:
    TempDir dir_;
};

/// A platform of the harness: an entity with a plain motion model that answers its helm like a
/// surface ship, and a controller whose plan runs a box patrol (when one is given).
class HarnessEntity : public Entity {
public:
    HarnessEntity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
                  WorldPoint position, double heading, double speed, std::int32_t id = -1);
    /// Gives the controller a plan with the four corners of a box patrol, the first corner current.
    void patrolBox(double halfSize, double speed);
};

/// A world ready to step: the clock at 0 and running, the random sequence on a seed, the
/// signature tables built. It empties the world when it goes.
class WorldHarness {
public:
    explicit WorldHarness(std::uint32_t seed);
    ~WorldHarness();
    WorldHarness(const WorldHarness&) = delete;
    WorldHarness& operator=(const WorldHarness&) = delete;

    /// Adds an entity to the world and returns it.
    template <class T> T& add(T* entity) {
        worldAddEntity(entity);
        return *entity;
    }
    /// One pass of the main loop `passSeconds` of real (= game) time after the last.
    void pass(double passSeconds);
    /// Passes of a given length until `gameSeconds` more of game time have passed.
    void run(double gameSeconds, double passSeconds);
    /// A hash of the world's state.
    std::uint64_t stateHash() const;

private:
    FakeTimeSource time_;
    double owedMilliseconds_ = 0.0;
};

/// Gives an entity's controller a plan with the four corners of a box patrol around the entity,
/// the first corner current.
void harnessPatrolBox(Entity& entity, double halfSize, double speed);

/// Makes a platform of the layout (a type of the harness's records, of a kind), placed and under
/// way, not yet in the world.
using PlatformMaker = Entity* (*)(std::int32_t side, std::string_view typeName, std::int32_t level,
                                  std::int32_t kind, WorldPoint position, double heading, double speed);

/// A harness platform (HarnessEntity).
Entity* makeHarnessPlatform(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
                            WorldPoint position, double heading, double speed);

/// A layout of `count` platforms over a square `sideMetres` wide, sides mixed (hostile to
/// each other or neutral), every one patrolling a box with its sensors on; drawn from `seed`.
/// The platforms are the harness's own unless a maker is given.
void harnessPopulate(WorldHarness& harness, int count, double sideMetres, std::uint32_t seed,
                     PlatformMaker maker = makeHarnessPlatform);

} // namespace q71::test
