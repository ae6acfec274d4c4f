#include "receiver_world.h"

#include "sim/support/terrain_grid.h"

#include <cmath>

namespace q71::test {
namespace {

constexpr double kLink = 9.144; // metres between two elements

class TowedArray : public ReceiverWorld {
protected:
    // Runs the boat along its heading: `metres` a step of `seconds`, the chain updated each step.
    void run(PassiveArray0& towed, int steps, double metres, double seconds) {
        MotionModel& motion = *own->motion;
        for (int i = 0; i < steps; ++i) {
            motion.x += std::sin(motion.heading * kDegreesToRadians) * metres;
            motion.y += std::cos(motion.heading * kDegreesToRadians) * metres;
            motion.distanceRun += metres;
            setClock(simClock().gameClock + seconds);
            towed.step(0.4);
        }
    }
    static double planar(const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return std::hypot(a[0] - b[0], a[1] - b[1]);
    }
};

TEST_F(TowedArray, StartsAtTheSternAndTrailsBehindTheBoat) {
    PassiveArray0& towed = own->streamTowedArray(100.0); // 10 elements behind the first
    EXPECT_NEAR(towed.entityTable[0][1], -45.8, 1e-9);
    EXPECT_EQ(towed.entityTable.size(), 80u);
    run(towed, 40, 3.0, 0.4);
    EXPECT_EQ(towed.chain().elementCount(), 10);
    const double stern = own->motion->y - 45.8;
    for (int i = 0; i <= 10; ++i) {
        EXPECT_NEAR(towed.entityTable[static_cast<std::size_t>(i)][0], 0.0, 1e-4) << i;
        EXPECT_NEAR(towed.entityTable[static_cast<std::size_t>(i)][1], stern - kLink * i, 1e-4) << i;
        EXPECT_NEAR(towed.entityTable[static_cast<std::size_t>(i)][2], -100.0, 0.05) << i; // paid out sinking
    }
    EXPECT_NEAR(angleDiff(0.0, towed.heading), 0.0,
                1e-4); // the axis: from the last element to the one before
    EXPECT_NEAR(towed.y, stern - 10 * kLink, 1e-4);
    EXPECT_NEAR(towed.z, -100.0, 0.05);
}

TEST_F(TowedArray, SwingsRoundSlowlyAfterATurn) {
    PassiveArray0& towed = own->streamTowedArray(200.0);
    run(towed, 60, 3.0, 0.4);
    own->motion->heading = 90.0;
    run(towed, 10, 3.0, 0.4);
    const auto& e = towed.entityTable;
    const double head = std::fabs(angleDiff(0.0, geoBearing(e[0][0] - e[1][0], e[0][1] - e[1][1])));
    EXPECT_GT(head, 10.0);                                     // the first link has swung with the boat
    EXPECT_LT(std::fabs(angleDiff(0.0, towed.heading)), head); // the end of the array lags
    for (int i = 1; i <= 20; ++i)
        EXPECT_NEAR(planar(towed.entityTable[static_cast<std::size_t>(i)],
                           towed.entityTable[static_cast<std::size_t>(i - 1)]),
                    kLink, 1e-6);
    run(towed, 200, 3.0, 0.4);
    EXPECT_NEAR(towed.heading, 90.0, 1.0);
}

TEST_F(TowedArray, SinksWhenTowedSlowlyButNeverBreaksTheSurface) {
    PassiveArray0& towed = own->streamTowedArray(100.0);
    run(towed, 30, 3.0, 3.0); // 1 m/s
    EXPECT_LT(towed.entityTable[10][2], towed.entityTable[1][2]);
    EXPECT_LT(towed.entityTable[1][2], -100.0);
    own->motion->z = 0.0;
    run(towed, 5, 3.0, 0.4);
    for (int i = 0; i <= 10; ++i)
        EXPECT_LE(towed.entityTable[static_cast<std::size_t>(i)][2], i == 0 ? 0.0 : -1.0);
}

TEST_F(TowedArray, NeverStreamsMoreElementsThanItsTable) {
    PassiveArray0& towed = own->streamTowedArray(5000.0);
    own->motion->arrayLength2 = 9000.0;
    run(towed, 5, 3.0, 0.4);
    EXPECT_EQ(towed.chain().elementCount(), 79);
}

TEST_F(TowedArray, WaitsForLengthAndWay) {
    PassiveArray0& towed = own->streamTowedArray(10.0);
    run(towed, 5, 3.0, 0.4);
    EXPECT_FALSE(towed.chain().elementCount() > 0);
    EXPECT_EQ(towed.y, -45.8); // still where it was streamed from
    own->motion->arrayLength1 = 50.0;
    own->motion->distanceRun = 0.0;
    run(towed, 5, 2.0, 0.4); // 2 m a step: updates on every second step
    EXPECT_EQ(towed.chain().elementCount(), 5);
    EXPECT_EQ(own->motion->distanceRun, 2.0);
}

TEST_F(TowedArray, RestsOnTheBottomInShallowWater) {
    TerrainGrid grid(11, 11, 400.0, [](int, int) { return std::int16_t{-104}; });
    own->motion->x = own->motion->y = 2000.0;
    PassiveArray0& towed = own->streamTowedArray(300.0);
    run(towed, 60, 3.0, 12.0); // slow: the end of the array sinks onto the sea floor
    ASSERT_TRUE(towed.chain().onBottom());
    EXPECT_GT(towed.z, towed.entityTable[30][2]); // lifted onto the floor
    EXPECT_NEAR(towed.z, -104.0, 3.0);            // the floor, with its small noise
    setClock(simClock().gameClock + 1.0);
    towed.step(0.4);
    // Lying on the floor it hears the floor: L = 99 − A g / 6 with g = 0.8 for 30 elements, then
    // the sea state's 3 points more up to 100 − A g / 6.
    EXPECT_EQ(towed.broadband()->head().selfNoise, static_cast<int>(std::min(95.0 + 3.0, 96.0) + 0.66 * 4.0));
}

} // namespace
} // namespace q71::test
