// The world step for one hour of game time: 100, 300 and 1,000 platforms over a 100 km square
// of sea with islands, sides mixed, every platform patrolling its box with its sensors on, at
// passes of 0.1 s and 2 s of game time. Reports game seconds per wall-clock second, and the
// state hash of the run as its label (an optimisation must leave it as it is).

#include "sim/support/terrain_grid.h"
#include "sim/support/world_harness.h"

#include "world_run_report.h"

#include "bench_smoke.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kSideMetres = 100000.0;
const double kGameSeconds = q71::bench::gameSeconds(3600.0);

void worldStep(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const double pass = static_cast<double>(state.range(1)) / 10.0;
    std::uint64_t hash = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            q71::test::TerrainGrid grid(101, 101, 1000.0, q71::test::islandSeaFloor);
            q71::test::RecordTable records(q71::test::harnessRecords());
            q71::test::WorldHarness harness(1000);
            q71::test::harnessPopulate(harness, count, kSideMetres, 1000);
            state.ResumeTiming();
            harness.run(kGameSeconds, pass);
            state.PauseTiming();
            hash = harness.stateHash();
        }
        state.ResumeTiming();
    }
    q71::bench::reportWorldRun(state, kGameSeconds, hash);
}

BENCHMARK(worldStep)
    ->ArgNames({"platforms", "pass_tenths"})
    ->ArgsProduct({{100, 300, 1000}, {1, 20}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
