// The chart's colours: band tables as installed, the band of a height, and the palette's ramps.

#include "tactical/charts/chart_palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace q71 {
namespace {

TEST(ChartPalette, DefaultBandsCoverTenKilometresEachWay) {
    const std::vector<ChartBand> bands = chartInstallBands(chartDefaultBands());
    ASSERT_EQ(bands.size(), 24u);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        EXPECT_LT(bands[i].lower, bands[i].upper);
        if (i > 0) {
            EXPECT_EQ(bands[i].lower, bands[i - 1].upper); // no gaps
        }
    }
    struct Case {
        double elevation;
        int band; // -1: black
        std::uint32_t colour;
    };
    for (const Case& c : {Case{-10000.0, 0, 0x000040}, Case{-10000.01, -1, 0}, Case{9999.9, 23, 0x888888},
                          Case{10000.0, -1, 0}, Case{0.0, 13, 0x006000}, Case{-0.5, 12, 0x9090C0},
                          Case{-150.0, 10, 0x7070C0}}) {
        const int band = chartFindBand(bands, c.elevation);
        EXPECT_EQ(band, c.band) << c.elevation;
        if (band >= 0) {
            EXPECT_EQ(bands[static_cast<std::size_t>(band)].colour, c.colour) << c.elevation;
        }
    }
}

TEST(ChartPalette, InstalledTablesAreOrderedAndBounded) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ChartBand rows[] = {
        {1, 50, 10}, {2, nan, 5}, {3, -20, 0}, {4, 0, std::numeric_limits<double>::infinity()}};
    const std::vector<ChartBand> bands = chartInstallBands(rows);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].colour, 3u);
    EXPECT_EQ(bands[1].colour, 1u);
    EXPECT_EQ(bands[1].lower, 10.0); // the bounds put in order
    EXPECT_EQ(bands[1].upper, 50.0);
    // A table longer than the palette can take keeps its first 249 rows.
    std::vector<ChartBand> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({static_cast<std::uint32_t>(i), static_cast<double>(i), i + 1.0});
    EXPECT_EQ(chartInstallBands(many).size(), 249u);
    EXPECT_EQ(chartFindBand(chartInstallBands(many), 249.5), -1);
}

TEST(ChartPalette, RampsRunFromDarkToBrightAroundTheBandColour) {
    const ChartBand bands[] = {{0x808080, 0, 1}, {0x1010B0, 1, 2}, {0x000040, 2, 3}};
    // Nine shades of amplitude 8: 32 either side of the colour.
    const ChartShadeRamp ramp = chartShadeRamp(9, 8, 8, 8);
    EXPECT_EQ(ramp.bright[0], 32);
    EXPECT_EQ(ramp.dark[2], -32);
    const std::vector<RgbQuad> palette = chartBuildPalette(bands, 9, ramp);
    ASSERT_EQ(palette.size(), 36u);
    struct Case {
        std::size_t entry;
        RgbQuad colour; // blue, green, red
    };
    for (const Case& c : {Case{0, {96, 96, 96, 0}}, Case{8, {160, 160, 160, 0}}, Case{4, {128, 128, 128, 0}},
                          // Channels under 32 get a ramp in proportion: 16 +- 16.
                          Case{9, {144, 0, 0, 0}}, Case{17, {208, 32, 32, 0}}, Case{18, {32, 0, 0, 0}},
                          Case{26, {96, 0, 0, 0}},
                          // The band of no data is black.
                          Case{27, {0, 0, 0, 0}}, Case{35, {0, 0, 0, 0}}})
        EXPECT_EQ(palette[c.entry], c.colour) << c.entry;
    // One shade: the colours themselves.
    const std::vector<RgbQuad> flat = chartBuildPalette(bands, 1, chartShadeRamp(1, 8, 8, 8));
    ASSERT_EQ(flat.size(), 4u);
    EXPECT_EQ(flat[0], (RgbQuad{128, 128, 128, 0}));
    EXPECT_EQ(flat[1], (RgbQuad{0xB0, 0x10, 0x10, 0}));
}

} // namespace
} // namespace q71
