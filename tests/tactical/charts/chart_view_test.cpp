// The chart view's geometry: the transform, the clamp, the animation and the shade count.

#include "chart_fixture.h"

#include "tactical/charts/chart_defaults.h"
#include "tactical/charts/chart_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace q71::test {
namespace {

class ChartViewTest : public ChartFixture {
protected:
    // A view of 300 x 200 client pixels: its image is 301 x 201.
    std::unique_ptr<ChartView> makeView(const DemGrid* g) {
        auto view = std::make_unique<ChartView>(mainWindow, 0, 0, 300, 200, g);
        settle();
        return view;
    }
    std::unique_ptr<DemGrid> grid = makeHillyGrid(false);
    std::unique_ptr<DemGrid> wrapping = makeHillyGrid(true);
};

TEST_F(ChartViewTest, TransformRoundTripsSnapsAndRounds) {
    auto view = makeView(grid.get());
    ASSERT_EQ(view->imageWidth(), 301);
    ASSERT_EQ(view->imageHeight(), 201);
    for (int cell : {1, 3}) {
        view->setCellSize(cell);
        view->setView(23.3, 17.9, 30.0, 1);
        const ChartTransform t = view->getTransform();
        // A wider-than-high view spans the scale across: 30 km of 120 km over 61 columns.
        EXPECT_NEAR(t.extentX, 61 * 30.0 / 120.0, 1e-9);
        EXPECT_NEAR(t.unitsX, t.extentX / 301, 1e-12);
        EXPECT_EQ(t.stride, 304);
        // The snapped centre is the next whole block past the centre.
        const double blockX = t.extentX * cell / 301;
        const double blocks = t.snappedX / blockX;
        EXPECT_NEAR(blocks, std::round(blocks), 1e-6) << cell;
        EXPECT_GT(t.snappedX, view->centreX());
        EXPECT_LE(t.snappedX - view->centreX(), blockX + 1e-9);
        EXPECT_NEAR(t.originX, t.snappedX - t.extentX * 0.49999750001249993, 1e-12);
        for (Point p : {Point{0, 0}, Point{150, 100}, Point{300, 200}, Point{-7, 412}}) {
            double gx = 0, gy = 0;
            t.toGrid(p.x, p.y, &gx, &gy);
            EXPECT_EQ(t.toPixel(gx, gy), p);
        }
        // Pixels round to the nearest on both sides of the origin.
        EXPECT_EQ(t.toPixel(t.originX + 2.6 * t.unitsX, t.originY - 2.6 * t.unitsY), (Point{3, -3}));
        EXPECT_EQ(t.toPixel(t.originX + 2.4 * t.unitsX, t.originY - 2.4 * t.unitsY), (Point{2, -2}));
    }
}

TEST_F(ChartViewTest, WithoutUsableGridTheViewStaysAtTheOrigin) {
    // One column: the transform would divide by C - 1.
    auto thin = makeChartGrid(1, 30, 10.0, 10.0, false, [](int, int) -> std::int16_t { return -100; });
    for (const DemGrid* g : {static_cast<const DemGrid*>(nullptr), static_cast<const DemGrid*>(thin.get())}) {
        auto view = makeView(g);
        view->setView(12.0, 5.0, 40.0, 1);
        EXPECT_FALSE(view->hasGrid());
        EXPECT_EQ(view->centreX(), 0.0);
        EXPECT_EQ(view->centreY(), 0.0);
        EXPECT_EQ(view->scale(), 1.0);
        const ChartTransform t = view->getTransform();
        EXPECT_EQ(t.unitsX, 1.0);
        EXPECT_EQ(t.originX, 0.0);
    }
}

TEST_F(ChartViewTest, ClampKeepsLimitsMarginsWrapAndPin) {
    auto view = makeView(grid.get());
    // Below the minimum.
    view->setView(30.0, 20.0, 0.2, 1);
    EXPECT_EQ(view->scale(), 1.0);
    // Far beyond the maximum: the grid that does not wrap fills the view on the tighter axis,
    // rows here (40 row spans of 80 km against 60 column spans of 120 km on a 301 x 201 image).
    view->setView(30.0, 20.0, 5000.0, 1);
    ChartTransform t = view->getTransform();
    EXPECT_NEAR(t.extentY, 40.0, 1e-9);
    EXPECT_LT(t.extentX, 60.0);
    // A quarter of the view may lie outside on each side: the largest scale, 1.2 x 120 km,
    // then shows the grid within half the view.
    view->setMargins(0.25, 0.25);
    view->setView(30.0, 20.0, 5000.0, 1);
    EXPECT_EQ(view->scale(), 144.0);
    EXPECT_LE(view->getTransform().extentY, 80.0);
    view->setMargins(0.0, 0.0);
    // A centre far east: the view's edge stops on the last column.
    view->setView(500.0, -40.0, 20.0, 1);
    t = view->getTransform();
    EXPECT_NEAR(view->centreX() + t.extentX / 2, 60.0, 1e-9);
    EXPECT_NEAR(view->centreY() - t.extentY / 2, 0.0, 1e-9);
    // A pinned centre holds through every change.
    view->pinCentre(20.0, 15.0);
    view->setView(40.0, 30.0, 10.0, 1);
    EXPECT_EQ(view->centreX(), 20.0);
    EXPECT_EQ(view->centreY(), 15.0);
    view->unpinCentre();

    auto round = makeView(wrapping.get());
    // Wrapping columns come back into [0, 60) by whole periods.
    for (auto [asked, expected] : {std::pair{-5.0, 55.0}, {125.0, 5.0}, {60.0, 0.0}, {59.5, 59.5}}) {
        round->setView(asked, 20.0, 20.0, 1);
        EXPECT_NEAR(round->centreX(), expected, 1e-9) << asked;
    }
}

TEST_F(ChartViewTest, CallerValuesThatAreNotNumbersLeaveTheViewAlone) {
    auto view = makeView(grid.get());
    view->setView(25.0, 18.0, 30.0, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    view->setView(nan, 18.0, 30.0, 1);
    view->setView(25.0, inf, 30.0, 1);
    view->centreOn(25.0, 18.0, nan);
    view->pinCentre(nan, 2.0);
    view->setZoomFactor(inf);
    view->scaleUp();
    view->setScaleLimits(nan, 10.0);
    EXPECT_EQ(view->centreX(), 25.0);
    EXPECT_EQ(view->centreY(), 18.0);
    EXPECT_NEAR(view->scale(), 15.0, 1e-9); // only the zoom by the unchanged factor 0.5
}

TEST_F(ChartViewTest, FourStepZoomLandsAfterThreeTicksAtTheBaseCellSize) {
    auto view = makeView(grid.get());
    view->setView(30.0, 20.0, 60.0, 1);
    view->setView(20.0, 15.0, 15.0, 4);
    EXPECT_TRUE(view->animating());
    EXPECT_EQ(view->cellSize(), 2); // one coarser while zooming
    EXPECT_NEAR(view->scale(), 60.0 + 0.55 * (15.0 - 60.0), 1e-9);
    run(80);
    EXPECT_TRUE(view->animating());
    EXPECT_NE(view->scale(), 15.0);
    run(40);
    EXPECT_FALSE(view->animating());
    EXPECT_EQ(view->scale(), 15.0);
    EXPECT_EQ(view->centreX(), 20.0);
    EXPECT_EQ(view->centreY(), 15.0);
    EXPECT_EQ(view->cellSize(), 1);
    // A larger step count during an animation only lengthens it; the newest target wins.
    view->setView(30.0, 20.0, 30.0, 3);
    view->setView(25.0, 18.0, 30.0, 5);
    run(160);
    EXPECT_TRUE(view->animating());
    run(40);
    EXPECT_FALSE(view->animating());
    EXPECT_EQ(view->centreX(), 25.0);
}

TEST_F(ChartViewTest, ShadesAreClampedAgainstThePalette) {
    auto view = makeView(grid.get());
    // Eleven shades of 24 bands and black: 275 entries, more than 250.
    view->setShades(11);
    EXPECT_EQ(view->shades(), 10);
    view->setShades(0);
    EXPECT_EQ(view->shades(), 1);
    const ChartBand four[] = {
        {0x0000FF, -100, 0}, {0x00FF00, 0, 100}, {0xFF0000, 100, 200}, {0xFFFFFF, 200, 300}};
    view->setColourTable(four);
    view->setShades(40);
    EXPECT_EQ(view->shades(), 32);
    view->setShades(11);
    EXPECT_EQ(view->shades(), 11);
}

TEST_F(ChartViewTest, OptionsReachRegisteredStationCharts) {
    auto station = makeView(grid.get());
    auto other = makeView(grid.get());
    chartRegisterStationChart(1, station.get());
    chartApplyCellSize(3);
    chartApplyShades(1);
    EXPECT_EQ(station->baseCellSize(), 3);
    EXPECT_EQ(station->shades(), 1);
    EXPECT_EQ(other->baseCellSize(), 1);
    EXPECT_EQ(chartDefaultCellSize(), 3);
    EXPECT_EQ(chartDefaultShades(), 1);
    // A destroyed chart leaves its slot.
    station.reset();
    chartApplyCellSize(1);
    chartApplyShades(9);
    EXPECT_EQ(chartDefaultShades(), 9);
}

} // namespace
} // namespace q71::test
