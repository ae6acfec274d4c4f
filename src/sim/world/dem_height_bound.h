#pragma once
// Whether a rectangle of a terrain grid lies wholly below a height, without looking at every
// sample: above the samples themselves, square blocks two samples wide each keep their highest
// sample, and those again blocks twice as wide, up to one block over the whole grid. A rectangle
// is judged by the finest blocks of which it crosses fewer than four a side (so the answer may
// come from a little beyond it, never from less; rectangles up to four samples a side by their
// samples): a few reads for a rectangle of any size. A sampled height between samples never
// rises above the highest of the samples around it, so a line above the blocks under it is
// above the terrain there.

#include "sim/world/dem_grid.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace q71 {

class DemHeightBound {
public:
    /// Kept beside the grid, whose samples it reads: valid while the grid stays.
    explicit DemHeightBound(const DemGrid& grid);

    /// True when the blocks that hold columns c0..c1 and rows r0..r1 (inclusive, within the grid)
    /// lie wholly below `limit`: then so does every sample of the rectangle. False whenever a
    /// sample of the rectangle does not, and maybe when one near it does not.
    bool allBelow(int c0, int r0, int c1, int r1, int limit) const {
        // The finest blocks of which the longer side crosses fewer than four, so that it touches
        // five at most.
        const int span = std::max(c1 - c0, r1 - r0);
        const auto level = static_cast<std::size_t>(
            std::min(std::max(static_cast<int>(std::bit_width(static_cast<unsigned>(span))) - 2, 0),
                     static_cast<int>(levels_.size()) - 1));
        const int shift = static_cast<int>(level);
        const Level& blocks = levels_[level];
        for (int blockRow = r0 >> shift; blockRow <= r1 >> shift; ++blockRow) {
            const std::int16_t* row = blocks.highest + static_cast<std::size_t>(blockRow) * blocks.columns;
            for (int blockColumn = c0 >> shift; blockColumn <= c1 >> shift; ++blockColumn)
                if (row[blockColumn] >= limit)
                    return false;
        }
        return true;
    }

private:
    struct Level {
        const std::int16_t* highest; // the highest sample of each block, row by row
        int columns;                 // blocks a row
    };
    std::vector<std::int16_t> coarser_; // the blocks of every level but the samples, finest first
    std::vector<Level> levels_;         // blocks 2^i samples wide at i: the samples, ..., one block
};

} // namespace q71
