#pragma once
// The ground of the chart tests: a window system on the headless backend with a main window of
// 640 by 480 and the drawing layer installed, hand-built terrain grids, and a chart's image and
// invalid area as the tests look at them.

#include "platform/gdi/bitmap.h"
#include "sim/world/dem_grid.h"
#include "support/headless_windows.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace q71 {
class ChartView;
}

namespace q71::test {

/// A grid of columns x rows samples spanning extentX x extentY km on a stereographic plane
/// centred on (lat, lon), heights by (column, row) with row 0 in the north.
std::unique_ptr<DemGrid> makeChartGrid(int columns, int rows, double extentX, double extentY, bool wrapX,
                                       const std::function<std::int16_t(int, int)>& height);

/// A hilly grid of 61 x 41 samples over 120 x 80 km, from 600 m peaks down to 4500 m deep,
/// with a shelf, a coast and a no-data corner of 12000 m peaks.
std::unique_ptr<DemGrid> makeHillyGrid(bool wrapX);

class ChartFixture : public HeadlessWindows {
protected:
    ChartFixture();

    /// Moves the clock 10 ms at a time, handling what falls due after each step.
    void run(std::uint64_t ms);
    /// Paints what is invalid.
    void settle() { pump(); }
    /// The bytes of a chart's image, row by row without padding (empty without an image).
    static std::vector<std::uint8_t> imageBytes(const ChartView& view);
    /// True when nothing of the window waits to be painted.
    static bool nothingInvalid(WindowHandle window);

    WindowHandle mainWindow{};
};

} // namespace q71::test
