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

namespace {

// The steps k of a sight line (points a + k / n (b - a)) tested for the first whose rough bottom
// stands above it. A stretch of steps is first held against the blocks of the height bound under
// its box; below them, it is passed at once, else it is halved, down to stretches few enough to
// sample. Every step of a stretch lies within the box of its end steps, and its height between
// theirs (each coordinate and grid position is worked out by the same rounded operations, which
// never reverse the order of their operands), so a stretch passed holds no step the sampling
// would block: the first step found is the one every step sampled in order finds.
class SightLineWalk {
public:
    SightLineWalk(const WorldPoint& a, const WorldPoint& b, double steps, const TerrainCeilingProbe& probe)
        : a_(a), b_(b), steps_(steps), probe_(probe) {}

    /// The first of steps 1..lastStep the bottom blocks, to `at`.
    bool firstBlocked(double lastStep, WorldPoint* at) {
        const Step first = stepAt(1.0), last = stepAt(lastStep);
        // Every stretch is held against the lowest height of the line (a hair lower, against the
        // rounding of the raised bottom): only samples reaching it can block a step.
        const double lowest = std::min(first.point.z, last.point.z);
        limit_ = probe_.lowestReaching(lowest - kBoundSlack * (1.0 + std::fabs(lowest)));
        return blockedIn(1.0, first, lastStep, last, at);
    }

private:
    // Stretches of fewer steps are sampled step by step (chosen by measurement on the
    // benchmarks' sea of islands), and the margin (relative) below the line's lowest height.
    static constexpr double kSampledSteps = 8.0;
    static constexpr double kBoundSlack = 1e-9;

    struct Step {
        WorldPoint point;
        TerrainCeilingProbe::Spot spot;
    };

    Step stepAt(double k) const {
        const double t = k / steps_;
        const WorldPoint p{a_.x + t * (b_.x - a_.x), a_.y + t * (b_.y - a_.y), a_.z + t * (b_.z - a_.z)};
        return {p, probe_.spotOf(p.x, p.y)};
    }

    // Steps first..last, the ends' places given.
    bool blockedIn(double first, const Step& firstStep, double last, const Step& lastStep, WorldPoint* at) const {
        if (probe_.allBelow(firstStep.spot, lastStep.spot, limit_))
            return false;
        if (last - first < kSampledSteps)
            return sampledBlocked(first, firstStep, last, lastStep, at);
        const double middle = std::floor((first + last) / 2.0);
        return blockedIn(first, firstStep, middle, stepAt(middle), at) ||
               blockedIn(middle + 1.0, stepAt(middle + 1.0), last, lastStep, at);
    }

    bool sampledBlocked(double first, const Step& firstStep, double last, const Step& lastStep,
                        WorldPoint* at) const {
        for (double k = first; k <= last; k += 1.0) {
            const Step step = k == first ? firstStep : k == last ? lastStep : stepAt(k);
            const WorldPoint& p = step.point;
            double terrain = 0.0;
            // The rough bottom costs two swells to work out: where even its highest reach stays
            // below the line, there is no need.
            if (probe_.ceilingAt(step.spot, &terrain) && !(terrain > p.z))
                continue;
            if (worldDepthAt(p.x, p.y, &terrain, true) && terrain > p.z) {
                if (at)
                    *at = {p.x, p.y, terrain};
                return true;
            }
        }
        return false;
    }

    const WorldPoint& a_;
    const WorldPoint& b_;
    double steps_;
    const TerrainCeilingProbe& probe_;
    int limit_ = 0;
};

// Beyond this many steps they are no longer whole numbers apart in a double: no walk counts them.
constexpr double kMostSteps = 0x1p52;

} // namespace

bool terrainLineBlocked(const WorldPoint& a, const WorldPoint& b, WorldPoint* blockedAt) {
    // A world without a terrain grid has no bottom to block a line.
    const TerrainCeilingProbe* probe = worldCeilingProbe();
    if (!probe)
        return false;
    const double n = entityRangeYards(a, b) / kSightStepYards;
    if (!(n > 1.0 && n < kMostSteps))
        return false;
    // The last whole step short of the far end.
    return SightLineWalk(a, b, n, *probe).firstBlocked(std::ceil(n) - 1.0, blockedAt);
}

int geoSafeDepth(const WorldPoint& position, double depthLimit) {
    double deepest = std::max(depthLimit + 17.0, soundProfile().layerDepth - 100.0);
    if (const std::optional<double> bottom = terrainDepthInterpolated(position.x, position.y, true))
        deepest = std::max(deepest, *bottom + 50.0);
    return static_cast<int>(deepest);
}

} // namespace q71
