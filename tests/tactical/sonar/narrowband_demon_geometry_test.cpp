// The rules of the narrowband and DEMON pages that need no window: where a line falls on the
// waterfall, which line the cursor finds, the bearing trace's columns both ways, the stepping
// through the reference platforms, and DEMON's divisor, rate and harmonic lines.
#include "tactical/displays/display_noise.h"
#include "tactical/sonar/demon_geometry.h"
#include "tactical/sonar/narrowband_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <vector>

namespace q71::test {
namespace {

TEST(NarrowbandGeometry, LinesFallOnTheirColumns) {
    EXPECT_EQ(kNarrowbandLeft + narrowbandColumn(25, 50), 138) << "25 Hz on the 50 Hz scale";
    EXPECT_EQ(narrowbandColumn(0, 2000), 0);
    EXPECT_EQ(narrowbandColumn(2000, 2000), 243);
    // The cursor frequency never leaves the scale, whatever x the drag reports.
    EXPECT_EQ(narrowbandXFrequency(-40, 300), 0);
    EXPECT_EQ(narrowbandXFrequency(400, 300), 300);
    EXPECT_EQ(narrowbandXFrequency(138, 50), 24);
    EXPECT_EQ(narrowbandFullScale(9), 2000);
    EXPECT_EQ(narrowbandFullScale(-1), 50);
}

TEST(NarrowbandGeometry, TheNearestLineIsSoughtOutwardsBelowFirst) {
    struct Case {
        std::vector<int> lines; // columns holding a line
        int cursorColumn;
        int expected;
    };
    const Case cases[] = {
        {{100}, 100, 100}, {{99, 101}, 100, 99}, {{101, 98}, 100, 101}, {{95}, 100, 95},
        {{105}, 100, -1},  {{104}, 100, 104},    {{}, 100, -1},         {{242}, 243, 242},
        {{0}, 0, 0},       {{5}, 0, -1},         {{4}, 0, 4},
    };
    for (const Case& c : cases) {
        std::array<int, kNarrowbandColumns> table{};
        for (int column : c.lines)
            table[static_cast<std::size_t>(column)] = 60;
        // On the 243 Hz scale a column is a hertz.
        EXPECT_EQ(sonarNearestLine(c.cursorColumn, 243, table), c.expected) << "cursor " << c.cursorColumn;
    }
}

TEST(NarrowbandGeometry, TheBearingTraceMapsBothWaysOnOneScale) {
    for (int offset : {0, 180})
        for (int bearing = 0; bearing < 360; ++bearing) {
            const int x = narrowbandTraceX(bearing, offset);
            EXPECT_GE(x, 12);
            EXPECT_LE(x, 258);
            // A click where a bearing is drawn reads a bearing drawn in that same column.
            const int back = narrowbandTraceBearing(x, offset);
            EXPECT_EQ(narrowbandTraceX(back, offset), x) << bearing << " offset " << offset;
        }
    EXPECT_EQ(narrowbandTraceX(0, 0), 12);
    EXPECT_EQ(narrowbandTraceX(180, 180), 12);
    EXPECT_EQ(narrowbandTraceBearing(0, 0), 0);
}

TEST(NarrowbandGeometry, ReferenceSteppingSkipsAndStopsAfterOneCycle) {
    // Ids 1 to 149, sparse: only 3, 40 and 149 qualify (the others are missing, floats or line-less).
    const std::set<int> good{3, 40, 149};
    const auto qualifies = [&](int id) { return good.contains(id); };
    EXPECT_EQ(narrowbandStepReference(0, true, 149, qualifies), 3);
    EXPECT_EQ(narrowbandStepReference(3, true, 149, qualifies), 40);
    EXPECT_EQ(narrowbandStepReference(40, true, 149, qualifies), 149) << "the highest id is reached";
    EXPECT_EQ(narrowbandStepReference(149, true, 149, qualifies), 3) << "wraps to 1 and on";
    EXPECT_EQ(narrowbandStepReference(0, false, 149, qualifies), 149);
    EXPECT_EQ(narrowbandStepReference(3, false, 149, qualifies), 149) << "wraps below 1";
    EXPECT_EQ(narrowbandStepReference(40, false, 149, qualifies), 3);
    // The only one qualifying: stepping comes back to it.
    EXPECT_EQ(narrowbandStepReference(7, true, 10, [](int id) { return id == 7; }), 7);
    // None qualifying: no reference, and the search ends.
    EXPECT_EQ(narrowbandStepReference(5, true, 149, [](int) { return false; }), 0);
    EXPECT_EQ(narrowbandStepReference(5, false, 0, qualifies), 0);
}

TEST(DemonGeometry, DivisorRateAndScales) {
    EXPECT_EQ(demonStepDivisor(29, 0), 30);
    EXPECT_EQ(demonStepDivisor(30, 0), 30) << "stops at 30 going up";
    EXPECT_EQ(demonStepDivisor(7, 1), 6);
    EXPECT_EQ(demonStepDivisor(6, 1), 6) << "stops at 6 going down";
    EXPECT_EQ(demonRate(20.0, 6), 99) << "200 shown as 99";
    EXPECT_EQ(demonRate(10.0, 30), 20);
    EXPECT_EQ(demonRate(0.0, 6), 0);
    EXPECT_EQ(demonX(0.0, 20), 16);
    EXPECT_EQ(demonX(20.0, 20), 250);
    EXPECT_EQ(demonX(25.0, 50), 133);
    EXPECT_DOUBLE_EQ(demonXFrequency(300, 150), 150.0);
    EXPECT_DOUBLE_EQ(demonXFrequency(0, 150), 0.0);
}

TEST(DemonGeometry, HarmonicsSpreadByTheirAmplitude) {
    EXPECT_EQ(demonLineHalfWidth(100), 2) << "amplitude 100 spreads 2 pixels each side";
    EXPECT_EQ(demonLineHalfWidth(70), 1);
    EXPECT_EQ(demonLineHalfWidth(69), 0) << "below 70 no line";
    EXPECT_EQ(demonLineHalfWidth(0), 0);
    EXPECT_EQ(demonLineHalfWidth(-20), 0);
}

// Lit pixels of a row drawn over silent water (no speckle) with one line.
std::vector<int> litColumns(int level, int speed, int harmonics) {
    std::vector<std::uint8_t> row(260, 0);
    DisplayNoise noise;
    noise.seed(7);
    DemonRowInput in;
    in.background = 10;
    in.ambient = 0.0;
    in.level = level;
    in.speed = speed;
    in.lineFactor = 60;
    in.harmonics = harmonics;
    in.fullScale = 50;
    demonDrawRow(row, in, noise);
    std::vector<int> lit;
    for (int x = 0; x < 260; ++x)
        if (row[static_cast<std::size_t>(x)] != 0)
            lit.push_back(x);
    return lit;
}

TEST(DemonGeometry, TheBladeRateAndItsHarmonicsDrawWithinTheRow) {
    // q 60 at speed 10: 10 Hz, at x 16 + 10 × 234 / 50 = 62; the second harmonic at 109.
    const std::vector<int> one = litColumns(100, 10, 1);
    ASSERT_FALSE(one.empty());
    for (int x : one)
        EXPECT_LE(std::abs(x - 62), 3) << x;
    const std::vector<int> two = litColumns(100, 10, 2);
    EXPECT_TRUE(std::ranges::any_of(two, [](int x) { return std::abs(x - 109) <= 3; }));
    EXPECT_TRUE(litColumns(69, 10, 3).empty()) << "amplitudes below 70 draw nothing";
    EXPECT_TRUE(litColumns(100, 0, 3).empty()) << "a contact at rest has no blade rate";
    // Harmonics beyond the scale never write outside the lines' columns (16 to 249).
    for (int x : litColumns(100, 40, 6)) {
        EXPECT_GT(x, 16);
        EXPECT_LT(x, 250);
    }
}

TEST(DemonGeometry, SpeckleShowsOnlyAboveTheThreshold) {
    std::vector<std::uint8_t> row(260, 0);
    DisplayNoise noise;
    noise.seed(3);
    DemonRowInput in;
    in.background = 40;
    in.ambient = 60.0; // s = 10: values 30 to 50, shown above 46.6
    demonDrawRow(row, in, noise);
    int shown = 0;
    for (int x = 16; x < 250; ++x) {
        const int v = row[static_cast<std::size_t>(x)];
        EXPECT_TRUE(v == 0 || (v >= 47 && v <= 50)) << x << ": " << v;
        shown += v != 0;
    }
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 234 / 2);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[255], 0);
}

} // namespace
} // namespace q71::test
