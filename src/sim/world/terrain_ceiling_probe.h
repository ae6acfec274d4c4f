#pragma once
// Questions a sight line asks of the terrain world at every step: the highest the rough bottom
// can be under a point, and over a box. The figures of the current grid are taken once per line,
// so a step costs its own arithmetic alone: the same arithmetic as worldToGrid and demSample.
// The rough bottom is worldRoughenDepth's: the probe raises a height by the most the swells can
// add (`roughnessReach`, given by the terrain world), and a line clear of that clears the bottom.

#include "sim/world/dem_grid.h"
#include "sim/world/dem_height_bound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace q71 {

class TerrainCeilingProbe {
public:
    TerrainCeilingProbe(const DemGrid& grid, const DemHeightBound& bound, double roughnessReach)
        : grid_(&grid), sampler_(grid), bound_(&bound), lastColumn_(grid.width - 1), lastRow_(grid.height - 1),
          widthMetres_(grid.extentX * 1000.0), heightMetres_(grid.extentY * 1000.0), reach_(roughnessReach) {}

    /// The highest the rough bottom can be at a world position (the height without roughness,
    /// raised); false off a grid that does not wrap.
    bool ceilingAt(double x, double y, double* ceiling) const {
        double depth = 0.0;
        if (!sampler_.sample(columnOf(x), rowOf(y), &depth))
            return false;
        *ceiling = roughen(depth);
        return true;
    }

    /// No less than the highest the rough bottom can be anywhere in the box between two world
    /// corners (the roughened ceiling of the highest sample of the height bound's blocks that the
    /// box touches, one sample wider on each side); nothing when the box lies wholly off a grid
    /// that does not wrap.
    std::optional<double> highestCeilingIn(double x0, double y0, double x1, double y1) const {
        int c0 = 0, c1 = grid_->width - 1, r0 = 0, r1 = grid_->height - 1;
        // A wrapping axis brings any position onto the grid: the whole axis may be under the box.
        // One sample more on each side than the box touches, against rounding.
        if (!grid_->wrapX && !sampleSpan(columnOf(x0), columnOf(x1), c0, c1))
            return std::nullopt;
        if (!grid_->wrapY && !sampleSpan(rowOf(y0), rowOf(y1), r0, r1))
            return std::nullopt;
        return roughen(bound_->highest(c0, r0, c1, r1));
    }

private:
    double columnOf(double x) const { return x * lastColumn_ / widthMetres_; }
    double rowOf(double y) const { return lastRow_ - y * lastRow_ / heightMetres_; }
    double roughen(double depth) const { return depth + reach_ * std::fabs(depth) + 1e-9; }

    // std::floor without the call into the maths library: a whole number below 2^52 converts
    // exactly both ways.
    static double floorOf(double v) {
        if (!(std::fabs(v) < 4.0e15))
            return std::floor(v);
        const double whole = static_cast<double>(static_cast<std::int64_t>(v));
        return whole > v ? whole - 1.0 : whole;
    }

    // The samples low..high of an axis from a - 1 to b + 2 (either way round), clipped to
    // 0..high as given; false when none lies on it (or a position is not a number).
    static bool sampleSpan(double a, double b, int& low, int& high) {
        const double first = floorOf(std::min(a, b)) - 1.0, last = floorOf(std::max(a, b)) + 2.0;
        if (!(last >= 0.0 && first <= high))
            return false;
        low = static_cast<int>(std::max(first, 0.0));
        high = static_cast<int>(std::min(last, static_cast<double>(high)));
        return true;
    }

    const DemGrid* grid_;
    DemSampler sampler_;
    const DemHeightBound* bound_;
    double lastColumn_, lastRow_;
    double widthMetres_, heightMetres_;
    double reach_;
};

} // namespace q71
