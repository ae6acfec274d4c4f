// The world step for one hour of game time: 100, 300 and 1,000 platforms over a 100 km square
// of sea with islands, sides mixed, every platform patrolling its box with its sensors on, at
// passes of 0.1 s and 2 s of game time. Reports what world_run_report.h gives, the state hash
// checked against the one kept for each size.

#include "sim/support/benchmark_worlds.h"

#include "world_run_report.h"

#include <benchmark/benchmark.h>

namespace {

const double kGameSeconds = q71::bench::gameSeconds(3600.0);

// The state hash of each run after the hour, by platforms and pass (tenths of a second).
std::uint64_t keptHash(int platforms, int passTenths) {
    const std::map<std::pair<int, int>, std::uint64_t> kept{
        {{100, 1}, 0xc3e280fe2437f98cULL},
        {{100, 20}, 0x6364cab0214fc1e2ULL},
        {{300, 1}, 0xbe06155a8d2095e6ULL},
        {{300, 20}, 0x525a385f42e7104aULL},
        {{1000, 1}, 0xae3563c2c45f0427ULL},
        {{1000, 20}, 0xad920cfa4fb17501ULL},
    };
    return kept.at({platforms, passTenths});
}

void worldStep(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const int passTenths = static_cast<int>(state.range(1));
    const auto figures = q71::bench::runWorld(state, kGameSeconds, passTenths / 10.0, [count] {
        return std::make_unique<q71::test::SeaOfIslandsWorld>(count, q71::test::IslandPlatforms::harness);
    });
    q71::bench::reportWorldRun(state, "pass " + std::to_string(passTenths), count, kGameSeconds, figures,
                               keptHash(count, passTenths));
}

BENCHMARK(worldStep)
    ->ArgNames({"platforms", "pass_tenths"})
    ->ArgsProduct({{100, 300, 1000}, {1, 20}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
