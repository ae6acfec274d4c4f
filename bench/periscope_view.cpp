// Fifty ships of the data set ahead of a 3-D view set up as the periscope optic sets it up
// (animated sea, low-ground patch, hull-down, far clip 1800, fog, day sky), shown through the
// scene-entity list as the optic attaches them, at 400 x 225 and 300 x 300: detail 0 (every fifth
// a wreck giving smoke) and detail 1 (the wakes of those under way too). Frames per second are the items per second
// of BM_ShipsFrame (goal: at least 300 on one core); its counters give the time of each step of a
// frame (the effects' animation, the rendering), BM_ShipsDrawOnly the drawing alone. Reads the
// data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "framework/resources/registry.h"
#include "platform/gdi/window_dc.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_scene_effects.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_texture.h"

#include "bench_data_set.h"
#include "optic_view.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <utility>
#include <vector>

namespace {

using namespace q71;

constexpr int kShips = 50;
constexpr double kLookBearing = 30.0; // where the optic view looks
constexpr std::uint64_t kFrameMs = 16;
constexpr int kBurningEvery = 5;

// The data set's object database, read once for the program.
bool useDataSet(benchmark::State& state) {
    if (!bench::haveDataSet(state))
        return false;
    static const bool ready = [] {
        std::filesystem::current_path(bench::dataSet());
        appReadInstallPaths();
        return objdbLoad();
    }();
    if (!ready)
        state.SkipWithError("the data set's object database does not load");
    return ready;
}

// The surface ships of the object database.
std::vector<const ObjectRecord*> shipRecords() {
    std::vector<const ObjectRecord*> ships;
    for (int i = 0; i < objdbCount(); ++i)
        if (const ObjectRecord* r = objdbGetByIndex(i); r->kind == kObjectKindSurfaceShip)
            ships.push_back(r);
    return ships;
}

// The view with the ships ahead, spread over a quarter of a field either side of the look from
// 400 m to 4 km, through the scene-entity list: under way, every fifth a burning wreck.
struct ShipScene {
    bench::OpticView optic;
    double gameTime = 100.0;

    ShipScene(int width, int height, bool detail) : optic(width, height, false, true) {
        rwInstallSceneEffects();
        rwInitParticles();
        const std::vector<const ObjectRecord*> records = shipRecords();
        for (int i = 0; i < kShips && !records.empty(); ++i) {
            const ObjectRecord& r = *records[static_cast<std::size_t>(i) % records.size()];
            auto* e = new Entity(1, r.id, 2, kKindSurface, -1);
            e->motion = std::make_unique<MotionModel>(*e);
            const double bearing = (kLookBearing + (i % 10 - 4.5) * 1.6) * std::numbers::pi / 180.0;
            const double range = 400.0 + 72.0 * i;
            MotionModel& m = *e->motion;
            m.x = range * std::sin(bearing);
            m.y = range * std::cos(bearing);
            m.heading = (i * 37) % 360;
            m.speed = m.driveSpeed = 8.0;
            if (i % kBurningEvery == 0) {
                e->hull = 0.05; // a burning wreck: its smoke rises every quarter second
                m.speed = m.driveSpeed = 0.0;
            }
            worldAddEntity(e);
        }
        simSetGameTime(gameTime);
        effectsSetView(optic.view.get(), detail);
        effectsBegin();
        effectsAttachView();
    }
    ~ShipScene() {
        effectsDetachView();
        effectsEnd();
        rwFreeEffectList();
        worldList().deleteAll();
        optic.view.reset();
        rwShutdown(); // the sea's and the wakes' textures, before the library closes
        rwInstallEffects(nullptr);
    }
    // The main loop's part of a frame: the clocks, the puffs and the scene entities.
    void animate() {
        optic.clock.advance(kFrameMs);
        gameTime += kFrameMs / 1000.0;
        simSetGameTime(gameTime);
        rwUpdatePuffs();
        effectsAnimate();
    }
};

// Both picture sizes of the optic, at detail 0 and 1.
void sizesAndDetails(benchmark::internal::Benchmark* b) {
    b->ArgNames({"width", "height", "detail"});
    for (int detail : {0, 1})
        for (const auto& [width, height] : {std::pair{400, 225}, std::pair{300, 300}})
            b->Args({width, height, detail});
}

double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

void BM_ShipsFrame(benchmark::State& state) {
    if (!useDataSet(state))
        return;
    ShipScene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    double animating = 0.0, rendering = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        scene.animate();
        const auto rendered = std::chrono::steady_clock::now();
        scene.optic.view->render();
        animating += std::chrono::duration<double>(rendered - start).count();
        rendering += secondsSince(rendered);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["animate_us"] = benchmark::Counter(animating * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["render_us"] = benchmark::Counter(rendering * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["puffs"] = static_cast<double>(rwPuffs().size());
}
BENCHMARK(BM_ShipsFrame)->Apply(sizesAndDetails);

// The drawing of a frame alone (the scene as the last frame left it).
void BM_ShipsDrawOnly(benchmark::State& state) {
    if (!useDataSet(state))
        return;
    ShipScene scene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    scene.animate();
    scene.optic.view->render();
    auto dc = getWindowDC(scene.optic.view->window());
    for (auto _ : state)
        scene.optic.view->blitFrame(*dc);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShipsDrawOnly)->Apply(sizesAndDetails);

} // namespace
