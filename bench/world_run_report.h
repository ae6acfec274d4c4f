#pragma once
// How the world benchmarks report a run of a world over an hour of game time: game seconds per
// wall-clock second, the cost per platform against the smallest run of the same kind, the
// allocations per pass in the second half-hour (the steady state), the bytes each platform holds
// at the end, and the state hash of the run as its label, with whether it is the kept one (an
// optimisation must leave it as it is).
//
// Every allocation of the program is counted here: include this header from one source of a
// program only (each world benchmark is a program of one source).

#include "bench_smoke.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/world_harness.h"
#include "support/replaced_new_delete.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>

namespace q71::bench {

struct AllocationTally {
    std::atomic<std::uint64_t> count{0};
    std::atomic<std::int64_t> liveBytes{0};
};

inline AllocationTally& allocationTally() {
    static AllocationTally tally;
    return tally;
}

/// One run's figures.
struct WorldRunFigures {
    double wallSeconds = 0.0;
    std::uint64_t passes = 0;            ///< passes of the second half-hour
    std::uint64_t steadyAllocations = 0; ///< allocations in those passes
    std::int64_t bytesAtEnd = 0;         ///< live bytes at the end, less those before the world was built
    std::uint64_t hash = 0;
    int entitiesAtEnd = 0; ///< entities in the world at the end
};

/// Reports the game time each iteration ran as a rate per wall-clock second.
inline void reportGameRate(benchmark::State& state, double gameSecondsPerIteration) {
    state.counters["game_seconds_per_second"] = benchmark::Counter(
        gameSecondsPerIteration * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

/// Builds a world (timing paused), runs it for `gameSeconds` in passes of `passSeconds` (timed),
/// the allocations counted over the second half, and hashes it. `World` is one of the worlds of
/// sim/support/benchmark_worlds.h, made by `make`.
template <class MakeWorld>
WorldRunFigures runWorld(benchmark::State& state, double gameSeconds, double passSeconds, MakeWorld make) {
    WorldRunFigures figures;
    AllocationTally& tally = allocationTally();
    for (auto _ : state) {
        state.PauseTiming();
        const std::int64_t before = tally.liveBytes.load();
        {
            auto world = make();
            const auto start = std::chrono::steady_clock::now();
            state.ResumeTiming();
            world->harness().run(gameSeconds / 2, passSeconds);
            const std::uint64_t allocationsHalfway = tally.count.load();
            world->harness().run(gameSeconds / 2, passSeconds);
            figures.steadyAllocations = tally.count.load() - allocationsHalfway;
            state.PauseTiming();
            figures.wallSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            figures.passes = static_cast<std::uint64_t>(std::llround(gameSeconds / 2 / passSeconds));
            figures.bytesAtEnd = tally.liveBytes.load() - before;
            figures.hash = world->harness().stateHash();
            figures.entitiesAtEnd = worldList().count();
        }
        state.ResumeTiming();
    }
    return figures;
}

/// Reports a run of `platforms` platforms: the rate, the cost per platform against the first run
/// of the same `kind` in this program (the smallest: 100 platforms, or 50 for the receivers), allocations per
/// steady pass, bytes per platform, and the hash against the kept one (0 when none is kept; a smoke
/// run's few seconds are never held against the kept hour).
inline void reportWorldRun(benchmark::State& state, const std::string& kind, int platforms,
                           double gameSeconds, const WorldRunFigures& figures, std::uint64_t kept) {
    static std::map<std::string, double> costPerPlatformOfFirst;
    reportGameRate(state, gameSeconds);
    const double costPerPlatform = figures.wallSeconds / platforms;
    const double first = costPerPlatformOfFirst.try_emplace(kind, costPerPlatform).first->second;
    if (first > 0)
        state.counters["cost_per_platform_vs_first"] = costPerPlatform / first;
    state.counters["allocations_per_pass"] =
        figures.passes ? static_cast<double>(figures.steadyAllocations) / static_cast<double>(figures.passes)
                       : 0.0;
    state.counters["bytes_per_platform"] = static_cast<double>(figures.bytesAtEnd) / platforms;
    if (smokeMode())
        kept = 0;
    char label[64];
    std::snprintf(label, sizeof label, "hash %016llx %s", static_cast<unsigned long long>(figures.hash),
                  kept == 0              ? "(none kept)"
                  : figures.hash == kept ? "(kept)"
                                         : "(CHANGED)");
    state.SetLabel(label);
}

} // namespace q71::bench

// The program's allocations, counted.
void* replacedAllocate(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    auto& tally = q71::bench::allocationTally();
    tally.count.fetch_add(1, std::memory_order_relaxed);
    tally.liveBytes.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    return p;
}
void replacedFree(void* p) noexcept {
    if (!p)
        return;
    q71::bench::allocationTally().liveBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)),
                                                      std::memory_order_relaxed);
    std::free(p);
}
