#pragma once
// Questions a sight line asks of the terrain world at every step: the highest the rough bottom
// can be under a point, and whether it can reach a height anywhere in a box. The figures of the
// current grid are taken once, so a step costs its own arithmetic alone: the same arithmetic as
// worldToGrid and demSample.
// The rough bottom is worldRoughenDepth's: the probe raises a height by the most the swells can
// add (`roughnessReach`, given by the terrain world), and a line clear of that clears the bottom.

#include "sim/world/dem_grid.h"
#include "sim/world/dem_height_bound.h"

#include <algorithm>
#include <cmath>

namespace q71 {

class TerrainCeilingProbe {
public:
    /// A world position's place on the grid, in columns and rows (worldToGrid's).
    struct Spot {
        double column, row;
    };

    TerrainCeilingProbe(const DemGrid& grid, const DemHeightBound& bound, double roughnessReach)
        : sampler_(grid), bound_(&bound), lastColumnIndex_(grid.width - 1), lastRowIndex_(grid.height - 1),
          wrapX_(grid.wrapX != 0), wrapY_(grid.wrapY != 0), lastColumn_(grid.width - 1), lastRow_(grid.height - 1),
          widthMetres_(grid.extentX * 1000.0), heightMetres_(grid.extentY * 1000.0), reach_(roughnessReach) {}

    /// The spot of a world position.
    Spot spotOf(double x, double y) const {
        return {x * lastColumn_ / widthMetres_, lastRow_ - y * lastRow_ / heightMetres_};
    }

    /// The highest the rough bottom can be at a spot (the height without roughness, raised);
    /// false off a grid that does not wrap.
    bool ceilingAt(Spot spot, double* ceiling) const {
        double depth = 0.0;
        if (!sampler_.sample(spot.column, spot.row, &depth))
            return false;
        *ceiling = roughen(depth);
        return true;
    }

    /// The lowest whole height of a sample whose rough bottom can rise to `height` or above
    /// (-32,768 when any can, 32,768 when none can, nor to a height that is not a number).
    int lowestReaching(double height) const {
        if (!(height <= roughen(kHighestSample)))
            return static_cast<int>(kHighestSample) + 1;
        if (height <= roughen(kLowestSample))
            return static_cast<int>(kLowestSample);
        // The inverse of the raising, then on to the exact whole height: the raised heights of
        // whole heights keep their order.
        int sample = static_cast<int>(height > 0.0 ? height / (1.0 + reach_) : height / (1.0 - reach_));
        while (sample > kLowestSample && roughen(sample - 1.0) >= height)
            --sample;
        while (roughen(sample) < height)
            ++sample;
        return sample;
    }

    /// True when no sample an interpolation anywhere in the box between two spots can read
    /// reaches `limit` (the box judged by the height bound's blocks, which hold those samples),
    /// or the box lies wholly off a grid that does not wrap. spotOf works a position out by
    /// rounded operations that keep the order of their operands: a position between two others
    /// has its spot between theirs.
    bool allBelow(Spot a, Spot b, int limit) const {
        int c0 = 0, c1 = lastColumnIndex_, r0 = 0, r1 = lastRowIndex_;
        // A wrapping axis brings any position onto the grid: the whole axis may be under the box.
        if (!wrapX_ && !sampleSpan(a.column, b.column, c0, c1))
            return true;
        if (!wrapY_ && !sampleSpan(a.row, b.row, r0, r1))
            return true;
        return bound_->allBelow(c0, r0, c1, r1, limit);
    }

private:
    static constexpr double kLowestSample = -32768.0, kHighestSample = 32767.0;

    double roughen(double depth) const { return depth + reach_ * std::fabs(depth) + 1e-9; }

    // The samples an interpolation at the positions between a and b (either way round) on the
    // axis 0..last as given can read, from the floor of the lower to one past the floor of the
    // higher, clipped to the axis; false when none lies on it (or a position is not a number).
    // On the last sample the interpolation reads the one before with a weight of exactly nothing.
    static bool sampleSpan(double a, double b, int& low, int& last) {
        const double lower = std::min(a, b), higher = std::max(a, b);
        if (!(higher >= 0.0 && lower <= last))
            return false;
        // Both conversions cut toward zero, the floor of a position not below zero.
        low = lower > 0.0 ? static_cast<int>(lower) : 0;
        if (higher < static_cast<double>(last))
            last = static_cast<int>(higher) + 1;
        return true;
    }

    DemSampler sampler_;
    const DemHeightBound* bound_;
    int lastColumnIndex_, lastRowIndex_;
    bool wrapX_, wrapY_;
    double lastColumn_, lastRow_;
    double widthMetres_, heightMetres_;
    double reach_;
};

} // namespace q71
