// The chart's terrain image: its look (golden images), scrolling that matches a full render,
// and the bands it shows over a mission area of the data set.

#include "chart_fixture.h"

#include "support/golden_image.h"
#include "tactical/charts/chart_relief.h"
#include "tactical/charts/chart_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/tactical/charts/golden";

class ChartImageTest : public ChartFixture {
protected:
    std::unique_ptr<ChartView> makeView(const DemGrid* g, int width = 160, int height = 120) {
        auto view = std::make_unique<ChartView>(mainWindow, 0, 0, width, height, g);
        settle();
        return view;
    }
    std::unique_ptr<DemGrid> grid = makeHillyGrid(false);
    std::unique_ptr<DemGrid> wrapping = makeHillyGrid(true);
};

TEST_F(ChartImageTest, ImagesOfShadesCellsAndDither) {
    struct Case {
        const char* name;
        bool wraps;
        int shades;
        int cell;
        bool dither;
    };
    for (const Case& c :
         {Case{"plain_1shade", false, 1, 1, true}, Case{"plain_2shades", false, 2, 1, true},
          Case{"plain_9shades", false, 9, 1, true}, Case{"plain_9shades_nodither", false, 9, 1, false},
          Case{"plain_9shades_cell3", false, 9, 3, true}, Case{"wrap_9shades_seam", true, 9, 1, true}}) {
        auto view = makeView(c.wraps ? wrapping.get() : grid.get());
        view->setShadeColours(c.shades, 8, 8, 8);
        view->setCellSize(c.cell);
        view->setDither(c.dither);
        // Over the seam on the wrapping grid: the east edge joins the west one.
        if (c.wraps)
            view->setView(2.0, 20.0, 100.0, 1);
        settle();
        ASSERT_NE(view->image(), nullptr) << c.name;
        EXPECT_TRUE(matchesGoldenIn(kGolden, *view->image(), c.name));
    }
}

TEST_F(ChartImageTest, ScrolledImageEqualsAFullRender) {
    std::mt19937 random(29);
    for (const DemGrid* g :
         {static_cast<const DemGrid*>(grid.get()), static_cast<const DemGrid*>(wrapping.get())})
        for (int cell = 1; cell <= 3; ++cell) {
            auto view = makeView(g, 203, 151);
            view->setCellSize(cell);
            view->setView(30.0, 20.0, 40.0, 1);
            settle();
            std::uniform_int_distribution<int> pixels(-90, 90);
            for (int pan = 0; pan < 25; ++pan) {
                const ChartTransform t = view->getTransform();
                view->setView(view->centreX() + pixels(random) * t.unitsX,
                              view->centreY() + pixels(random) * t.unitsY, view->scale(), 1);
                const std::vector<std::uint8_t> scrolled = imageBytes(*view);
                ASSERT_FALSE(scrolled.empty());
                view->invalidateImage(false);
                settle();
                ASSERT_EQ(imageBytes(*view), scrolled) << "cell " << cell << ", pan " << pan;
            }
        }
}

TEST_F(ChartImageTest, TheReliefShadesTheWholeMapWhateverTheGridsSize) {
    // Hills within one band (-3000 to -4000 m), so that only the relief changes the shade; grids
    // whose last index the relief's samples divide (61 x 41) and do not (60 x 40, 600 x 600).
    for (const auto& [columns, rows] : {std::pair{61, 41}, std::pair{60, 40}, std::pair{600, 600}}) {
        const double cellsPerHill = 8.0; // 16 km: slopes steep enough for every shade
        auto hills = makeChartGrid(columns, rows, 2.0 * columns, 2.0 * rows, false, [&](int c, int r) {
            return static_cast<std::int16_t>(-3500 + 300 * std::sin(c / cellsPerHill * 6.283) *
                                                         std::cos(r / cellsPerHill * 6.283));
        });
        const ChartRelief relief = chartBuildRelief(*hills, ReliefLight{}, 9);
        EXPECT_GE((relief.columns - 1) * relief.stepX + relief.halfStepX, columns - 1 - relief.stepX)
            << columns;
        EXPECT_GE((relief.rows - 1) * relief.stepY + relief.halfStepY, rows - 1 - relief.stepY) << rows;
        auto view = makeView(hills.get(), 160, 120);
        view->setShadeColours(9, 8, 8, 8);
        view->setDither(false);
        settle();
        // The lower right quarter of the image shows the hills there, not one flat shade.
        const std::vector<std::uint8_t> bytes = imageBytes(*view);
        const auto width = static_cast<std::size_t>(view->image()->width());
        std::set<std::uint8_t> shades;
        for (std::size_t y = 90; y < 118; ++y)
            for (std::size_t x = 120; x < 158; ++x)
                shades.insert(bytes[y * width + x]);
        EXPECT_GT(shades.size(), 3u) << columns << " x " << rows;
    }
}

TEST_F(ChartImageTest, AHeightOutsideEveryBandIsBlack) {
    auto view = makeView(grid.get());
    view->setShadeColours(1, 8, 8, 8);
    view->setView(60.0, 0.0, 20.0, 1);
    settle();
    // Columns 54..60, rows 0..4 stand 12 km high: the top right corner shows the black band.
    const ChartTransform t = view->getTransform();
    const Point corner = t.toPixel(58.0, 1.0);
    const Bitmap& image = *view->image();
    ASSERT_TRUE((Rect{0, 0, image.width(), image.height()}.contains(corner)));
    const std::uint8_t value =
        image
            .bits()[static_cast<std::size_t>(corner.y) * image.stride() + static_cast<std::size_t>(corner.x)];
    EXPECT_EQ(value, 24);
    const RgbQuad black{};
    EXPECT_EQ(image.colorTable()[value], black);
}

} // namespace
} // namespace q71::test
