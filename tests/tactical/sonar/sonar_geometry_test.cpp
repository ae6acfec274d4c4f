// The sonar displays' geometry and rules that need no world: the active display's bearing and
// range axes and ping intervals, the broadband waterfalls' columns and rows, the search for the
// contact nearest the cursor, and the pitch and volume of what is heard.
#include "tactical/sonar/active_geometry.h"
#include "tactical/sonar/broadband_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace q71 {
namespace {

TEST(ActiveGeometry, BearingsRunAcrossTheCircleFromTheOrientation) {
    struct Case {
        double bearing;
        int offset, x;
    } cases[] = {
        {0, 0, 5},     {359.9, 0, 5 + 2 * 128}, {90, 0, 5 + 2 * 32}, {180, 0, 5 + 2 * 64},
        // With the offset 180 bearing 0 lies in the middle: x 133 by the rule (not 134).
        {0, 180, 133}, {180, 180, 5},           {-90, 0, 5 + 2 * 96}, {450, 0, 5 + 2 * 32},
    };
    for (const Case& c : cases)
        EXPECT_EQ(activeBearingX(c.bearing, c.offset), c.x) << c.bearing << " offset " << c.offset;
    // The cursor reads the bearing back, within the two-pixel steps, x held to the picture.
    EXPECT_EQ(activeXBearing(5, 0), 0);
    EXPECT_EQ(activeXBearing(0, 0), 0);
    EXPECT_EQ(activeXBearing(133, 180), (128 * 360 / 258 + 180) % 360);
    EXPECT_EQ(activeXBearing(5, 180), 180);
    EXPECT_EQ(activeXBearing(300, 0), 258 * 360 / 258 % 360);
}

TEST(ActiveGeometry, RangeRunsUpFromTheBottomInBandsOfFour) {
    // The cursor: y 301 reads 0, y 25 the full scale, beyond them held.
    EXPECT_DOUBLE_EQ(activeYRange(301, 80000.0), 0.0);
    EXPECT_DOUBLE_EQ(activeYRange(25, 80000.0), 80000.0);
    EXPECT_DOUBLE_EQ(activeYRange(400, 5000.0), 0.0);
    EXPECT_DOUBLE_EQ(activeYRange(0, 5000.0), 5000.0);
    EXPECT_DOUBLE_EQ(activeYRange(163, 27600.0), 138 * 100.0);
    EXPECT_EQ(activeCursorY(0.0, 80000.0), 301);
    EXPECT_EQ(activeCursorY(80000.0, 80000.0), 25);
    // Painting: range 0 at the bottom band, the slot one line up per slot, 4 lines a band.
    EXPECT_EQ(activeRangeY(0.0, 27600.0, 0), 301);
    EXPECT_EQ(activeRangeY(0.0, 27600.0, 3), 298);
    EXPECT_EQ(activeRangeY(300.0, 27600.0, 0), 301); // 3 lines from the bottom: still the first band
    EXPECT_EQ(activeRangeY(400.0, 27600.0, 1), 296);
    EXPECT_EQ(activeRangeY(27600.0, 27600.0, 2), 25);
    EXPECT_EQ(activeRangeY(40000.0, 27600.0, 0), 25);
    EXPECT_DOUBLE_EQ(activeRowRange(298, 27600.0), 0.0);
    EXPECT_DOUBLE_EQ(activeRowRange(296, 27600.0), 400.0);
}

TEST(ActiveGeometry, PingIntervalsFollowTheScale) {
    const std::pair<int, int> expected[] = {{0, 103}, {1, 51}, {2, 25}, {3, 13}, {4, 7}};
    for (const auto& [index, interval] : expected)
        EXPECT_EQ(activePingInterval(activeRangeScale(index)), interval) << index;
    EXPECT_DOUBLE_EQ(activeRangeScale(0), 80000.0);
    EXPECT_DOUBLE_EQ(activeRangeScale(4), 5000.0);
    EXPECT_DOUBLE_EQ(activeRangeScale(9), 5000.0);
    // The front reaches 80,000 yards after about 103 s.
    EXPECT_NEAR(80000.0 / kPingFrontSpeed, 103.0, 0.5);
}

TEST(WaterfallGeometry, BearingsAndCellsShareTheColumns) {
    EXPECT_EQ(waterfallBearingX(0, 0), 17);
    EXPECT_EQ(waterfallBearingX(359, 0), 17 + 359 * 235 / 360);
    EXPECT_EQ(waterfallBearingX(0, 180), 17 + 117);
    EXPECT_EQ(waterfallCellX(0, 0), 17);
    EXPECT_EQ(waterfallCellX(255, 0), 17 + 255 * 235 / 256);
    EXPECT_EQ(waterfallCellX(0, 180), 17 + 128 * 235 / 256);
    EXPECT_EQ(waterfallCellX(128, 180), 17);
    EXPECT_EQ(waterfallXBearing(17, 0), 0);
    EXPECT_EQ(waterfallXBearing(0, 0), 0);
    EXPECT_EQ(waterfallXBearing(251, 0), 234 * 360 / 235);
    EXPECT_EQ(waterfallXBearing(17, 180), 180);
}

TEST(WaterfallGeometry, RowsATickAdds) {
    // The fine scale: one row per 0.444 s gone, at least one; never more than the area holds,
    // however long the gap (after a pause, or at high compression).
    EXPECT_EQ(waterfallRowsToAdd(0, 10.0, 10.0), 1);
    EXPECT_EQ(waterfallRowsToAdd(0, 10.444, 10.0), 1);
    EXPECT_EQ(waterfallRowsToAdd(0, 14.44, 10.0), 10);
    EXPECT_EQ(waterfallRowsToAdd(0, 5000.0, 10.0), 137);
    // The medium and coarse scales add one however much time passed.
    EXPECT_EQ(waterfallRowsToAdd(1, 5000.0, 10.0), 1);
    EXPECT_EQ(waterfallRowsToAdd(2, 5000.0, 10.0), 1);
}

TEST(BroadbandSearch, TriesTheCursorThenEachSideOutToFiveBelow) {
    std::array<std::uint16_t, 360> sources{};
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), -1);
    // A contact 5 below the cursor is found, one 5 above it is not.
    sources[105] = 7;
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), -1);
    sources[95] = 8;
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), 95);
    // Nearer wins, and below before above at the same distance.
    sources[102] = 9;
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), 102);
    sources[98] = 10;
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), 98);
    sources[100] = 11;
    EXPECT_EQ(sonarNearestSourceDegree(100, sources), 100);
    // Across north both ways.
    sources = {};
    sources[357] = 1;
    EXPECT_EQ(sonarNearestSourceDegree(1, sources), 357);
    sources = {};
    sources[3] = 1;
    EXPECT_EQ(sonarNearestSourceDegree(359, sources), 3);
}

TEST(BroadbandListeningRules, PitchFollowsSpeedAndVolumesStayInRange) {
    EXPECT_DOUBLE_EQ(broadbandPitch(1.0, 30.0, 30.0), 1.5);
    EXPECT_DOUBLE_EQ(broadbandPitch(1.0, 0.0, 30.0), 0.5);
    EXPECT_DOUBLE_EQ(broadbandPitch(2.0, -15.0, 30.0), 2.0); // astern counts by its size
    EXPECT_DOUBLE_EQ(broadbandPitch(1.0, 10.0, 0.0), 0.5);   // no maximum speed: at rest
    EXPECT_EQ(broadbandVolume(-20), 0);
    EXPECT_EQ(broadbandVolume(64), 64);
    EXPECT_EQ(broadbandVolume(300), 127);
}

} // namespace
} // namespace q71

namespace q71 {
namespace {

// Designate looks in each ping slot in turn at the cursor, then one, then two degrees either
// side (below first), across north both ways.
TEST(ActiveDesignate, SearchesTheSlotsAndTwoDegreesEitherSide) {
    std::array<std::array<std::int32_t, 360>, 4> slots{};
    const auto source = [&slots](int slot, int degree) {
        return slots[static_cast<std::size_t>(slot)][static_cast<std::size_t>(degree)];
    };
    EXPECT_EQ(activeDesignatedSource(0, source), 0);
    slots[0][3] = 5;
    EXPECT_EQ(activeDesignatedSource(0, source), 0); // three degrees off: not taken
    slots[0][358] = 6;
    EXPECT_EQ(activeDesignatedSource(0, source), 6);
    slots[0][2] = 7;
    EXPECT_EQ(activeDesignatedSource(0, source), 6); // below before above at one distance
    slots[0][359] = -8;                              // a mirror is no echo
    EXPECT_EQ(activeDesignatedSource(0, source), 6);
    slots[0][1] = 9;
    EXPECT_EQ(activeDesignatedSource(0, source), 9);
    slots = {};
    slots[3][359] = 4;
    slots[2][357] = 3;
    EXPECT_EQ(activeDesignatedSource(359, source), 3); // the earlier slot wins, even farther off
    EXPECT_EQ(activeDesignatedSource(1, source), 4);
}

} // namespace
} // namespace q71
