// Where a chart draws its symbols: once per visible copy of the map on a wrapping grid.

#include "tactical/charts/chart_view.h"

#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "sim/world/dem_grid.h"
#include "tactical/charts/chart_symbol.h"

#include <algorithm>
#include <cmath>

namespace q71 {

struct ChartView::Copies {
    std::vector<Point> pixels; ///< the position's pixel in each visible copy
    std::vector<Rect> boxes;   ///< and the symbol's box there (right and bottom exclusive)
};

bool ChartView::symbolCopies(const ChartSymbol& symbol, const ChartTransform& t, Copies& copies) const {
    copies = {};
    if (!hasGrid())
        return false;
    double x = symbol.x();
    double y = symbol.y();
    // A geographic symbol that the grid cannot place is not drawn.
    if (symbol.isGeographic() && !demLatLongToGrid(grid_, symbol.y(), symbol.x(), &x, &y))
        return false;
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    const ChartViewRecord& r = symbol.record();
    const Rect image{0, 0, imageWidth_, imageHeight_};
    // The wrap period is that of the image: column C - 1 is column 0 again.
    const double periodX = grid_->wrapX ? grid_->width - 1 : 0.0;
    const double periodY = grid_->wrapY ? grid_->height - 1 : 0.0;
    const Point low0 = t.toPixel(x + r.lowerX, y + r.lowerY);
    const Point high0 = t.toPixel(x + r.upperX, y + r.upperY);
    // Copies whose box may meet the image (one more either side for rounding).
    const auto range = [](double period, double units, int lo, int hi, int size, int& first, int& last) {
        first = last = 0;
        if (period <= 0)
            return;
        const double pixels = period / units;
        first = static_cast<int>(std::ceil(-hi / pixels)) - 1;
        last = static_cast<int>(std::floor((size - 1 - lo) / pixels)) + 1;
    };
    int firstX = 0, lastX = 0, firstY = 0, lastY = 0;
    range(periodX, t.unitsX, low0.x + r.left, high0.x + r.right, imageWidth_, firstX, lastX);
    range(periodY, t.unitsY, low0.y + r.top, high0.y + r.bottom, imageHeight_, firstY, lastY);
    for (int j = firstY; j <= lastY; ++j)
        for (int i = firstX; i <= lastX; ++i) {
            const double cx = x + i * periodX;
            const double cy = y + j * periodY;
            const Point low = t.toPixel(cx + r.lowerX, cy + r.lowerY);
            const Point high = t.toPixel(cx + r.upperX, cy + r.upperY);
            const Rect box{low.x + r.left, low.y + r.top, high.x + r.right + 1, high.y + r.bottom + 1};
            if (!box.intersects(image))
                continue;
            copies.pixels.push_back(t.toPixel(cx, cy));
            copies.boxes.push_back(box);
        }
    return !copies.pixels.empty();
}

void ChartView::invalidateSymbol(const ChartSymbol& symbol) {
    if (!windowIsValid(window_))
        return;
    Copies copies;
    if (!symbolCopies(symbol, getTransform(), copies))
        return;
    for (const Rect& box : copies.boxes)
        windowInvalidate(window_, &box, false);
}

void ChartView::drawSymbols(DeviceContext& dc) {
    const auto alive = watch();
    const ChartTransform t = getTransform();
    // A symbol's drawing may delete symbols or the view itself: the list is walked on a copy,
    // and each symbol only while it is still shown.
    const std::vector<ChartSymbol*> order = symbols_;
    const auto shown = [this](ChartSymbol* s) {
        return std::find(symbols_.begin(), symbols_.end(), s) != symbols_.end();
    };
    Copies copies;
    for (ChartSymbol* symbol : order) {
        if (!shown(symbol) || !symbolCopies(*symbol, t, copies))
            continue;
        for (const Point& at : copies.pixels) {
            ChartViewRecord record = symbol->record();
            symbol->drawUnder(dc, at.x, at.y, record);
            if (alive.expired())
                return;
            if (!shown(symbol))
                break;
            symbol->draw(dc, *this, at.x, at.y, record);
            if (alive.expired())
                return;
            if (!shown(symbol))
                break;
            symbol->record_ = record;
        }
    }
}

} // namespace q71
