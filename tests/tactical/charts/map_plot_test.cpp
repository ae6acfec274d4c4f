// The interactive charts: the map plot's and the chart window's texts in their units, and the
// mouse and keys as a player works them.

#include "chart_fixture.h"

#include "platform/display/input_event.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "sim/world/dem_grid.h"
#include "support/golden_image.h"
#include "support/temp_dir.h"
#include "support/text_fixture.h"
#include "tactical/charts/chart_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/tactical/charts/golden";

// The data set's chart texts, as the program loads them (in memory in Windows-1252).
std::string chartTexts() {
    std::istringstream source(
        readFile(std::string(std::getenv("Q71_SOURCE_DIR")) + "/data/texts/charts.txt"));
    std::string table, line;
    while (std::getline(source, line))
        if (!line.empty() && line[0] != '#')
            table += line + "\n";
    return table;
}

// A geographic grid: 61 x 41 samples over 20 x 13.3 degrees, from 0 E and 13 20' N, every
// sample at `height` metres.
std::unique_ptr<DemGrid> makeGeographicGrid(std::int16_t height) {
    auto grid = std::make_unique<DemGrid>();
    grid->projection = projCreate(0.0, 0.0, true);
    grid->extentX = 1200.0;
    grid->extentY = 800.0;
    grid->originX = 0.0;
    grid->originY = -800.0;
    grid->width = 61;
    grid->height = 41;
    grid->samples.assign(61 * 41, height);
    return grid;
}

class MapPlotTest : public ChartFixture {
protected:
    TextFixture texts{chartTexts()};
    std::unique_ptr<DemGrid> grid = makeHillyGrid(false);
};

TEST_F(MapPlotTest, ScaleBarsAndTextsOfThePlot) {
    MapPlot plot(mainWindow, 0, 0, 600, 400, grid.get());
    int length = 0;
    std::string label;
    // 600 x 400 pixels at 0.5 km a pixel: 380 x 0.5 x 0.9 = 171 km, so 100 km on 200 pixels.
    ASSERT_TRUE(plot.scaleBarLabel(0.5, 380, &length, &label));
    EXPECT_EQ(label, "100 km");
    EXPECT_EQ(length, 200);
    ASSERT_TRUE(plot.scaleBarLabel(0.00005, 380, &length, &label));
    EXPECT_EQ(label, "10 m");
    EXPECT_FALSE(plot.scaleBarLabel(0.000001, 380, &length, &label));

    std::string range, bearing;
    ASSERT_TRUE(plot.formatRangeBearing(0.4, 359.96, &range, &bearing));
    EXPECT_EQ(range, "400 m");
    EXPECT_EQ(bearing, "0.0 deg");
    ASSERT_TRUE(plot.formatRangeBearing(12.345, 90.0, &range, &bearing));
    EXPECT_EQ(range, "12.3 km");
    EXPECT_FALSE(plot.formatRangeBearing(0.0, 90.0, &range, &bearing));

    auto geographic = makeGeographicGrid(-150);
    plot.setMapSource(geographic.get());
    struct Case {
        double lat, lon;
        const char* text;
    };
    for (const Case& c : {Case{12.999, 20.0, "13-00 N\n020-00 E"}, Case{-0.5, 1.25, "00-30 S\n001-15 E"},
                          Case{3.0, 200.0, "03-00 N\n160-00 W"}}) {
        double column = 0, row = 0;
        ASSERT_TRUE(demLatLongToGrid(geographic.get(), c.lat, c.lon, &column, &row));
        std::string text;
        ASSERT_TRUE(plot.formatLatLong(column, row, &text));
        EXPECT_EQ(text, c.text);
    }
    double column = 0, row = 0;
    demLatLongToGrid(geographic.get(), 90.0, 0.0, &column, &row);
    EXPECT_FALSE(plot.formatLatLong(column, row, &label));
}

TEST_F(MapPlotTest, ChartWindowTextsInEveryUnit) {
    auto water = makeChartGrid(41, 41, 80.0, 80.0, false, [](int, int) -> std::int16_t { return -150; });
    ChartWindow chart(mainWindow, 0, 0, 600, 400, water.get());
    int length = 0;
    std::string label;
    // 0.1 km a pixel over 580 pixels in nautical miles: 15.86 of them, so 10 on 183 pixels.
    ASSERT_TRUE(chart.scaleBarLabel(0.1, 580, &length, &label));
    EXPECT_EQ(label, "10 nq");
    EXPECT_EQ(length, 183);
    ASSERT_TRUE(chart.scaleBarLabel(0.001, 580, &length, &label));
    EXPECT_EQ(label, "100 yards");
    chart.setNautical(false);
    ASSERT_TRUE(chart.scaleBarLabel(0.1, 580, &length, &label));
    EXPECT_EQ(label, "10 km");
    EXPECT_EQ(length, 100);
    ASSERT_TRUE(chart.scaleBarLabel(0.0005, 580, &length, &label));
    EXPECT_EQ(label, "100 m");

    std::string range, bearing;
    ASSERT_TRUE(chart.formatRangeBearing(0.25, 359.96, &range, &bearing));
    EXPECT_EQ(range, "Distance 250 m");
    EXPECT_EQ(bearing, "Rel\xE8vement 000.0\xB0");
    chart.setNautical(true);
    ASSERT_TRUE(chart.formatRangeBearing(3.6576, 45.26, &range, &bearing));
    EXPECT_EQ(range, "Distance 2.0 nq");
    EXPECT_EQ(bearing, "Rel\xE8vement 045.3\xB0");
    ASSERT_TRUE(chart.formatRangeBearing(0.9144, 45.0, &range, &bearing));
    EXPECT_EQ(range, "Distance 1000 yards");
    EXPECT_FALSE(chart.formatRangeBearing(-1.0, 45.0, &range, &bearing));

    // The pointer over water 150 m deep: 492.1 feet, or 150 metres.
    std::string text;
    ASSERT_TRUE(chart.formatLatLong(20.0, 20.0, &text));
    EXPECT_NE(text.find("Fond \xE0 492 pieds"), std::string::npos) << text;
    EXPECT_EQ(text.substr(0, 16), "46-00 N\n079-00 E");
    chart.setNautical(false);
    ASSERT_TRUE(chart.formatLatLong(20.0, 20.0, &text));
    EXPECT_NE(text.find("Fond \xE0 150 m"), std::string::npos) << text;
    // Off the grid there is no terrain to tell.
    ASSERT_TRUE(chart.formatLatLong(-5.0, 20.0, &text));
    EXPECT_NE(text.find("hors carte"), std::string::npos) << text;

    // A geographic grid counts in degrees and minutes and gives no range.
    auto geographic = makeGeographicGrid(200);
    chart.setMapSource(geographic.get());
    ASSERT_TRUE(chart.scaleBarLabel(2.0, 580, &length, &label)); // 2' a pixel: 9.7 degrees
    EXPECT_EQ(label, "5\xB0");
    EXPECT_EQ(length, 150);
    ASSERT_TRUE(chart.scaleBarLabel(0.05, 580, &length, &label));
    EXPECT_EQ(label, "10'");
    ASSERT_TRUE(chart.formatRangeBearing(5.0, 180.0, &range, &bearing));
    EXPECT_EQ(range, "");
    EXPECT_EQ(bearing, "Rel\xE8vement 180.0\xB0");
}

class ChartMouseTest : public MapPlotTest {
protected:
    ChartMouseTest() {
        chart = std::make_unique<ChartWindow>(mainWindow, 0, 0, 320, 240, grid.get());
        chart->setView(30.0, 20.0, 60.0, 1);
        focusSet(chart->window());
        settle();
    }
    void press(Point at) {
        display.inject(InputEvent::moveTo(at));
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, at));
        pump();
    }
    void moveTo(Point at) {
        display.inject(InputEvent::moveTo(at));
        pump();
    }
    void release(Point at) {
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, at));
        pump();
    }
    std::unique_ptr<ChartWindow> chart;
};

TEST_F(ChartMouseTest, AClickRecentres) {
    double gx = 0, gy = 0;
    chart->getTransform().toGrid(100, 60, &gx, &gy);
    display.click({100, 60});
    pump();
    EXPECT_EQ(chart->dragState(), 0);
    run(200); // four steps of 40 ms
    EXPECT_NEAR(chart->centreX(), gx, 1e-9);
    EXPECT_NEAR(chart->centreY(), gy, 1e-9);
}

TEST_F(ChartMouseTest, APressMovedNinePixelsMeasures) {
    const double centreX = chart->centreX();
    press({100, 150});
    moveTo({108, 142}); // eight pixels: still a click
    EXPECT_EQ(chart->dragState(), 0);
    moveTo({109, 150});
    moveTo({220, 60});
    EXPECT_EQ(chart->dragState(), 2);
    run(20);
    settle();
    ASSERT_NE(chart->backBuffer(), nullptr);
    EXPECT_TRUE(matchesGoldenIn(kGolden, *chart->backBuffer(), "measurement"));
    double startX = 0, startY = 0, endX = 0, endY = 0;
    chart->measurement(&startX, &startY, &endX, &endY);
    const ChartTransform t = chart->getTransform();
    EXPECT_EQ(t.toPixel(startX, startY), (Point{100, 150}));
    EXPECT_EQ(t.toPixel(endX, endY), (Point{220, 60}));
    release({220, 60});
    EXPECT_EQ(chart->dragState(), 0);
    run(200);
    EXPECT_EQ(chart->centreX(), centreX); // the drag did not re-centre
}

TEST_F(ChartMouseTest, DraggingPastTheEdgeScrollsEveryTenMilliseconds) {
    press({160, 120});
    moveTo({150, 120});
    moveTo({-30, 120});
    std::vector<double> centres{chart->centreX()};
    for (int tick = 0; tick < 4; ++tick) {
        run(10);
        centres.push_back(chart->centreX());
    }
    for (std::size_t i = 1; i < centres.size(); ++i)
        EXPECT_LT(centres[i], centres[i - 1]) << i;
    release({-30, 120});
    const double stopped = chart->centreX();
    run(50);
    EXPECT_EQ(chart->centreX(), stopped);
}

TEST_F(ChartMouseTest, ControlClicksZoom) {
    const double scale = chart->scale();
    display.typeKey(VK_CONTROL, -1, true);
    pump();
    EXPECT_TRUE(chart->zoomClickMode());
    display.click({160, 120});
    pump();
    run(200);
    EXPECT_NEAR(chart->scale(), scale * 0.5, 1e-9);
    display.click({160, 120}, MouseButton::Right);
    pump();
    run(200);
    EXPECT_NEAR(chart->scale(), scale, 1e-9);
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_CONTROL));
    pump();
    EXPECT_FALSE(chart->zoomClickMode());
}

TEST_F(ChartMouseTest, CharactersToggleAndZoom) {
    struct Case {
        std::uint8_t key;
        int character;
        bool (ChartWindow::*flag)() const;
        bool before;
    };
    for (const Case& c : {Case{'E', 'e', &ChartWindow::scaleBarShown, true},
                          Case{'Q', 'Q', &ChartWindow::gridLinesShown, false},
                          Case{'P', 'p', &ChartWindow::readoutLatched, true}}) {
        EXPECT_EQ((chart.get()->*c.flag)(), c.before) << c.character;
        display.typeKey(c.key, c.character);
        pump();
        EXPECT_EQ((chart.get()->*c.flag)(), !c.before) << c.character;
    }
    const double scale = chart->scale();
    display.typeKey(VK_OEM_PLUS, '+');
    pump();
    run(200);
    EXPECT_NEAR(chart->scale(), scale * 0.5, 1e-9);
    // Measuring by key: it starts at the pointer and follows it.
    display.inject(InputEvent::moveTo({50, 50}));
    display.typeKey('D', 'd');
    pump();
    EXPECT_EQ(chart->dragState(), 1);
    moveTo({90, 70});
    EXPECT_EQ(chart->dragState(), 2);
    display.typeKey('D', 'd');
    pump();
    EXPECT_EQ(chart->dragState(), 0);
}

} // namespace
} // namespace q71::test
