// One world, one result, on every build: the optimised, sanitizer and fuzz builds alike (scripts/test
// runs this in each) must end each of these runs on the state hash kept for it:
// - the worlds of the world benchmarks, each size for a short run (benchmark_worlds.cpp);
// - every mission of the data set as it starts, after ten game minutes (data_set_missions.cpp);
// - the data set's "Sa6" (a minefield with its mines, a rock and a submarine), its seed fixed by
//   the harness's clock, with the own boat under scripted orders for ten game minutes, stepped as
//   the main loop steps it at passes of a tenth of a second (here).
// Each run goes in a process of its own (see hash_checks.h).
// A difference means the builds no longer compute the same world, or a change moved a result: a
// change that moves a hash says why in its commit, and the kept value follows.
//
// Usage: q71_state_hash <data set folder>. Prints each hash; exit status 0 when every one is kept.
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/data_set_mission.h"
#include "sim/support/world_harness.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "support/temp_dir.h"

#include "hash_checks.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace q71::test {

namespace {

constexpr const char* kMission = "Sa6.scn";
constexpr std::uint64_t kKeptHash = 0x4cdd2e1bc207e40bULL;
constexpr double kMissionSeconds = 600.0;
constexpr double kPassSeconds = 0.1;

// An order of the script: the game second it is given at and what it does to the own boat.
struct ScriptedOrder {
    double at;
    std::function<void(OwnShipMotion&)> give;
};

// Under way, then deeper, the towed array out, turns, a sprint and back up towards periscope
// depth with the periscope raised: the telegraph, the helm, the depth orders, the array and a
// mast all take part, among the minefield's mines, its rock and the hostile submarine.
std::vector<ScriptedOrder> script() {
    return {
        {0.0,
         [](OwnShipMotion& m) {
             m.setEngineOrder(3);
             m.setOrderedCourse(45.0);
         }},
        {60.0, [](OwnShipMotion& m) { m.setOrderedDepth(-60.0); }},
        {120.0, [](OwnShipMotion& m) { m.arrayOrder1 = 1.0; }},
        {200.0, [](OwnShipMotion& m) { m.setOrderedCourse(300.0); }},
        {300.0, [](OwnShipMotion& m) { m.setEngineOrder(5); }},
        {420.0,
         [](OwnShipMotion& m) {
             m.setEngineOrder(2);
             m.setOrderedDepth(-18.0);
         }},
        {480.0,
         [](OwnShipMotion& m) {
             m.orderMast(kMastPeriscope, true);
             m.setOrderedCourse(180.0);
         }},
    };
}

} // namespace

bool openDataSetForRun(const std::filesystem::path& dataSet) {
    static const TempDir player; // the replay log of the run's process
    if (openDataSetForMissions(dataSet, player.path()))
        return true;
    std::fprintf(stderr, "state hash: cannot open the data set in %s\n", dataSet.c_str());
    return false;
}

std::optional<std::uint64_t> scriptedMissionHash() {
    WorldHarness harness(1);
    if (!startDataSetScenario(kMission).ok()) {
        std::fprintf(stderr, "state hash: %s does not start\n", kMission);
        return std::nullopt;
    }
    simStartRunning();
    auto* own = worldOwnSubmarine();
    if (!own || !own->ownMotion) {
        std::fprintf(stderr, "state hash: the mission has no own boat\n");
        return std::nullopt;
    }
    double now = 0.0;
    for (const ScriptedOrder& order : script()) {
        harness.run(order.at - now, kPassSeconds);
        now = order.at;
        order.give(*own->ownMotion);
    }
    harness.run(kMissionSeconds - now, kPassSeconds);
    return harness.stateHash();
}

namespace {

// Runs one in a child process; its hash, or nothing when it could not run.
std::optional<std::uint64_t> runApart(const HashRun& run) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const std::optional<std::uint64_t> hash = run.run();
        const bool sent = hash && ::write(pipeEnds[1], &*hash, sizeof *hash) == sizeof *hash;
        std::fflush(nullptr);
        ::_exit(sent ? 0 : 2);
    }
    ::close(pipeEnds[1]);
    std::uint64_t hash = 0;
    const bool read = child > 0 && ::read(pipeEnds[0], &hash, sizeof hash) == sizeof hash;
    ::close(pipeEnds[0]);
    int status = 0;
    const bool exited =
        child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!read || !exited)
        return std::nullopt;
    return hash;
}

} // namespace

} // namespace q71::test

int main(int argc, char** argv) {
    using namespace q71::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data set folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dataSet = std::filesystem::absolute(argv[1]);
    std::vector<HashRun> runs = dataSetMissionRuns(dataSet);
    runs.push_back({"Sa6.scn under scripted orders", kKeptHash, [dataSet]() -> std::optional<std::uint64_t> {
                        if (!openDataSetForRun(dataSet))
                            return std::nullopt;
                        return scriptedMissionHash();
                    }});
    for (HashRun& run : benchmarkWorldRuns())
        runs.push_back(std::move(run));
    int changed = 0, failed = 0;
    for (const HashRun& run : runs) {
        const std::optional<std::uint64_t> hash = runApart(run);
        if (!hash) {
            ++failed;
            std::printf("%-36s did not run\n", run.name.c_str());
            continue;
        }
        changed += *hash != run.kept;
        std::printf("%-36s state hash %016" PRIx64 "%s\n", run.name.c_str(), *hash,
                    *hash == run.kept ? "" : " CHANGED");
    }
    std::printf("%zu runs, %d changed, %d did not run\n", runs.size(), changed, failed);
    return failed ? 2 : changed ? 1 : 0;
}
