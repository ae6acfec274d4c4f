// The world step with computer-run ships and submarines: 100, 300 and 1,000 of them over the
// 100 km sea of islands in the layout of the world-step benchmark (sides mixed, every one on its
// box patrol with its sensors on), but built by the entity classes with their own motion and
// their own controllers, so that they hunt, attack and evade, for one hour of game time in
// passes of 0.4 s. Reports what world_run_report.h gives, the entities the hour ends with, and
// the state hash checked against the one kept for each size.

#include "sim/support/benchmark_worlds.h"

#include "world_run_report.h"

#include <benchmark/benchmark.h>

namespace {

const double kGameSeconds = q71::bench::gameSeconds(3600.0);
constexpr double kPass = 0.4;

// The state hash of each run after the hour, by platforms.
std::uint64_t keptHash(int platforms) {
    const std::map<int, std::uint64_t> kept{
        {100, 0x1787945660dd65d2ULL}, {300, 0xdf3a348d1b0dd0b8ULL}, {1000, 0x8738ba8f1f420019ULL}};
    return kept.at(platforms);
}

void aiWorld(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto figures = q71::bench::runWorld(state, kGameSeconds, kPass, [count] {
        return std::make_unique<q71::test::SeaOfIslandsWorld>(count, q71::test::IslandPlatforms::computerRun);
    });
    q71::bench::reportWorldRun(state, "ai", count, kGameSeconds, figures, keptHash(count));
    state.counters["entities_at_end"] = figures.entitiesAtEnd;
}

BENCHMARK(aiWorld)
    ->ArgName("platforms")
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
