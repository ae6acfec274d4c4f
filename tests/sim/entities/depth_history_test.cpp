// The soundings the own boat keeps for the fathometer: five rings taken at their intervals.
#include "sim/entities/motion/depth_history.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

TEST(DepthRing, HoldsItsSamplesNewestFirstAndDropsTheOldestWhenFull) {
    DepthRing ring;
    EXPECT_EQ(ring.count(), 0);
    EXPECT_EQ(ring.push({1.0, 10, 1}), DepthRing::kSize - 1);
    ring.push({2.0, 20, 2});
    EXPECT_EQ(ring.count(), 2);
    EXPECT_EQ(ring.at(0).time, 2.0);
    EXPECT_EQ(ring.at(1).waterDepth, 10u);
    for (int i = 3; i <= 400; ++i)
        ring.push({static_cast<double>(i), 0, 0});
    EXPECT_EQ(ring.count(), DepthRing::kSize - 1);
    EXPECT_EQ(ring.at(0).time, 400.0);
    EXPECT_EQ(ring.at(DepthRing::kSize - 2).time, 400.0 - (DepthRing::kSize - 2));
}

TEST(DepthHistory, TakesEachRingAtItsInterval) {
    DepthHistory history;
    for (int tenth = 1; tenth <= 4800; ++tenth) // 480 s in steps of 0.1 s
        history.record(tenth * 0.1, 1.0, 2.0, -50.0, -300.0);
    EXPECT_EQ(history.ring10s.count(), 48);
    EXPECT_EQ(history.track80s.count(), 6);
    EXPECT_EQ(history.ring120s.count(), 4);
    EXPECT_EQ(history.ring240s.count(), 2);
    EXPECT_EQ(history.ring480s.count(), 1);
    EXPECT_NEAR(history.ring10s.at(0).time, 480.0, 1e-6);
    EXPECT_EQ(history.ring10s.at(0).waterDepth, 300u);
    EXPECT_EQ(history.ring10s.at(0).ownDepth, 50u);
    EXPECT_EQ(history.trackPositions[static_cast<std::size_t>(history.track80s.newest)].y, 2.0);
    EXPECT_EQ(history.byCode(24), &history.ring240s);
    EXPECT_EQ(history.byCode(2), nullptr);
}

TEST(DepthHistory, ACoarseSampleKeepsTheDeepestWaterAndTheShallowestBoat) {
    DepthHistory history;
    history.record(10.0, 0.0, 0.0, -40.0, -500.0);
    history.record(20.0, 0.0, 0.0, -20.0, -100.0);
    history.record(30.0, 0.0, 0.0, -60.0, -200.0);
    history.record(80.0, 0.0, 0.0, -90.0, -150.0);
    ASSERT_EQ(history.track80s.count(), 1); // its first sample at 80 s, from the four of the 10 s ring
    EXPECT_EQ(history.track80s.at(0).waterDepth, 500u);
    EXPECT_EQ(history.track80s.at(0).ownDepth, 20u);
}

} // namespace
} // namespace q71::test
