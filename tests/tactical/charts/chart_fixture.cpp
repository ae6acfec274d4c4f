#include "chart_fixture.h"

#include "platform/gdi/window_dc.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "tactical/charts/chart_view.h"

#include <algorithm>
#include <cmath>

namespace q71::test {

std::unique_ptr<DemGrid> makeChartGrid(int columns, int rows, double extentX, double extentY, bool wrapX,
                                       const std::function<std::int16_t(int, int)>& height) {
    auto grid = std::make_unique<DemGrid>();
    grid->projection = projCreate(46.0, 79.0, false);
    grid->extentX = extentX;
    grid->extentY = extentY;
    grid->originX = -extentX / 2;
    grid->originY = -extentY / 2;
    grid->width = columns;
    grid->height = rows;
    grid->wrapX = wrapX ? 1u : 0u;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid->samples.push_back(height(c, r));
    return grid;
}

std::unique_ptr<DemGrid> makeHillyGrid(bool wrapX) {
    return makeChartGrid(61, 41, 120.0, 80.0, wrapX, [wrapX](int c, int r) -> std::int16_t {
        // On a wrapping grid the last column is the first again.
        const int column = wrapX && c == 60 ? 0 : c;
        if (column >= 54 && r <= 4)
            return 12000; // beyond every band: drawn black
        const double x = column / 60.0;
        const double y = r / 40.0;
        const double coast = 600.0 * std::sin(x * 6.2832) * std::cos(y * 9.0);
        const double deep = -4500.0 * y * y;
        return static_cast<std::int16_t>(std::lround(coast + deep + 150.0 * std::sin(x * 40.0 + y * 17.0)));
    });
}

ChartFixture::ChartFixture() {
    installWindowDrawing();
    mainWindow = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    pump();
}

void ChartFixture::run(std::uint64_t ms) {
    for (std::uint64_t done = 0; done < ms; done += 10) {
        clock.advance(std::min<std::uint64_t>(10, ms - done));
        pump();
    }
}

std::vector<std::uint8_t> ChartFixture::imageBytes(const ChartView& view) {
    std::vector<std::uint8_t> bytes;
    const Bitmap* image = view.image();
    if (!image)
        return bytes;
    const auto bits = image->bits();
    for (int y = 0; y < image->height(); ++y)
        bytes.insert(bytes.end(), bits.begin() + static_cast<std::ptrdiff_t>(y * image->stride()),
                     bits.begin() + static_cast<std::ptrdiff_t>(y * image->stride() + image->width()));
    return bytes;
}

bool ChartFixture::nothingInvalid(WindowHandle window) {
    Rect update;
    return !windowGetUpdateRect(window, &update);
}

} // namespace q71::test
