// The own boat's receiver suite for one hour of game time at passes of 0.1 s: the bow and
// flank arrays, a towed array streamed 500 m, the active sonar pinging every 60 s, the
// intercept and ESM receivers, against 50 and 200 platforms laid out by the harness over a
// 40 km square around the boat (sides mixed, each patrolling its box with its own sensors).
// Each count runs with and without the suite, so the suite's share shows. Reports what
// world_run_report.h gives (the cost per platform against the 50-platform run), the state hash
// checked against the one kept for each run.

#include "sim/support/benchmark_worlds.h"

#include "world_run_report.h"

#include <benchmark/benchmark.h>

namespace {

const double kGameSeconds = q71::bench::gameSeconds(3600.0);
constexpr double kPass = 0.1;

// The state hash of each run after the hour, by platforms and suite.
std::uint64_t keptHash(int platforms, bool suite) {
    const std::map<std::pair<int, bool>, std::uint64_t> kept{{{50, true}, 0xf0b562aad0767406ULL},
                                                             {{50, false}, 0x6a6b52f472462481ULL},
                                                             {{200, true}, 0xe9193a3e49fb40dcULL},
                                                             {{200, false}, 0x99a219d68b64a6abULL}};
    return kept.at({platforms, suite});
}

void receiverSuite(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const bool suite = state.range(1) != 0;
    const auto figures = q71::bench::runWorld(state, kGameSeconds, kPass, [count, suite] {
        return std::make_unique<q71::test::ReceiverSquareWorld>(count, suite);
    });
    q71::bench::reportWorldRun(state, suite ? "suite" : "no suite", count, kGameSeconds, figures,
                               keptHash(count, suite));
}

BENCHMARK(receiverSuite)
    ->ArgNames({"platforms", "suite"})
    ->ArgsProduct({{50, 200}, {1, 0}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
