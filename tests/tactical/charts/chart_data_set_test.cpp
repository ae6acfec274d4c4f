// The chart over a mission area of the data set: each probed pixel shows the band of the height
// the terrain gives at the grid point under it.

#include "chart_fixture.h"

#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"
#include "sim/world/terrain_world.h"
#include "support/data_set_settings.h"
#include "tactical/charts/chart_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace q71::test {
namespace {

class ChartDataSetTest : public ChartFixture {
protected:
    static void SetUpTestSuite() {
        previous_ = std::filesystem::current_path();
        loadDataSetSettings();
        appReadInstallPaths();
        ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
        worldOpen();
    }
    static void TearDownTestSuite() {
        worldShutdown();
        std::filesystem::current_path(previous_);
        settingsUnload();
    }

private:
    static inline std::filesystem::path previous_;
};

TEST_F(ChartDataSetTest, ProbedPixelsShowTheBandOfTheTerrain) {
    // The Baie d'Aldra: land, a coast and the sea.
    ASSERT_TRUE(worldLoadRegion(46.0, 79.0, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                kMissionGridSamples, false));
    ChartView view(mainWindow, 0, 0, 400, 300, worldGrid());
    view.setShadeColours(1, 8, 8, 8); // one shade: a pixel's value is its band
    view.setView(300.0, 300.0, 200.0, 1);
    settle();
    ASSERT_NE(view.image(), nullptr);
    const ChartTransform t = view.getTransform();
    const Bitmap& image = *view.image();
    int land = 0, sea = 0;
    for (int y = 3; y < image.height(); y += 17)
        for (int x = 5; x < image.width(); x += 23) {
            double gx = 0, gy = 0, height = 0;
            t.toGrid(x, y, &gx, &gy);
            ASSERT_TRUE(demSample(worldGrid(), gx, gy, &height));
            const int band = chartFindBand(view.bands(), height);
            ASSERT_GE(band, 0) << height;
            EXPECT_EQ(
                image.bits()[static_cast<std::size_t>(y) * image.stride() + static_cast<std::size_t>(x)],
                band)
                << x << ", " << y << ": " << height << " m";
            (height < 0 ? sea : land)++;
        }
    EXPECT_GT(land, 0);
    EXPECT_GT(sea, 0);
    worldClose();
}

} // namespace
} // namespace q71::test
