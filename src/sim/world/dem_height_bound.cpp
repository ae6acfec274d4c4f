#include "sim/world/dem_height_bound.h"

#include <algorithm>
#include <limits>

namespace q71 {

DemHeightBound::DemHeightBound(const DemGrid& grid) : blockColumns_((grid.width + kBlock - 1) / kBlock) {
    const int blockRows = (grid.height + kBlock - 1) / kBlock;
    blockHighest_.assign(static_cast<std::size_t>(blockColumns_) * blockRows,
                         std::numeric_limits<std::int16_t>::min());
    for (int row = 0; row < grid.height; ++row)
        for (int column = 0; column < grid.width; ++column) {
            std::int16_t& block =
                blockHighest_[static_cast<std::size_t>(row / kBlock) * blockColumns_ + column / kBlock];
            block = std::max(block, grid.at(column, row));
        }
}

std::int16_t DemHeightBound::highest(int c0, int r0, int c1, int r1) const {
    std::int16_t top = std::numeric_limits<std::int16_t>::min();
    for (int blockRow = r0 / kBlock; blockRow <= r1 / kBlock; ++blockRow)
        for (int blockColumn = c0 / kBlock; blockColumn <= c1 / kBlock; ++blockColumn)
            top = std::max(top,
                           blockHighest_[static_cast<std::size_t>(blockRow) * blockColumns_ + blockColumn]);
    return top;
}

} // namespace q71
