#include "sim/support/benchmark_worlds.h"

#include "hash_checks.h"

#include <cstdio>

namespace q71::test {

namespace {

// Long enough for every sensor to scan, the per-second pass to run and the first contacts to be
// taken; short enough for the sanitizer build.
constexpr double kGameSeconds = 10.0;

struct Kept {
    const char* name;
    int count;
    double pass;
    std::uint64_t hash;
};

std::optional<std::uint64_t> runWorld(const Kept& k) {
    const std::string name = k.name;
    if (name == "world step" || name == "AI world") {
        SeaOfIslandsWorld world(k.count, name == "world step" ? IslandPlatforms::harness
                                                              : IslandPlatforms::computerRun);
        world.harness().run(kGameSeconds, k.pass);
        return world.harness().stateHash();
    }
    ReceiverSquareWorld world(k.count, name == "receivers");
    world.harness().run(kGameSeconds, k.pass);
    return world.harness().stateHash();
}

} // namespace

std::vector<HashRun> benchmarkWorldRuns() {
    // The hashes after kGameSeconds, by world, size and pass; "bare square" is the receivers'
    // square without the own boat.
    static const Kept kept[] = {
        {"world step", 100, 0.1, 0x02cb4039747bb4a1ULL},  {"world step", 100, 2.0, 0x5ddf9d2c0cbdf3ddULL},
        {"world step", 300, 0.1, 0xda4390fda4335b1fULL},  {"world step", 300, 2.0, 0xd16b6bfb573edf37ULL},
        {"world step", 1000, 0.1, 0x330e99a574c4f704ULL}, {"world step", 1000, 2.0, 0xb56885042e5c892fULL},
        {"AI world", 100, 0.4, 0x78b17f126bed2c3aULL},    {"AI world", 300, 0.4, 0x935e3d0f819db665ULL},
        {"AI world", 1000, 0.4, 0xbff5db783059b30fULL},   {"receivers", 50, 0.1, 0xf48f95a2e0057a7dULL},
        {"receivers", 200, 0.1, 0xadda37bc455d41b5ULL},   {"bare square", 50, 0.1, 0x71a60a1d979cb6adULL},
        {"bare square", 200, 0.1, 0x91d4b27c2a4a9b65ULL},
    };
    std::vector<HashRun> runs;
    for (const Kept& k : kept) {
        char name[64];
        std::snprintf(name, sizeof name, "%s %d, pass %.1f s", k.name, k.count, k.pass);
        runs.push_back({name, k.hash, [&k] { return runWorld(k); }});
    }
    return runs;
}

} // namespace q71::test
