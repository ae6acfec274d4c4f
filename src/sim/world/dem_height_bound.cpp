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

} // namespace q71
