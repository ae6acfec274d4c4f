#include "sim/world/terrain_world.h"

#include "framework/app/reporter.h"
#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/world/dem_database.h"
#include "sim/world/dem_height_bound.h"
#include "sim/world/terrain_progress.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q71 {

namespace {

constexpr int kTextProgressButton = 42;
constexpr int kTextProgressMessage = 43;

struct TerrainWorld {
    std::unique_ptr<DemDatabase> database;
    std::unique_ptr<DemGrid> grid;
    std::unique_ptr<DemHeightBound> bound; // of the grid, made when first asked; goes with it
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
    world.bound.reset();
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
    world.bound.reset();
    world.grid = demGridLoad("DemWorld.dgd");
    return world.grid != nullptr;
}

void worldClose() {
    world.grid.reset();
    world.bound.reset();
}

void worldShutdown() {
    world.grid.reset();
    world.bound.reset();
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
} // namespace

double worldRoughenDepth(double x, double y, double depth) {
    const double fine = waveHeight(0.1 * x, 0.1 * y, 88.8, kRoughnessWaves);
    const double broad = waveHeight(0.004 * x, 0.003 * y, 123.4, kRoughnessWaves);
    return depth + kFineRoughness * fine * depth + kBroadRoughness * broad * depth;
}

double worldRoughenCeiling(double depth) {
    // A hair more than the swells can reach, so that rounding never puts the bottom above it.
    static const double reach = (kFineRoughness + kBroadRoughness) * waveHeightBound(kRoughnessWaves) * 1.001;
    return depth + reach * std::fabs(depth) + 1e-9;
}

bool worldDepthCeilingAt(double x, double y, double* ceiling) {
    double depth = 0.0;
    if (!worldDepthAt(x, y, &depth, false))
        return false;
    *ceiling = worldRoughenCeiling(depth);
    return true;
}

std::optional<double> worldHighestCeilingIn(double x0, double y0, double x1, double y1) {
    const DemGrid* grid = world.grid.get();
    if (!grid)
        return std::nullopt;
    if (!world.bound)
        world.bound = std::make_unique<DemHeightBound>(*grid);
    int c0 = 0, c1 = grid->width - 1, r0 = 0, r1 = grid->height - 1;
    // A wrapping axis brings any position onto the grid: the whole axis may be under the box.
    double columnA = 0.0, rowA = 0.0, columnB = 0.0, rowB = 0.0;
    worldToGrid(x0, y0, &columnA, &rowA);
    worldToGrid(x1, y1, &columnB, &rowB);
    // One sample more on each side than the box touches, against rounding.
    const auto lowSample = [](double a, double b) { return std::floor(std::min(a, b)) - 1.0; };
    const auto highSample = [](double a, double b) { return std::floor(std::max(a, b)) + 2.0; };
    if (!grid->wrapX) {
        const double low = lowSample(columnA, columnB), high = highSample(columnA, columnB);
        if (!(high >= 0.0 && low <= c1)) // off the grid, or not a number
            return std::nullopt;
        c0 = static_cast<int>(std::max(low, 0.0));
        c1 = static_cast<int>(std::min(high, static_cast<double>(c1)));
    }
    if (!grid->wrapY) {
        const double low = lowSample(rowA, rowB), high = highSample(rowA, rowB);
        if (!(high >= 0.0 && low <= r1))
            return std::nullopt;
        r0 = static_cast<int>(std::max(low, 0.0));
        r1 = static_cast<int>(std::min(high, static_cast<double>(r1)));
    }
    return worldRoughenCeiling(world.bound->highest(c0, r0, c1, r1));
}

bool worldDepthAt(double x, double y, double* depth, bool withNoise) {
    double column, row, d;
    if (!worldToGrid(x, y, &column, &row) || !demSample(world.grid.get(), column, row, &d))
        return false;
    if (depth)
        *depth = withNoise ? worldRoughenDepth(x, y, d) : d;
    return true;
}

} // namespace q71
