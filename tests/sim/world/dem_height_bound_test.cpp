#include "sim/world/dem_height_bound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace q71 {
namespace {

// A 37 x 29 grid (blocks that do not divide it) of heights drawn at random, with a spike.
DemGrid randomGrid() {
    DemGrid grid;
    grid.width = 37;
    grid.height = 29;
    std::mt19937 draws(7);
    std::uniform_int_distribution<int> height(-3000, 200);
    for (int i = 0; i < grid.width * grid.height; ++i)
        grid.samples.push_back(static_cast<std::int16_t>(height(draws)));
    grid.samples[static_cast<std::size_t>(28) * grid.width + 36] = 1500; // the last sample of all
    return grid;
}

TEST(DemHeightBound, NeverBelowTheHighestSampleOfTheRectangleNorAboveTheGrids) {
    const DemGrid grid = randomGrid();
    const DemHeightBound bound(grid);
    const std::int16_t highestOfAll = *std::max_element(grid.samples.begin(), grid.samples.end());
    std::mt19937 draws(11);
    std::uniform_int_distribution<int> column(0, grid.width - 1), row(0, grid.height - 1);
    for (int i = 0; i < 2000; ++i) {
        const int ca = column(draws), cb = column(draws), ra = row(draws), rb = row(draws);
        const int c0 = std::min(ca, cb), c1 = std::max(ca, cb), r0 = std::min(ra, rb), r1 = std::max(ra, rb);
        std::int16_t truth = grid.at(c0, r0);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                truth = std::max(truth, grid.at(c, r));
        const std::int16_t answer = bound.highest(c0, r0, c1, r1);
        EXPECT_GE(answer, truth) << c0 << "," << r0 << " - " << c1 << "," << r1;
        EXPECT_LE(answer, highestOfAll);
    }
    // The corners and the whole grid.
    EXPECT_EQ(bound.highest(36, 28, 36, 28), 1500);
    EXPECT_EQ(bound.highest(0, 0, 36, 28), 1500);
    EXPECT_GE(bound.highest(0, 0, 0, 0), grid.at(0, 0));
}

} // namespace
} // namespace q71
