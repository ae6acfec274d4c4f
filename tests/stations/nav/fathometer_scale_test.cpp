// The fathometer's arithmetic: the knobs' tables, the depth under the keel, where a sounding
// plots, and the walk along a sounding ring.
#include "stations/nav/fathometer_scale.h"

#include <gtest/gtest.h>

#include <limits>

namespace q71 {
namespace {

// A ring holding soundings (metres of water under the boat) pushed oldest first.
DepthRing ringOf(const std::vector<int>& soundingsOldestFirst) {
    DepthRing ring;
    double time = 10.0;
    for (int sounding : soundingsOldestFirst) {
        ring.push({time, static_cast<std::uint32_t>(sounding + 100), 100u});
        time += 10.0;
    }
    return ring;
}

TEST(FathometerScale, KnobIndicesOutsideTheirTablesAreRefused) {
    // The Part's tables: history codes by time index, full scales by depth index.
    const int codes[] = {1, 8, 12, 24, 48};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(fathometerHistoryCode(i), codes[i]);
    const double scales[] = {30.81528, 305.13528, 1524.3048, 3048.33528, 6096.3048, 9144.3048};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fathometerFullScale(i), scales[i]);
    for (int bad : {-1, 5, 1 << 30})
        EXPECT_FALSE(fathometerHistoryCode(bad)) << bad;
    for (int bad : {-1, 6, -(1 << 30)})
        EXPECT_FALSE(fathometerFullScale(bad)) << bad;
}

TEST(FathometerScale, DepthUnderTheKeelIsInFeetAndNeverNegative) {
    struct Case {
        double z, bottom, feet;
    } cases[] = {
        {-10.0, -110.0, 100.0 * 3.2808 - 28.0}, // 100 m of water below the depth point
        {0.0, -8.5344, 0.0},                    // exactly the keel's 28 ft
        {-50.0, -52.0, 0.0},                    // less water than the keel draws
        {-60.0, -50.0, 0.0},                    // below the bottom (a grounding)
    };
    for (const Case& c : cases)
        EXPECT_NEAR(fathometerKeelDepthFeet(c.z, c.bottom), c.feet, 1e-9) << c.z << " over " << c.bottom;
}

TEST(FathometerScale, SoundingsPlotFromTheTopLineDownToTheFullScale) {
    struct Case {
        double sounding;
        int depthIndex;
        int row;
    } cases[] = {
        {0, 2, 15},     // nothing under the keel
        {8, 2, 15},     // within 8.5344 m: the top line
        {9, 2, 15},     // 0.47 m past it truncates to 0
        {-5, 2, 15},    // the boat deeper than the water: the top line, not a wrapped value
        {1532, 2, 349}, // 1523 m past the keel of 1524.3 m: the bottom row
        {40, 0, 350},   // the smallest scale runs past the window: held at its bottom edge, clipped
        {161, 1, 181},  // 152 m of 305.13528 m: trunc(15 + 152 x 335 / 305.13528 = 181.9)
    };
    for (const Case& c : cases)
        EXPECT_EQ(fathometerTraceRow(c.sounding, *fathometerFullScale(c.depthIndex)), c.row) << c.sounding;
}

TEST(FathometerScale, AnySoundingASavedGameHoldsPlotsInsideTheTraceWindow) {
    // Two whole-metre samples of 32 bits differ by up to 4.3e9 either way.
    const double soundings[] = {4.3e9,
                                -4.3e9,
                                4294967295.0,
                                -4294967295.0,
                                1e300,
                                -1e300,
                                std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity()};
    for (int index = 0; index < 6; ++index)
        for (double sounding : soundings) {
            const int row = fathometerTraceRow(sounding, *fathometerFullScale(index));
            EXPECT_GE(row, 15) << sounding << " at scale " << index;
            EXPECT_LE(row, 350) << sounding << " at scale " << index;
        }
    EXPECT_EQ(fathometerTraceRow(-4.3e9, 30.81528), 15) << "the boat far below the water: the top line";
    EXPECT_EQ(fathometerTraceRow(4.3e9, 9144.3048), 350) << "deeper than any scale: the bottom edge";
    // A ring of such samples walks inside the window too.
    DepthRing ring;
    ring.push({10.0, 0u, 4294967295u});
    ring.push({20.0, 4294967295u, 0u});
    for (const Point p : fathometerWalk(ring, 30.81528, kFathometerRedrawSegments)) {
        EXPECT_GE(p.y, 15);
        EXPECT_LE(p.y, 350);
    }
}

TEST(FathometerScale, TheSoundingIsTakenSignedFromTheUnsignedSample) {
    EXPECT_EQ(fathometerSounding({0.0, 120u, 20u}), 100);
    EXPECT_EQ(fathometerSounding({0.0, 20u, 120u}), -100);
    EXPECT_EQ(fathometerSounding({0.0, 0u, 4000000000u}), -4000000000LL);
}

TEST(FathometerScale, GridLinesAreNineAndEvenlySpread) {
    const std::vector<int> rows = fathometerGridRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows.front(), 48); // 15 + 33.5
    EXPECT_EQ(rows[1], 82);      // 15 + 67
    EXPECT_EQ(rows.back(), 316); // 15 + 301.5
}

TEST(FathometerScale, TheWalkRunsNewestFirstToTheRingsEndWithinItsCap) {
    const double scale = 1524.3048;
    // Three samples: the newest (40 m) at x 31, then older ones to the right; the end stops it.
    const DepthRing three = ringOf({2000, 1000, 40});
    const std::vector<Point> walk = fathometerWalk(three, scale, kFathometerRedrawSegments);
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(walk[0], (Point{31, fathometerTraceRow(40, scale)}));
    EXPECT_EQ(walk[1], (Point{32, fathometerTraceRow(1000, scale)}));
    EXPECT_EQ(walk[2], (Point{33, fathometerTraceRow(2000, scale)}));

    // A full ring: a redraw stops after 318 joins, a scroll step after 2.
    const DepthRing full = ringOf(std::vector<int>(400, 100));
    ASSERT_EQ(full.count(), 349);
    const std::vector<Point> redraw = fathometerWalk(full, scale, kFathometerRedrawSegments);
    ASSERT_EQ(redraw.size(), 319u);
    EXPECT_EQ(redraw.back().x, 349);
    EXPECT_EQ(fathometerWalk(full, scale, kFathometerStepSegments).size(), 3u);

    // The walk wraps at the ring's size: the newest sample sits near the top of the array.
    DepthRing wrapped = ringOf({300, 200, 100});
    ASSERT_EQ(wrapped.newest, DepthRing::kSize - 3);
    EXPECT_EQ(fathometerWalk(wrapped, scale, kFathometerRedrawSegments).size(), 3u);

    EXPECT_TRUE(fathometerWalk(DepthRing{}, scale, kFathometerRedrawSegments).empty()) << "an empty ring";
}

TEST(FathometerScale, RingIndicesFromASavedGameAreCheckedBeforeUse) {
    for (auto [newest, end] : {std::pair{350, 0}, std::pair{0, 350}, std::pair{-1, 5}, std::pair{5, -1}}) {
        DepthRing ring = ringOf({100, 200});
        ring.newest = newest;
        ring.end = end;
        EXPECT_FALSE(fathometerRingUsable(ring)) << newest << ", " << end;
        EXPECT_TRUE(fathometerWalk(ring, 1524.3048, kFathometerRedrawSegments).empty());
    }
    EXPECT_TRUE(fathometerRingUsable(ringOf({100})));
}

} // namespace
} // namespace q71
