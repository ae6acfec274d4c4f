#include "sim/simulation/terrain_geometry.h"

#include "sim/simulation/sound_profile.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {
constexpr double kFineCell = 400.0;
constexpr double kCoarseCell = 875.0;
constexpr double kSightStepYards = 400.0;
// Steps of the sight line tested at once against the highest bottom under them (the most clear
// runs skipped for the fewest bounds asked, on the benchmarks' sea of islands), and the margin
// (relative) by which the line must clear it: the steps' heights are rounded apart from the ends'.
constexpr double kStepsPerBound = 16.0;
constexpr double kBoundSlack = 1e-9;
} // namespace

std::optional<double> terrainDepthInterpolated(double x, double y, bool fine) {
    const double s = fine ? kFineCell : kCoarseCell;
    const double i = std::trunc(x / s), j = std::trunc(y / s);
    const double fx = (x - i * s) / s, fy = (y - j * s) / s;
    // Corners (0,0), (0,1), (1,0), (1,1) of the cell.
    double d[4];
    bool known[4];
    double sum = 0.0;
    int count = 0;
    for (int k = 0; k < 4; ++k) {
        known[k] = worldRoughDepthRemembered((i + k / 2) * s, (j + k % 2) * s, &d[k]);
        if (known[k]) {
            sum += d[k];
            ++count;
        }
    }
    if (count == 0)
        return std::nullopt;
    for (int k = 0; k < 4; ++k)
        if (!known[k])
            d[k] = sum / count;
    const double d00 = d[0], d01 = d[1], d10 = d[2], d11 = d[3];
    // Linear over the triangle that holds the point, the cell split from (1, 0) to (0, 1).
    if (fx + fy <= 1.0) {
        const double a = d00 + (d01 - d00) * fy, b = d10 + (d01 - d10) * fy;
        return fy == 1.0 ? a : a + (b - a) * fx / (1.0 - fy);
    }
    const double a = d10 + (d11 - d10) * fy, b = d10 + (d01 - d10) * fy;
    return fy == 0.0 ? a : a + (b - a) * (1.0 - fx) / fy;
}

bool terrainLineBlocked(const WorldPoint& a, const WorldPoint& b, WorldPoint* blockedAt) {
    // A world without a terrain grid has no bottom to block a line (the walk would skip every
    // stretch): a sea of sensors hearing one another over open water spares the walk.
    if (!worldGrid())
        return false;
    const double n = entityRangeYards(a, b) / kSightStepYards;
    if (!(n > 1.0) || !std::isfinite(n))
        return false;
    const auto pointAt = [&](double k) {
        const double t = k / n;
        return WorldPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
    };
    // Without a grid nothing blocks.
    const std::optional<TerrainCeilingProbe> probe = worldCeilingProbe();
    if (!probe)
        return false;
    const double lastK = std::ceil(n) - 1.0; // the last whole step short of the far end
    double runEnd = 0.0;                     // the last step of the run under way
    for (double k = 1.0; k <= lastK; k += 1.0) {
        // A run of steps whose box lies wholly above the highest bottom under it cannot be
        // blocked: skip it, and spare the samples. A step blocked is still found where it is.
        if (k > runEnd) {
            runEnd = std::min(k + kStepsPerBound - 1.0, lastK);
            const WorldPoint first = pointAt(k), last = pointAt(runEnd);
            const double lowest = std::min(first.z, last.z);
            const std::optional<double> highest = probe->highestCeilingIn(first.x, first.y, last.x, last.y);
            if (!highest || *highest < lowest - kBoundSlack * (1.0 + std::fabs(lowest))) {
                k = runEnd;
                continue;
            }
        }
        const WorldPoint p = pointAt(k);
        double terrain = 0.0;
        // The rough bottom costs two swells to work out: where even its highest reach stays
        // below the line, there is no need.
        if (probe->ceilingAt(p.x, p.y, &terrain) && !(terrain > p.z))
            continue;
        if (worldDepthAt(p.x, p.y, &terrain, true) && terrain > p.z) {
            if (blockedAt)
                *blockedAt = {p.x, p.y, terrain};
            return true;
        }
    }
    return false;
}

int geoSafeDepth(const WorldPoint& position, double depthLimit) {
    double deepest = std::max(depthLimit + 17.0, soundProfile().layerDepth - 100.0);
    if (const std::optional<double> bottom = terrainDepthInterpolated(position.x, position.y, true))
        deepest = std::max(deepest, *bottom + 50.0);
    return static_cast<int>(deepest);
}

} // namespace q71
