#pragma once
// How the world benchmarks report a run: game seconds per wall-clock second, and the state hash
// of the run as its label (an optimisation must leave it as it is).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

namespace q71::bench {

/// Reports the game time each iteration ran as a rate per wall-clock second.
inline void reportGameRate(benchmark::State& state, double gameSecondsPerIteration) {
    state.counters["game_seconds_per_second"] = benchmark::Counter(
        gameSecondsPerIteration * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

/// Reports the rate and labels the run with its state hash.
inline void reportWorldRun(benchmark::State& state, double gameSecondsPerIteration, std::uint64_t hash) {
    reportGameRate(state, gameSecondsPerIteration);
    char label[32];
    std::snprintf(label, sizeof label, "hash %016llx", static_cast<unsigned long long>(hash));
    state.SetLabel(label);
}

} // namespace q71::bench
