#include "tactical/displays/display_noise.h"

#include "sim/simulation/random.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// The C library's example generator from seed 1 (the published sequence of its rand).
TEST(DisplayNoise, FollowsTheRandContractFromItsSeed) {
    DisplayNoise noise;
    noise.seed(1);
    for (int expected : {16838, 5758, 10113, 17515, 31051})
        EXPECT_EQ(noise.next(), expected);
    noise.seed(1);
    EXPECT_DOUBLE_EQ(noise.scaled(32767.0), 16838.0);
    EXPECT_DOUBLE_EQ(noise.scaled(0.0), 0.0);
}

// Drawing never moves the world's sequence, which replays and network peers rely on.
TEST(DisplayNoise, LeavesTheWorldsSequenceAlone) {
    randomSeed(77);
    const int first = randomNext();
    randomSeed(77);
    DisplayNoise& noise = displayNoise();
    for (int i = 0; i < 1000; ++i)
        noise.scaled(10.0);
    EXPECT_EQ(randomNext(), first);
}

} // namespace
} // namespace q71
