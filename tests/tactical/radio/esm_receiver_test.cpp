// The ESM dial's arithmetic: levels weighted by the age of the rows, the pointer's bearing, the
// lamps and tone, and the fans, a run ending at 359 closing on degree 0.
#include "sim/entities/sensors/sonar_rows.h"
#include "tactical/radio/esm_receiver.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

TEST(EsmLevels, TheStrongestOfFiveSecondsWeightedDownWithAge) {
    SoundRing<BroadbandRow> rows(5);
    EXPECT_EQ(esmLevels(&rows, 10.0)[90], 0.0) << "an empty ring shows nothing";
    // Rows at 6, 8 and 10 s; the bin of 90 degrees is 64.
    for (const auto& [time, level] : {std::pair{6.0, 100}, std::pair{8.0, 80}, std::pair{10.0, 30}}) {
        BroadbandRow& row = rows.take();
        row = BroadbandRow{};
        row.time = time;
        row.level[64] = static_cast<std::uint16_t>(level);
    }
    const EsmLevels levels = esmLevels(&rows, 10.0);
    // Weights: 10 s 1.0, 8 s 0.6, 6 s 0.2: 0.3, 0.48, 0.2.
    EXPECT_NEAR(levels[90], 0.48, 1e-12);
    EXPECT_NEAR(levels[91], 0.48, 1e-12); // 91 x 256 / 360 = 64.7: the same bin
    EXPECT_DOUBLE_EQ(levels[92], 0.0);
    // Two seconds on: 0.6 x 0.30, 0.2 x 0.80, and the oldest row's weight below 0.
    EXPECT_NEAR(esmLevels(&rows, 12.0)[90], 0.18, 1e-12);
    EXPECT_EQ(esmLevels(static_cast<const SoundRing<BroadbandRow>*>(nullptr), 10.0)[90], 0.0);
}

TEST(EsmPointer, BearingFromTheDialCentre) {
    struct Case {
        int dx, dy, bearing;
    } const cases[] = {{0, 0, 0}, {0, -10, 0}, {10, 0, 90}, {0, 10, 180}, {-10, 0, 270}, {-1, -1000, 359}, {10, -10, 45}};
    for (const Case& c : cases)
        EXPECT_EQ(esmBearingAt(c.dx, c.dy), c.bearing) << c.dx << "," << c.dy;
    const auto pointer = esmPointer(90);
    EXPECT_EQ(pointer[0].x, 71 + 45); // the tip, 45 pixels east
    EXPECT_EQ(pointer[0].y, 71);
}

TEST(EsmSignal, LampsAndToneHeldToTheirRanges) {
    struct Case {
        double level;
        int lamps, volume;
    } const cases[] = {{0.0, 0, 0}, {0.049, 0, 4}, {0.55, 5, 55}, {0.95, 9, 95}, {1.5, 9, 127}, {-0.3, 0, 0}};
    for (const Case& c : cases) {
        const EsmSignal signal = esmSignal(c.level);
        EXPECT_EQ(signal.lamps, c.lamps) << c.level;
        EXPECT_EQ(signal.volume, c.volume) << c.level;
    }
}

TEST(EsmFans, RunsOfOneStrengthAndTheLastClosingOnNorth) {
    EsmLevels levels{};
    EXPECT_TRUE(esmFans(levels).empty());
    for (int d = 10; d <= 19; ++d)
        levels[static_cast<std::size_t>(d)] = 0.5; // strength 8
    levels[20] = 0.99;                              // 15
    for (int d = 350; d < 360; ++d)
        levels[static_cast<std::size_t>(d)] = 0.2; // 3
    const auto fans = esmFans(levels);
    ASSERT_EQ(fans.size(), 3u);
    EXPECT_EQ(fans[0].first, 10);
    EXPECT_EQ(fans[0].last, 19);
    EXPECT_EQ(fans[0].index, 8);
    EXPECT_EQ(fans[1].first, 20);
    EXPECT_EQ(fans[1].index, 15);
    EXPECT_EQ(fans[2].first, 350);
    EXPECT_EQ(fans[2].last, 359);
    const auto polygon = esmFanPolygon(fans[2]);
    ASSERT_EQ(polygon.size(), 1u + 10u + 1u);
    EXPECT_EQ(polygon.front(), (Point{71, 71}));
    EXPECT_EQ(polygon.back(), esmRimPoint(0));
    // The rim: 50 pixels from the centre, half a degree back from the degree.
    EXPECT_EQ(esmRimPoint(90).x, 71 + 49);
    EXPECT_EQ(esmStrength(2.0), 15);
    EXPECT_EQ(esmStrength(-1.0), 0);
}

} // namespace
} // namespace q71::test
