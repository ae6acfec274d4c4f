#include "tactical/charts/chart_view.h"

#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "sim/world/dem_grid.h"
#include "tactical/charts/chart_defaults.h"
#include "tactical/charts/chart_symbol.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace q71 {
namespace {

// The origin lies just short of half the extent from the centre, so that no pixel samples
// exactly on a grid line where rounding would pick either side.
constexpr double kOriginFraction = 0.49999750001249993;
constexpr double kSameScale = 1e-10;

bool finite(double a, double b, double c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

double wrapInto(double v, double period) {
    double w = v - std::floor(v / period) * period;
    return w >= period ? 0.0 : w;
}

// The difference brought into (-period / 2, period / 2] by whole periods.
double shortestWay(double d, double period) {
    d = std::fmod(d, period);
    if (d > period / 2)
        d -= period;
    else if (d <= -period / 2)
        d += period;
    return d;
}

int roundHalfAway(double v) {
    return static_cast<int>(std::lround(v));
}

struct LightKey {
    int key;
    double degrees;
};
constexpr std::array<LightKey, 9> kLightKeys{
    {{4, 0}, {1, 45}, {7, 90}, {3, 135}, {5, 180}, {2, 225}, {6, 270}, {0, 315}, {4, 360}}};

} // namespace

Point ChartTransform::toPixel(double gx, double gy) const {
    return {roundHalfAway((gx - originX) / unitsX), roundHalfAway((gy - originY) / unitsY)};
}

void ChartTransform::toGrid(double px, double py, double* gx, double* gy) const {
    if (gx)
        *gx = originX + px * unitsX;
    if (gy)
        *gy = originY + py * unitsY;
}

ChartView::ChartView(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
                     std::span<const ChartBand> bands)
    : BaseWidget(parentWindow, x, y, width, height, true) {
    name_ = "ChartView";
    chartViewCreated();
    baseCellSize_ = cellSize_ = chartDefaultCellSize();
    bands_ = chartInstallBands(bands.empty() ? chartDefaultBands() : bands);
    shades_ = 0; // so that the clamp below counts as a change
    applyShadeClamp(chartDefaultShades());
    ramp_ = chartShadeRamp(shades_, 8, 8, 8);
    // The view has the window's shape from the start, so that a view set before the first paint
    // shows what was asked for on both axes.
    windowImageSize(imageWidth_, imageHeight_);
    setMapSource(grid);
}

ChartView::~ChartView() {
    stopAnimation();
    const std::vector<ChartSymbol*> shown = symbols_;
    for (ChartSymbol* symbol : shown)
        symbol->detach(this);
    symbols_.clear();
    grid_ = nullptr;
    chartViewDestroyed(this);
}

bool ChartView::hasGrid() const {
    // The transform divides by C - 1 and R - 1 and by the extents.
    return grid_ && grid_->width >= 2 && grid_->height >= 2 && grid_->extentX > 0 && grid_->extentY > 0 &&
           std::isfinite(grid_->extentX) && std::isfinite(grid_->extentY) &&
           grid_->samples.size() >=
               static_cast<std::size_t>(grid_->width) * static_cast<std::size_t>(grid_->height);
}

// ---- Set-up ----------------------------------------------------------------------------------

void ChartView::setMapSource(const DemGrid* grid) {
    stopAnimation();
    invalidateImage(false);
    grid_ = grid;
    relief_ = ChartRelief{};
    minScale_ = 1.0;
    maxScale_ = hasGrid() ? 1.2 * std::max(grid_->extentX, grid_->extentY) : 1.0;
    showWholeMap(0);
}

void ChartView::setColourTable(std::span<const ChartBand> bands) {
    invalidateImage(true);
    bands_ = chartInstallBands(bands.empty() ? chartDefaultBands() : bands);
    applyShadeClamp(shades_);
}

void ChartView::applyShadeClamp(int shades) {
    const int entries = static_cast<int>(bands_.size()) + 1;
    if (shades * entries > 250)
        shades = 250 / entries;
    shades = std::clamp(shades, 1, 32);
    if (shades != shades_) {
        shades_ = shades;
        relief_ = ChartRelief{};
        invalidateImage(true);
    }
    shadeMaps_ = chartBuildShadeMaps(shades_, dither_);
}

void ChartView::setShades(int shades) {
    applyShadeClamp(shades);
}

void ChartView::setShadeRamp(const ChartShadeRamp& ramp) {
    ramp_ = ramp;
    invalidateImage(true);
}

void ChartView::setShadeColours(int shades, int red, int green, int blue) {
    setShades(shades);
    setShadeRamp(chartShadeRamp(shades_, red, green, blue));
}

void ChartView::setDither(bool on) {
    if (on == dither_)
        return;
    dither_ = on;
    shadeMaps_ = chartBuildShadeMaps(shades_, dither_);
    invalidateImage(false);
}

void ChartView::setCellSize(int size) {
    size = std::clamp(size, 1, 16);
    baseCellSize_ = size;
    if (!animating() && size != cellSize_) {
        invalidateImage(false);
        cellSize_ = size;
    }
}

void ChartView::setReliefStep(int step) {
    light_.step = std::max(step, 1);
    relief_ = ChartRelief{};
    invalidateImage(false);
}

void ChartView::setLightAzimuth(double degrees) {
    if (!std::isfinite(degrees))
        return;
    const double azimuth = wrapInto(degrees, 360.0);
    if (azimuth == light_.azimuth)
        return;
    light_.azimuth = azimuth;
    relief_ = ChartRelief{};
    invalidateImage(false);
}

void ChartView::setLightDirection(int key) {
    auto row =
        std::find_if(kLightKeys.begin(), kLightKeys.end(), [key](const LightKey& r) { return r.key == key; });
    setLightAzimuth(row != kLightKeys.end() ? row->degrees : kLightKeys.front().degrees);
}

void ChartView::setScaleLimits(double minimum, double maximum) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    minScale_ = minimum;
    maxScale_ = maximum;
    setView(pendingX_, pendingY_, pendingScale_, 1);
}

void ChartView::setMargins(double x, double y) {
    if (std::isfinite(x) && std::isfinite(y)) {
        marginX_ = x;
        marginY_ = y;
    }
}

void ChartView::setZoomFactor(double factor) {
    if (std::isfinite(factor))
        zoomFactor_ = factor;
}

void ChartView::setPanStep(double fraction) {
    if (std::isfinite(fraction))
        panStep_ = fraction;
}

void ChartView::pinCentre(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    pinnedX_ = x;
    pinnedY_ = y;
    pinned_ = true;
    setView(x, y, pendingScale_, 1);
}

void ChartView::setState(int value) {
    state_ = value;
}

// ---- The view --------------------------------------------------------------------------------

void ChartView::viewExtent(double scale, double& extentX, double& extentY) const {
    if (!hasGrid()) {
        extentX = extentY = 1.0;
        return;
    }
    const double w = imageWidth_;
    const double h = imageHeight_;
    const double across = imageWidth_ <= imageHeight_ ? scale * w / h : scale;
    const double down = imageWidth_ <= imageHeight_ ? scale : scale * h / w;
    extentX = grid_->width * across / grid_->extentX;
    extentY = grid_->height * down / grid_->extentY;
}

ChartView::Lattice ChartView::lattice() const {
    Lattice l;
    if (!hasGrid())
        return l;
    double ex = 1.0, ey = 1.0;
    viewExtent(scale_, ex, ey);
    l.blockX = ex * cellSize_ / imageWidth_;
    l.blockY = ey * cellSize_ / imageHeight_;
    l.kx = static_cast<long long>(std::floor(centreX_ / l.blockX)) + 1;
    l.ky = static_cast<long long>(std::floor(centreY_ / l.blockY)) + 1;
    return l;
}

ChartTransform ChartView::getTransform() const {
    ChartTransform t;
    t.stride = (imageWidth_ + 3) / 4 * 4;
    if (!hasGrid()) {
        t.snappedX = centreX_;
        t.snappedY = centreY_;
        return t;
    }
    viewExtent(scale_, t.extentX, t.extentY);
    t.unitsX = t.extentX / imageWidth_;
    t.unitsY = t.extentY / imageHeight_;
    const Lattice l = lattice();
    // The snapped centre as a whole number of pixels, so that the renderer samples every block
    // at exactly the grid point the transform gives it, wherever the view has been panned.
    t.snappedX = static_cast<double>(l.kx * cellSize_) * t.unitsX;
    t.snappedY = static_cast<double>(l.ky * cellSize_) * t.unitsY;
    t.originX = t.snappedX - t.extentX * kOriginFraction;
    t.originY = t.snappedY - t.extentY * kOriginFraction;
    return t;
}

void ChartView::clampView(double& x, double& y, double& scale) const {
    if (pinned_) {
        x = pinnedX_;
        y = pinnedY_;
    }
    scale = std::max(scale, minScale_);
    scale = std::min(scale, maxScale_);
    if (!hasGrid()) {
        x = y = 0.0;
        scale = minScale_;
        return;
    }
    const double lastColumn = grid_->width - 1;
    const double lastRow = grid_->height - 1;
    double ex = 1.0, ey = 1.0;
    viewExtent(scale, ex, ey);
    if (!grid_->wrapX || !grid_->wrapY) {
        // A grid that does not wrap fills the view: zoom in until it does.
        double factor = 1.0;
        const double mx = 1 - 2 * marginX_;
        const double my = 1 - 2 * marginY_;
        if (!grid_->wrapX && mx > 1e-7)
            factor = std::min(factor, lastColumn / (mx * ex));
        if (!grid_->wrapY && my > 1e-7)
            factor = std::min(factor, lastRow / (my * ey));
        if (factor < 1.0) {
            scale *= factor;
            viewExtent(scale, ex, ey);
        }
    }
    const auto clampAxis = [](double& v, bool wraps, double last, double extent, double margin) {
        if (wraps) {
            v = wrapInto(v, last);
            return;
        }
        const double lo = (0.5 - margin) * extent;
        v = std::min(v, last - lo);
        v = std::max(v, lo);
    };
    clampAxis(x, grid_->wrapX != 0, lastColumn, ex, marginX_);
    clampAxis(y, grid_->wrapY != 0, lastRow, ey, marginY_);
}

void ChartView::stopAnimation() {
    if (timerActive_ && windowIsValid(window_))
        timerKill(window_, kAnimationTimer);
    timerActive_ = false;
    stepsLeft_ = 0;
}

void ChartView::setView(double x, double y, double scale, int steps) {
    if (!finite(x, y, scale))
        return;
    steps = std::max(steps, 1);
    clampView(x, y, scale);
    pendingX_ = x;
    pendingY_ = y;
    pendingScale_ = scale;
    if (stepsLeft_ >= 1) {
        stepsLeft_ = std::max(stepsLeft_, steps);
        return;
    }
    // Without a window no timer can run: the view lands at once.
    if (!windowIsValid(window_))
        steps = 1;

    const Lattice before = lattice();
    const double oldScale = scale_;
    const int oldCell = cellSize_;
    const bool scaleChanges = std::fabs(scale - scale_) > kSameScale;
    const double targetScale = scaleChanges ? scale : scale_;
    if (steps > 1) {
        timerSet(window_, kAnimationTimer, kAnimationMs);
        timerActive_ = true;
        if (scaleChanges && zoomCellIncrease_ > 0)
            cellSize_ = std::clamp(baseCellSize_ + zoomCellIncrease_, 1, 16);
        stepsLeft_ = steps - 1;
        double dx = pendingX_ - centreX_;
        double dy = pendingY_ - centreY_;
        if (hasGrid() && grid_->wrapX)
            dx = shortestWay(dx, grid_->width - 1);
        if (hasGrid() && grid_->wrapY)
            dy = shortestWay(dy, grid_->height - 1);
        double cx = centreX_ + approach_ * dx;
        double cy = centreY_ + approach_ * dy;
        double cs = scale_ + approach_ * (targetScale - scale_);
        clampView(cx, cy, cs);
        centreX_ = cx;
        centreY_ = cy;
        scale_ = cs;
    } else {
        stopAnimation();
        centreX_ = pendingX_;
        centreY_ = pendingY_;
        scale_ = targetScale;
        cellSize_ = baseCellSize_;
    }
    updateImage(before, oldScale, oldCell);
}

void ChartView::onTimer(std::uintptr_t) {
    const int steps = stepsLeft_;
    stepsLeft_ = 0;
    setView(pendingX_, pendingY_, pendingScale_, steps);
}

void ChartView::centreOn(double x, double y, double scale) {
    if (!finite(x, y, scale))
        return;
    clampView(x, y, scale);
    pendingX_ = x;
    pendingY_ = y;
    pendingScale_ = scale;
    if (x != centreX_ || y != centreY_ || scale != scale_) {
        centreX_ = x;
        centreY_ = y;
        scale_ = scale;
        invalidateImage(false);
    }
}

void ChartView::panBy(double fx, double fy, int steps) {
    double ex = 1.0, ey = 1.0;
    viewExtent(pendingScale_, ex, ey);
    setView(pendingX_ + fx * ex, pendingY_ + fy * ey, pendingScale_, steps);
}

void ChartView::panXMinus() {
    panBy(-panStep_, 0.0, defaultSteps_);
}
void ChartView::panXPlus() {
    panBy(panStep_, 0.0, defaultSteps_);
}
void ChartView::panYMinus() {
    panBy(0.0, -panStep_, defaultSteps_);
}
void ChartView::panYPlus() {
    panBy(0.0, panStep_, defaultSteps_);
}

void ChartView::scaleUp() {
    setView(pendingX_, pendingY_, pendingScale_ * zoomFactor_, defaultSteps_);
}

void ChartView::scaleDown() {
    if (zoomFactor_ > 0)
        setView(pendingX_, pendingY_, pendingScale_ / zoomFactor_, defaultSteps_);
}

void ChartView::centreAtPoint(std::optional<Point> point) {
    const Point at = point ? *point : windowScreenToClient(window_, cursorGetPosition());
    if (!windowIsValid(window_) || !windowGetClientRect(window_).contains(at))
        return;
    double gx = 0, gy = 0;
    getTransform().toGrid(at.x, at.y, &gx, &gy);
    setView(gx, gy, pendingScale_, defaultSteps_);
}

void ChartView::showWholeMap(int steps) {
    if (!hasGrid()) {
        setView(0.0, 0.0, minScale_, steps);
        return;
    }
    setView((grid_->width - 1) / 2.0, (grid_->height - 1) / 2.0, std::min(grid_->extentX, grid_->extentY),
            steps);
}

void ChartView::onLeftDown(int x, int y) {
    centreAtPoint(Point{x, y});
}

// ---- Symbols ---------------------------------------------------------------------------------

bool ChartView::addSymbol(ChartSymbol* symbol) {
    if (!symbol || std::find(symbols_.begin(), symbols_.end(), symbol) != symbols_.end())
        return false;
    symbols_.insert(symbols_.begin(), symbol);
    invalidateSymbol(*symbol);
    return true;
}

void ChartView::removeSymbol(ChartSymbol* symbol) {
    auto found = std::find(symbols_.begin(), symbols_.end(), symbol);
    if (found == symbols_.end())
        return;
    invalidateSymbol(*symbol);
    symbols_.erase(found);
}

void ChartView::symbolChanged(ChartSymbol* symbol) {
    if (symbol)
        invalidateSymbol(*symbol);
}

} // namespace q71
