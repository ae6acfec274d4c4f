// The own boat's receiver suite for one hour of game time at passes of 0.1 s: the bow and
// flank arrays, a towed array streamed 500 m, the active sonar pinging every 60 s, the
// intercept and ESM receivers, against 50 and 200 platforms laid out by the harness over a
// 40 km square around the boat (sides mixed, each patrolling its box with its own sensors).
// Each count runs with and without the suite, so the suite's share shows. Reports game seconds
// per wall-clock second, and the state hash of the run as its label.

#include "sim/entities/motion/motion_model.h"
#include "sim/support/scripted_own_boat.h"
#include "sim/support/world_harness.h"

#include "world_run_report.h"

#include "bench_smoke.h"
#include "own_boat_record.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kSideMetres = 40000.0;
const double kGameSeconds = q71::bench::gameSeconds(3600.0);
constexpr double kPass = 0.1;

void receiverSuite(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const bool suite = state.range(1) != 0;
    std::uint64_t hash = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            q71::test::RecordTable records(q71::test::harnessRecordsWith(q71::bench::ownBoatRecord()));
            q71::test::WorldHarness harness(1000);
            if (suite) {
                auto& boat = harness.add(new q71::test::ScriptedOwnBoat(
                    "Q71i", 9000, {kSideMetres / 2, kSideMetres / 2, -120.0}, 0.0, 8.0));
                boat.streamTowedArray(500.0);
                boat.suite.activeSonar->transmitInterval = 60;
            }
            q71::test::harnessPopulate(harness, count, kSideMetres, 1000);
            state.ResumeTiming();
            harness.run(kGameSeconds, kPass);
            state.PauseTiming();
            hash = harness.stateHash();
        }
        state.ResumeTiming();
    }
    q71::bench::reportWorldRun(state, kGameSeconds, hash);
}

BENCHMARK(receiverSuite)
    ->ArgNames({"platforms", "suite"})
    ->ArgsProduct({{50, 200}, {1, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
