// A 3-D view set up as the periscope optic sets it up, with no ships: animated sea, low-ground
// patch, hull-down, far clip 1800, fog and a day sky, at 400 x 225 and 300 x 300. Frames per
// second are the items per second of BM_EmptyViewFrame (goal: at least 300 on one core); the
// other benchmarks time the steps of a frame. BM_PeriscopeFrame is the optic itself with the data
// set's washes (Q71_DATA): render, wash and overlay, head clear (0) and awash (1).
#include "framework/resources/registry.h"
#include "platform/files/locations.h"
#include "platform/gdi/window_dc.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/surface_patch.h"

#include "bench_data_set.h"
#include "optic_view.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace q71;

using bench::OpticView;

void BM_EmptyViewFrame(benchmark::State& state) {
    OpticView o(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        o.clock.advance(16);
        o.view->render();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmptyViewFrame)->Args({400, 225})->Args({300, 300});

// The steps of a frame: the sea's reshaping, the patch under the camera, and the drawing.
void BM_SeaUpdate(benchmark::State& state) {
    OpticView o(400, 225);
    for (auto _ : state) {
        o.clock.advance(16);
        o.view->seaElement()->update(0.0f, 0.0f, -0.6f);
    }
}
BENCHMARK(BM_SeaUpdate);

void BM_PatchRebuild(benchmark::State& state) {
    OpticView o(400, 225);
    float x = 0.0f;
    for (auto _ : state) {
        x += static_cast<float>(o.view->lowGroundPatch()->cellSize() * 0.1);
        o.view->lowGroundPatch()->update(x, 0.6f, 0.0f);
    }
}
BENCHMARK(BM_PatchRebuild);

void BM_DrawOnly(benchmark::State& state) {
    OpticView o(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    o.view->render();
    auto dc = getWindowDC(o.view->window());
    for (auto _ : state)
        o.view->blitFrame(*dc);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawOnly)->Args({400, 225})->Args({300, 300});

void BM_PeriscopeFrame(benchmark::State& state) {
    if (!q71::bench::haveDataSet(state))
        return;
    std::snprintf(graphicsInstallPath, sizeof graphicsInstallPath, "%s", (locationDataRoot() + "/graphics").c_str());
    bool missing = false;
    rwSetFatalHook([&missing](int, int) { missing = true; });
    OpticView o(300, 300, true);
    auto& scope = static_cast<Scope&>(*o.view);
    if (!missing)
        scope.prepareWash();
    rwSetFatalHook(nullptr);
    if (!scope.washReady()) {
        state.SkipWithError("the data set's washes are missing: build it (scripts/play) or set Q71_DATA");
        return;
    }
    scope.setZoom(8.0);
    scope.setAttitude(30.0f, 0.0f, 0.0f);
    scope.setCameraPosition(0, 0, state.range(0) ? -3.0 : 9.0);
    for (auto _ : state) {
        o.clock.advance(16);
        scope.render();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PeriscopeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
