// The world step with computer-run ships and submarines: 100, 300 and 1,000 of them over the
// 100 km sea of islands in the layout of the world-step benchmark (sides mixed, every one on its
// box patrol with its sensors on), but built by the entity classes with their own motion and
// their own controllers, so that they hunt, attack and evade, for one hour of game time in
// passes of 0.4 s. Reports game seconds per wall-clock second, the entities the hour ends with,
// and the state hash of the run as its label (an optimisation must leave it as it is).

#include "sim/entities/controllers/submarine_controller.h"
#include "sim/entities/controllers/surface_ship_controller.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/surface_ship_entity.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/terrain_grid.h"
#include "sim/support/under_way.h"
#include "sim/support/world_harness.h"

#include "world_run_report.h"

#include "bench_smoke.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kSideMetres = 100000.0;
const double kGameSeconds = q71::bench::gameSeconds(3600.0);
constexpr double kPass = 0.4;

// The explosion of the data set: a float, which blasts pass over.
q71::ObjectRecord explosionRecord() {
    q71::ObjectRecord r;
    r.id = 100;
    r.keyName.assign("Explosion");
    r.categoryWord.assign("float");
    r.kind = 4;
    r.armour = 1;
    r.signatureFactor = 12.0f;
    return r;
}

q71::Entity* makeAiPlatform(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
                            q71::WorldPoint position, double heading, double speed) {
    q71::Entity* entity = kind == q71::kKindSubsurface
                              ? static_cast<q71::Entity*>(new q71::SubmarineEntity(side, typeName, level, -1))
                              : new q71::SurfaceShipEntity(side, typeName, level);
    q71::test::placeUnderWay(*entity->motion, position, heading, speed);
    return entity;
}

void aiWorld(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    q71::surfaceShipControllerInstall();
    q71::submarineControllerInstall();
    q71::explosionInstallMaker();
    std::uint64_t hash = 0;
    int survivors = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            q71::test::TerrainGrid grid(101, 101, 1000.0, q71::test::islandSeaFloor);
            q71::test::RecordTable records(q71::test::harnessRecordsWith(explosionRecord()));
            q71::test::WorldHarness harness(1000);
            q71::test::harnessPopulate(harness, count, kSideMetres, 1000, makeAiPlatform);
            state.ResumeTiming();
            harness.run(kGameSeconds, kPass);
            state.PauseTiming();
            hash = harness.stateHash();
            survivors = q71::worldList().count();
        }
        state.ResumeTiming();
    }
    q71::bench::reportWorldRun(state, kGameSeconds, hash);
    state.counters["entities_at_end"] = survivors;
}

BENCHMARK(aiWorld)->ArgName("platforms")->Arg(100)->Arg(300)->Arg(1000)->Iterations(1)->UseRealTime()->Unit(
    benchmark::kSecond);

} // namespace
