// Terrain: cutting a mission grid from the data set's terrain database, and depth lookups
// on the cut grid, each beside a plain array read of the same number of samples.
// Reads the data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "framework/resources/registry.h"
#include "sim/world/dem_database.h"
#include "sim/world/terrain_world.h"

#include "bench_data_set.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

using namespace q71;

// The first mission area of the data set.
constexpr double kAreaLat = 49.0, kAreaLon = -172.0;
constexpr int kSamples = kMissionGridSamples * kMissionGridSamples;

using bench::dataSet;

// The data set as the program has it before any terrain is read: its folder current and its
// settings (which name the terrain folder) read. Once, before the first lookup of a path.
bool useDataSet(benchmark::State& state) {
    if (!bench::haveDataSet(state))
        return false;
    static const bool ready = [] {
        std::filesystem::current_path(dataSet());
        appReadInstallPaths();
        return true;
    }();
    return ready;
}

std::unique_ptr<DemDatabase> openDatabase(benchmark::State& state) {
    if (!useDataSet(state))
        return nullptr;
    auto db = demOpen((dataSet() / "terrain" / "WCDEM.dem").string());
    if (!db)
        state.SkipWithError("no terrain database: build the data set or set Q71_DATA");
    return db;
}

void CutMissionGrid(benchmark::State& state) {
    auto db = openDatabase(state);
    for (auto _ : state) {
        if (!db)
            break;
        auto grid = demExtract(db.get(), kAreaLat, kAreaLon, kMissionRegionKm, kMissionRegionKm,
                               kMissionGridSamples, kMissionGridSamples, true);
        benchmark::DoNotOptimize(grid);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(CutMissionGrid)->Unit(benchmark::kMillisecond);

void CutBaselineArrayRead(benchmark::State& state) {
    std::vector<int16_t> samples(kSamples, -1000);
    for (auto _ : state) {
        long sum = 0;
        for (int16_t s : samples)
            sum += s;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(CutBaselineArrayRead)->Unit(benchmark::kMillisecond);

// Positions spread over the whole grid, as entities and sensors ask for them.
std::vector<std::pair<double, double>> positions() {
    std::mt19937 engine(71);
    std::uniform_real_distribution<double> across(0.0, kMissionRegionKm * 1000.0);
    std::vector<std::pair<double, double>> points(4096);
    for (auto& p : points)
        p = {across(engine), across(engine)};
    return points;
}

void DepthAt(benchmark::State& state) {
    // The terrain world finds its database through the data set's settings, from its folder.
    if (!useDataSet(state))
        return;
    worldOpen();
    if (!worldLoadRegion(kAreaLat, kAreaLon, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                         kMissionGridSamples, false))
        state.SkipWithError("the mission grid cannot be cut");
    const auto points = positions();
    const bool noise = state.range(0) != 0;
    size_t i = 0;
    for (auto _ : state) {
        double depth = 0.0;
        worldDepthAt(points[i].first, points[i].second, &depth, noise);
        benchmark::DoNotOptimize(depth);
        i = (i + 1) & (points.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
    worldShutdown();
}
BENCHMARK(DepthAt)->Arg(0)->Arg(1)->ArgNames({"noise"});

void DepthBaselineArrayRead(benchmark::State& state) {
    std::vector<int16_t> samples(kSamples, -1000);
    std::mt19937 engine(71);
    std::vector<int> indices(4096);
    for (int& index : indices)
        index = static_cast<int>(engine() % kSamples);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(samples[indices[i]]);
        i = (i + 1) & (indices.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DepthBaselineArrayRead);

} // namespace
