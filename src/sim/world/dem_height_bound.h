#pragma once
// The highest sample of a terrain grid over a rectangle of it, without looking at every sample:
// the grid is cut into square blocks, each keeping its highest sample, and a rectangle is
// answered by the blocks it touches (so the answer may come from a little beyond it, never lower
// than the truth). A sampled height between samples never rises above the highest of the
// samples around it, so a line clear of this bound is clear of the terrain under it.

#include "sim/world/dem_grid.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace q71 {

class DemHeightBound {
public:
    explicit DemHeightBound(const DemGrid& grid);

    /// The highest sample of columns c0..c1 and rows r0..r1 (inclusive, within the grid), or
    /// higher; no more than the highest sample of the grid.
    std::int16_t highest(int c0, int r0, int c1, int r1) const {
        std::int16_t top = std::numeric_limits<std::int16_t>::min();
        for (int blockRow = r0 / kBlock; blockRow <= r1 / kBlock; ++blockRow) {
            const std::int16_t* row = blockHighest_.data() + static_cast<std::size_t>(blockRow) * blockColumns_;
            for (int blockColumn = c0 / kBlock; blockColumn <= c1 / kBlock; ++blockColumn)
                top = std::max(top, row[blockColumn]);
        }
        return top;
    }

private:
    static constexpr int kBlock = 4; // samples a side

    int blockColumns_ = 0;
    std::vector<std::int16_t> blockHighest_; // row by row
};

} // namespace q71
