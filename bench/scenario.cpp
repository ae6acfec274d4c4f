// Scenarios of the data set: starting each one (the own-ship set-up, the reader, the terrain
// region, the sound profile) and ending it again; then one hour of game time of the largest one
// at passes of 0.1 s, in game seconds per wall-clock second. The own submarine and the units are
// of the entity classes, with their controllers and the explosions of their weapons.
// Reads the data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "sim/simulation/mission_end.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/sim_clock.h"
#include "sim/support/data_set_mission.h"
#include "sim/support/world_harness.h"
#include "support/temp_dir.h"

#include "world_run_report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace q71;

constexpr double kGameSeconds = 3600.0;
constexpr double kPassSeconds = 0.1;

std::filesystem::path dataSet() {
    if (const char* data = std::getenv("Q71_DATA"))
        return data;
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "data";
}

// The data set as the program has it when a mission starts: objects, texts and terrain open,
// the data set's folder current, and a player folder of the benchmark's own for the replay log.
bool openDataSet() {
    static const bool opened = [] {
        static test::TempDir player;
        return test::openDataSetForMissions(dataSet(), player.path());
    }();
    return opened;
}

std::vector<std::string> scenarioNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dataSet() / "Scenario", error))
        if (entry.path().extension() == ".scn")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool startMission(const std::string& name) {
    return test::startDataSetScenario(name).ok();
}

// The scenario with the most records.
std::string largestScenario() {
    std::string largest;
    size_t most = 0;
    for (const std::string& name : scenarioNames()) {
        std::ifstream in(dataSet() / "Scenario" / name, std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        MemorySource source(bytes);
        Scenario scenario;
        if (scenarioReadBody(source, scenario) && scenario.records.size() > most) {
            most = scenario.records.size();
            largest = name;
        }
    }
    return largest;
}

void LoadScenario(benchmark::State& state, const std::string& name) {
    if (!openDataSet()) {
        state.SkipWithError("no data set: build it or set Q71_DATA");
        return;
    }
    for (auto _ : state) {
        if (!startMission(name)) {
            state.SkipWithError("the scenario does not start");
            break;
        }
        simEndMission();
    }
}

void RunLargestScenario(benchmark::State& state) {
    const std::string name = largestScenario();
    if (!openDataSet() || name.empty()) {
        state.SkipWithError("no data set: build it or set Q71_DATA");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        test::WorldHarness harness(1);
        const bool started = startMission(name);
        simStartRunning();
        state.ResumeTiming();
        if (!started) {
            state.SkipWithError("the scenario does not start");
            break;
        }
        harness.run(kGameSeconds, kPassSeconds);
        state.PauseTiming();
        simEndMission();
        state.ResumeTiming();
    }
    state.SetLabel(name);
    q71::bench::reportGameRate(state, kGameSeconds);
}

// One loading benchmark per scenario the data set holds.
const bool registered = [] {
    for (const std::string& name : scenarioNames())
        benchmark::RegisterBenchmark(("LoadScenario/" + name).c_str(), LoadScenario, name)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("RunLargestScenario", RunLargestScenario)
        ->Unit(benchmark::kSecond)
        ->Iterations(1);
    return true;
}();

} // namespace
