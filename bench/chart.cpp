// The chart's terrain image over a mission area of the data set, 9 shades with relief and
// dithering at cell size 1: a full 640 x 480 image rendered and composed, and a pan by an
// 8-pixel strip (moving the image, rendering the strip, composing); for scale, a plain copy of
// the 8-bit image in the same run.
// Reads the data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "platform/display/headless_backend.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/default_proc.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "sim/world/dem_database.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

using namespace q71;

// The Baie d'Aldra: land, coast and sea.
constexpr double kAreaLat = 46.0, kAreaLon = 79.0;

std::filesystem::path dataSet() {
    if (const char* data = std::getenv("Q71_DATA"))
        return data;
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "data";
}

// A chart whose rendering and composition the benchmark calls directly.
class BenchChart : public ChartView {
public:
    using ChartView::ChartView;
    using ChartView::drawImage;
    using ChartView::renderImage;
};

struct ChartBench {
    explicit ChartBench(benchmark::State& state) : session(display, clock) {
        auto db = demOpen((dataSet() / "terrain" / "WCDEM.dem").string());
        if (db)
            grid = demExtract(db.get(), kAreaLat, kAreaLon, kMissionRegionKm, kMissionRegionKm,
                              kMissionGridSamples, kMissionGridSamples, true);
        if (!grid) {
            state.SkipWithError("no terrain database: build the data set or set Q71_DATA");
            return;
        }
        installWindowDrawing();
        classRegister({"BenchWindow", 0, windowDefaultProc});
        main = windowCreate(0, "BenchWindow", "main", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, {});
        // A client area of 639 x 479 gives an image of 640 x 480.
        chart = std::make_unique<BenchChart>(main, 0, 0, 639, 479, grid.get());
        chart->setShadeColours(9, 8, 8, 8);
        chart->setDither(true);
        chart->setCellSize(1);
        chart->setView(300.0, 300.0, 150.0, 1);
        chart->loadGraphics();
        screen = getWindowDC(chart->window());
    }
    FakeClock clock;
    HeadlessBackend display;
    WindowSystemSession session;
    std::unique_ptr<DemGrid> grid;
    WindowHandle main{};
    std::unique_ptr<BenchChart> chart;
    std::unique_ptr<DeviceContext> screen;
};

void ChartFullRender(benchmark::State& state) {
    ChartBench bench(state);
    for (auto _ : state) {
        if (!bench.chart)
            break;
        bench.chart->renderImage(0, 0, bench.chart->imageWidth(), bench.chart->imageHeight());
        bench.chart->drawImage(*bench.screen);
    }
}
BENCHMARK(ChartFullRender)->Unit(benchmark::kMillisecond);

void ChartPanStrip(benchmark::State& state) {
    ChartBench bench(state);
    double step = 8.0;
    for (auto _ : state) {
        if (!bench.chart)
            break;
        // Eight pixels east, then back west: the view stays over the area.
        const ChartTransform t = bench.chart->getTransform();
        bench.chart->setView(bench.chart->centreX() + step * t.unitsX, bench.chart->centreY(),
                             bench.chart->scale(), 1);
        step = -step;
    }
}
BENCHMARK(ChartPanStrip)->Unit(benchmark::kMillisecond);

void ChartBaselineImageCopy(benchmark::State& state) {
    std::vector<std::uint8_t> image(640 * 480, 7), copy(640 * 480);
    for (auto _ : state) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ChartBaselineImageCopy)->Unit(benchmark::kMillisecond);

} // namespace
