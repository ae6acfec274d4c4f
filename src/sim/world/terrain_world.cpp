#include "sim/world/terrain_world.h"

#include "framework/app/reporter.h"
#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/world/dem_database.h"
#include "sim/world/terrain_depth_memo.h"
#include "sim/world/terrain_progress.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q71 {

namespace {

constexpr int kTextProgressButton = 42;
constexpr int kTextProgressMessage = 43;

// The height bound of a grid and the probe over it, made together.
struct SightLineTerrain {
    SightLineTerrain(const DemGrid& grid, double roughnessReach) : bound(grid), probe(grid, bound, roughnessReach) {}
    SightLineTerrain(const SightLineTerrain&) = delete;
    SightLineTerrain& operator=(const SightLineTerrain&) = delete;

    DemHeightBound bound;
    TerrainCeilingProbe probe;
};

struct TerrainWorld {
    std::unique_ptr<DemDatabase> database;
    std::unique_ptr<DemGrid> grid;
    std::unique_ptr<SightLineTerrain> sight; // of the grid, made when first asked; goes with it
    std::unique_ptr<TerrainDepthMemo> memo; // rough depths of the grid, likewise
    bool opened = false;
};

// Freed at program exit with everything in it.
TerrainWorld world;

// Without a grid the conversions give 0 and report failure.
bool noGrid(double* a, double* b) {
    if (a)
        *a = 0.0;
    if (b)
        *b = 0.0;
    return false;
}

} // namespace

void worldOpen() {
    if (world.opened)
        return;
    world.opened = true;
    std::string error;
    world.database = demOpen("WCDEM.dem", &error);
    if (!world.database)
        reportFatal(error.c_str(), 132, "World\\World", 0);
}

bool worldLoadRegion(double lat, double lon, double width, double height, int nx, int ny, bool withProgress) {
    world.grid.reset();
    world.sight.reset();
    world.memo.reset();
    if (!world.database)
        return false;
    TerrainProgressBox& box = worldProgressBox();
    // Copies: the two texts share the text manager's buffer.
    box.open(textCopy(kTextProgressMessage).c_str(), textCopy(kTextProgressButton).c_str(), withProgress);
    bool boxOpen = true;
    long last = 0;
    // The messages waiting for the program are answered at each whole percent.
    auto progress = [&](long done, long total) {
        box.setLevel(done, total);
        const bool nextPercent = done * 100 / total != last * 100 / total;
        last = done;
        if (nextPercent && box.pumpMessages()) {
            box.close();
            boxOpen = false;
            return false;
        }
        return true;
    };
    world.grid = demExtract(world.database.get(), lat, lon, width, height, nx, ny, true, progress);
    if (boxOpen)
        box.close();
    return world.grid != nullptr;
}

bool worldLoadWhole() {
    world.sight.reset();
    world.memo.reset();
    world.grid = demGridLoad("DemWorld.dgd");
    return world.grid != nullptr;
}

void worldClose() {
    world.grid.reset();
    world.sight.reset();
    world.memo.reset();
}

void worldShutdown() {
    world.grid.reset();
    world.sight.reset();
    world.memo.reset();
    world.database.reset();
    world.opened = false;
}

const DemGrid* worldGrid() {
    return world.grid.get();
}

bool worldToGrid(double x, double y, double* column, double* row) {
    const DemGrid* grid = world.grid.get();
    if (!grid)
        return noGrid(column, row);
    const double lastColumn = grid->width - 1, lastRow = grid->height - 1;
    if (column)
        *column = x * lastColumn / (grid->extentX * 1000.0);
    if (row)
        *row = lastRow - y * lastRow / (grid->extentY * 1000.0);
    return true;
}

bool gridToWorld(double column, double row, double* x, double* y) {
    const DemGrid* grid = world.grid.get();
    if (!grid)
        return noGrid(x, y);
    const double lastColumn = grid->width - 1, lastRow = grid->height - 1;
    if (x)
        *x = column * grid->extentX * 1000.0 / lastColumn;
    if (y)
        *y = (lastRow - row) * grid->extentY * 1000.0 / lastRow;
    return true;
}

bool worldExtent(double* x, double* y) {
    const DemGrid* grid = world.grid.get();
    return gridToWorld(grid ? grid->width - 1 : 0, 0, x, y);
}

namespace {
constexpr int kRoughnessWaves = 12;
constexpr double kFineRoughness = 0.05, kBroadRoughness = 0.1;

// The most worldRoughenDepth can add to a height, relative to its size: a hair more than the
// swells can reach, so that rounding never puts the bottom above a height raised by it.
double roughnessReach() {
    static const double reach = (kFineRoughness + kBroadRoughness) * waveHeightBound(kRoughnessWaves) * 1.001;
    return reach;
}
} // namespace

double worldRoughenDepth(double x, double y, double depth) {
    const double fine = waveHeight(0.1 * x, 0.1 * y, 88.8, kRoughnessWaves);
    const double broad = waveHeight(0.004 * x, 0.003 * y, 123.4, kRoughnessWaves);
    return depth + kFineRoughness * fine * depth + kBroadRoughness * broad * depth;
}

const TerrainCeilingProbe* worldCeilingProbe() {
    if (!world.sight) {
        const DemGrid* grid = world.grid.get();
        if (!grid)
            return nullptr;
        world.sight = std::make_unique<SightLineTerrain>(*grid, roughnessReach());
    }
    return &world.sight->probe;
}

bool worldDepthAt(double x, double y, double* depth, bool withNoise) {
    double column, row, d;
    if (!worldToGrid(x, y, &column, &row) || !demSample(world.grid.get(), column, row, &d))
        return false;
    if (depth)
        *depth = withNoise ? worldRoughenDepth(x, y, d) : d;
    return true;
}

bool worldRoughDepthRemembered(double x, double y, double* depth) {
    if (!world.grid)
        return false;
    if (!world.memo)
        world.memo = std::make_unique<TerrainDepthMemo>();
    return world.memo->depthAt(x, y, depth,
                               [](double px, double py, double* d) { return worldDepthAt(px, py, d, true); });
}

} // namespace q71
