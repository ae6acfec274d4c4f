#include "sim/world/dem_height_bound.h"

#include <limits>

namespace q71 {

namespace {
int halved(int blocks) {
    return (blocks + 1) / 2;
}
} // namespace

DemHeightBound::DemHeightBound(const DemGrid& grid) {
    // Room for every level first: the levels point into it.
    std::size_t room = 0;
    for (int columns = grid.width, rows = grid.height; columns > 1 || rows > 1;) {
        columns = halved(columns);
        rows = halved(rows);
        room += static_cast<std::size_t>(columns) * rows;
    }
    coarser_.assign(room, std::numeric_limits<std::int16_t>::min());
    levels_.push_back({grid.samples.data(), grid.width});
    std::int16_t* blocks = coarser_.data();
    for (int finerRows = grid.height; levels_.back().columns > 1 || finerRows > 1;) {
        const Level finer = levels_.back();
        const int columns = halved(finer.columns), rows = halved(finerRows);
        for (int row = 0; row < finerRows; ++row)
            for (int column = 0; column < finer.columns; ++column) {
                std::int16_t& block = blocks[static_cast<std::size_t>(row / 2) * columns + column / 2];
                block = std::max(block, finer.highest[static_cast<std::size_t>(row) * finer.columns + column]);
            }
        levels_.push_back({blocks, columns});
        blocks += static_cast<std::size_t>(columns) * rows;
        finerRows = rows;
    }
}

} // namespace q71
