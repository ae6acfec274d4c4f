#include "sim/world/dem_height_bound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

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

// Every rectangle against every limit around its highest sample: judged below only when every
// sample is, and exactly so for rectangles of up to four samples a side; and everything lies
// below a limit above the grid's highest sample.
TEST(DemHeightBound, ARectangleIsBelowALimitOnlyWhenEverySampleIs) {
    const DemGrid grid = randomGrid();
    const DemHeightBound bound(grid);
    const std::int16_t highestOfAll = *std::max_element(grid.samples.begin(), grid.samples.end());
    std::mt19937 draws(11);
    std::uniform_int_distribution<int> column(0, grid.width - 1), row(0, grid.height - 1), nudge(-3, 3);
    int below = 0, notBelow = 0;
    for (int i = 0; i < 4000; ++i) {
        const int ca = column(draws), ra = row(draws);
        // Small rectangles as often as any.
        const int cb = i % 2 ? column(draws) : std::clamp(ca + nudge(draws), 0, grid.width - 1);
        const int rb = i % 2 ? row(draws) : std::clamp(ra + nudge(draws), 0, grid.height - 1);
        const int c0 = std::min(ca, cb), c1 = std::max(ca, cb), r0 = std::min(ra, rb), r1 = std::max(ra, rb);
        std::int16_t truth = grid.at(c0, r0);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                truth = std::max(truth, grid.at(c, r));
        for (const int limit : {truth - 1, truth + 0, truth + 1, truth + 200}) {
            const bool answer = bound.allBelow(c0, r0, c1, r1, limit);
            if (truth >= limit) {
                EXPECT_FALSE(answer) << c0 << "," << r0 << " - " << c1 << "," << r1 << " under " << limit;
            } else if (c1 - c0 < 4 && r1 - r0 < 4) {
                EXPECT_TRUE(answer) << c0 << "," << r0 << " - " << c1 << "," << r1 << " under " << limit;
            }
            ++(answer ? below : notBelow);
        }
        EXPECT_TRUE(bound.allBelow(c0, r0, c1, r1, highestOfAll + 1));
    }
    EXPECT_GT(below, 1000);
    EXPECT_GT(notBelow, 1000);
    // The last sample of all, the whole grid, and the first sample.
    EXPECT_FALSE(bound.allBelow(36, 28, 36, 28, 1500));
    EXPECT_TRUE(bound.allBelow(36, 28, 36, 28, 1501));
    EXPECT_FALSE(bound.allBelow(0, 0, 36, 28, 1500));
    EXPECT_TRUE(bound.allBelow(0, 0, 0, 0, grid.at(0, 0) + 1));
}

// A grid of one row and a grid of a single column: the coarser levels halve one side alone.
TEST(DemHeightBound, NarrowGridsAreJudgedWhole) {
    for (const auto& [width, height] : {std::pair{41, 2}, std::pair{2, 41}}) {
        DemGrid grid;
        grid.width = width;
        grid.height = height;
        grid.samples.assign(static_cast<std::size_t>(width) * height, -100);
        grid.samples[static_cast<std::size_t>(height - 1) * width + width - 1] = 7;
        const DemHeightBound bound(grid);
        EXPECT_FALSE(bound.allBelow(0, 0, width - 1, height - 1, 7)) << width << " x " << height;
        EXPECT_TRUE(bound.allBelow(0, 0, width - 1, height - 1, 8));
        EXPECT_TRUE(bound.allBelow(0, 0, width / 2, height / 2, -99));
    }
}

} // namespace
} // namespace q71
