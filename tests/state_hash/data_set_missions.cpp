#include "sim/simulation/mission_end.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_mission.h"
#include "sim/support/world_harness.h"

#include "hash_checks.h"

#include <cstdio>

namespace q71::test {

namespace {

constexpr double kMissionSeconds = 600.0;
constexpr double kPassSeconds = 0.1;

std::optional<std::uint64_t> missionHash(const std::filesystem::path& dataSet, const std::string& mission) {
    if (!openDataSetForRun(dataSet))
        return std::nullopt;
    WorldHarness harness(1);
    if (!startDataSetScenario(mission).ok()) {
        std::fprintf(stderr, "state hash: %s does not start\n", mission.c_str());
        return std::nullopt;
    }
    simStartRunning();
    harness.run(kMissionSeconds, kPassSeconds);
    return harness.stateHash();
}

std::size_t missionsIn(const std::filesystem::path& dataSet) {
    std::size_t found = 0;
    std::error_code error;
    for (auto entry = std::filesystem::recursive_directory_iterator(dataSet, error);
         !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error))
        found += entry->path().extension() == ".scn";
    return found;
}

} // namespace

std::vector<HashRun> dataSetMissionRuns(const std::filesystem::path& dataSet) {
    // Every mission of the data set, by name, with its hash after ten minutes as it starts.
    static const std::pair<const char*, std::uint64_t> kept[] = {
        {"Ta1.scn", 0xac3c6dd5dcca90b7ULL}, {"Ta2.scn", 0x948e8be99f621cc5ULL},
        {"Ta3.scn", 0x06ed0da02389fff4ULL}, {"Sa1.scn", 0x2b56950479b2846cULL},
        {"Sa2.scn", 0xd62cd29cf3fdefc0ULL}, {"Sa3.scn", 0x3ff207042aef6614ULL},
        {"Sa4.scn", 0xe427b32a2b0a7e3dULL}, {"Sa5.scn", 0x0d38432bc1e2932fULL},
        {"Sa6.scn", 0x097d2b269d387da9ULL}, {"Ca1.scn", 0xb321c48a61d8e7e3ULL},
        {"Ca2.scn", 0xd27798386e85a1c4ULL}, {"Ca3.scn", 0x4bddc440a1eb0611ULL},
        {"Ca4.scn", 0x61e6393329df95c3ULL}, {"Ca5.scn", 0xa4f903023e0df0b1ULL},
    };
    std::vector<HashRun> runs;
    // A mission the data set gained or lost is a run with no hash.
    const std::size_t found = missionsIn(dataSet);
    runs.push_back({"missions of the data set", std::size(kept),
                    [found]() -> std::optional<std::uint64_t> { return found; }});
    for (const auto& [mission, hash] : kept) {
        const std::string name = mission;
        runs.push_back(
            {name + " after ten minutes", hash, [dataSet, name] { return missionHash(dataSet, name); }});
    }
    return runs;
}

} // namespace q71::test
