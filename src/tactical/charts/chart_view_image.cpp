// The chart's terrain image: rendering blocks of the grid into the 8-bit image, moving it when
// the view pans, and composing it with the overlay and the symbols.

#include "tactical/charts/chart_view.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "sim/world/dem_grid.h"
#include "tactical/charts/chart_defaults.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace q71 {
namespace {

constexpr double kOriginFraction = 0.49999750001249993;

// Where one block row or column samples the grid: none off a grid that does not wrap.
ChartSample sampleAxis(double g, int samples, bool wraps, const ChartRelief& relief, double reliefHalf,
                       double reliefStep, int reliefCount) {
    ChartSample s;
    const double last = samples - 1;
    if (wraps)
        g -= std::floor(g / last) * last;
    else if (g < 0 || g > last)
        return s;
    s.valid = true;
    s.cell = static_cast<int>(std::floor(g));
    s.fraction = g - s.cell;
    if (s.cell >= samples - 1) {
        s.cell = samples - 2;
        s.fraction += 1.0;
    }
    if (!relief.empty()) {
        const double r = (g - reliefHalf) / reliefStep;
        s.reliefCell = std::clamp(static_cast<int>(std::floor(r)), 0, reliefCount - 2);
        s.reliefFraction = std::clamp(r - s.reliefCell, 0.0, 1.0);
    }
    return s;
}

} // namespace

void ChartView::invalidateImage(bool withPalette) {
    image_.reset();
    if (withPalette)
        imageInfo_.clear();
    if (windowIsValid(window_))
        windowInvalidate(window_, nullptr, false);
}

void ChartView::paint(PaintRecord& record) {
    if (!record.dc)
        return;
    if (stale_) {
        record.dc->fillRect(windowGetClientRect(window_), stockBrush(StockObject::BlackBrush));
        stale_ = false;
        windowInvalidate(window_, nullptr, false);
        return;
    }
    ensureRelief();
    ensureBackBuffer();
    drawImage(*record.dc);
}

void ChartView::loadGraphics() {
    ensureRelief();
    ensureBackBuffer();
    stale_ = false;
}

void ChartView::freeGraphics() {
    image_.reset();
    relief_ = ChartRelief{};
    stale_ = true;
}

void ChartView::ensureRelief() {
    if (relief_.empty() && shades_ >= 2 && hasGrid())
        relief_ = chartBuildRelief(*grid_, light_, shades_);
}

bool ChartView::windowImageSize(int& w, int& h) const {
    if (!windowIsValid(window_))
        return false;
    const Rect client = windowGetClientRect(window_);
    w = client.right - client.left + 1;
    h = client.bottom - client.top + 1;
    return true;
}

void ChartView::ensureBackBuffer() {
    int w = 0, h = 0;
    if (!windowImageSize(w, h))
        return;
    if (w == imageWidth_ && h == imageHeight_ && image_ && backBuffer_)
        return;
    if (!memoryDc_)
        memoryDc_ = DeviceContext::createMemory();
    if (w != imageWidth_ || h != imageHeight_ || !backBuffer_) {
        BitmapRef buffer = Bitmap::createCompatible(w, h);
        if (!buffer)
            return;
        backBuffer_ = buffer;
        memoryDc_->selectBitmap(backBuffer_);
        imageWidth_ = w;
        imageHeight_ = h;
    }
    rebuildImage();
}

void ChartView::rebuildImage() {
    const std::vector<RgbQuad> palette = chartBuildPalette(bands_, shades_, ramp_);
    imageInfo_ = dibMakeInfo(DibSpec{imageWidth_, -imageHeight_, 8, palette, {}});
    image_ = Bitmap::createDibSection(imageInfo_);
    if (!image_)
        return;
    clampView(centreX_, centreY_, scale_);
    clampView(pendingX_, pendingY_, pendingScale_);
    renderImage(0, 0, imageWidth_, imageHeight_);
}

void ChartView::updateImage(const Lattice& before, double oldScale, int oldCell) {
    if (!image_)
        return;
    const int w = imageWidth_;
    const int h = imageHeight_;
    const Lattice now = lattice();
    bool whole = scale_ != oldScale || cellSize_ != oldCell;
    const long long blocksX = before.kx - now.kx;
    const long long blocksY = before.ky - now.ky;
    // Across a wrapping seam the lattice starts afresh: the whole image is rendered.
    if (hasGrid() && grid_->wrapX &&
        std::fabs(static_cast<double>(blocksX) * now.blockX) > (grid_->width - 1) / 2.0)
        whole = true;
    if (hasGrid() && grid_->wrapY &&
        std::fabs(static_cast<double>(blocksY) * now.blockY) > (grid_->height - 1) / 2.0)
        whole = true;
    if (whole) {
        if (scale_ != oldScale)
            ditherX_ = ditherY_ = 0;
        renderImage(0, 0, w, h);
        composeNow();
        return;
    }
    if (blocksX == 0 && blocksY == 0) {
        composeNow();
        return;
    }
    // The dither pattern moves with the map, block for block.
    ditherX_ = static_cast<int>(((ditherX_ - blocksX) % 16 + 16) % 16);
    ditherY_ = static_cast<int>(((ditherY_ - blocksY) % 16 + 16) % 16);
    const long long dx = blocksX * cellSize_;
    const long long dy = blocksY * cellSize_;
    if (std::llabs(dx) >= w || std::llabs(dy) >= h) {
        renderImage(0, 0, w, h);
        composeNow();
        return;
    }
    const int sx = static_cast<int>(dx);
    const int sy = static_cast<int>(dy);
    std::span<std::uint8_t> bits = image_->bits();
    const std::size_t stride = image_->stride();
    const int keepW = w - std::abs(sx);
    const auto moveRow = [&](int to, int from) {
        std::uint8_t* dst = bits.data() + static_cast<std::size_t>(to) * stride;
        const std::uint8_t* src = bits.data() + static_cast<std::size_t>(from) * stride;
        std::memmove(dst + std::max(sx, 0), src + std::max(-sx, 0), static_cast<std::size_t>(keepW));
    };
    if (sy >= 0)
        for (int y = h - 1; y >= sy; --y)
            moveRow(y, y - sy);
    else
        for (int y = 0; y < h + sy; ++y)
            moveRow(y, y - sy);
    if (sy > 0)
        renderImage(0, 0, w, sy);
    else if (sy < 0)
        renderImage(0, h + sy, w, -sy);
    if (sx > 0)
        renderImage(0, 0, sx, h);
    else if (sx < 0)
        renderImage(w + sx, 0, -sx, h);
    composeNow();
}

void ChartView::renderImage(int x, int y, int w, int h) {
    if (!image_ || !hasGrid())
        return;
    const int cell = cellSize_;
    const int width = imageWidth_;
    const int height = imageHeight_;
    // Whole blocks, within the image.
    int x0 = std::max(x, 0) / cell * cell;
    int y0 = std::max(y, 0) / cell * cell;
    const int x1 = std::min(x + w, width);
    const int y1 = std::min(y + h, height);
    if (x0 >= x1 || y0 >= y1)
        return;
    ChartScratch& scratch = chartScratch(width + 1, height + 1);
    const ChartTransform t = getTransform();
    const Lattice l = lattice();
    const DemGrid& grid = *grid_;
    const bool shaded = shades_ > 1 && !relief_.empty();

    // Samples are taken at whole pixel numbers of the lattice, so a block renders the same
    // wherever it lies in the image.
    const int firstBlockCol = x0 / cell;
    const int firstBlockRow = y0 / cell;
    const int blockCols = (x1 - x0 + cell - 1) / cell;
    const int blockRows = (y1 - y0 + cell - 1) / cell;
    for (int i = 0; i < blockCols; ++i) {
        const long long px = l.kx * cell + x0 + static_cast<long long>(i) * cell;
        const double gx = static_cast<double>(px) * t.unitsX - t.extentX * kOriginFraction;
        scratch.columns[static_cast<std::size_t>(i)] = sampleAxis(
            gx, grid.width, grid.wrapX != 0, relief_, relief_.halfStepX, relief_.stepX, relief_.columns);
    }
    for (int j = 0; j < blockRows; ++j) {
        const long long py = l.ky * cell + y0 + static_cast<long long>(j) * cell;
        const double gy = static_cast<double>(py) * t.unitsY - t.extentY * kOriginFraction;
        scratch.rows[static_cast<std::size_t>(j)] = sampleAxis(
            gy, grid.height, grid.wrapY != 0, relief_, relief_.halfStepY, relief_.stepY, relief_.rows);
    }

    const auto& thresholds = chartDitherThresholds();
    const std::uint8_t black = static_cast<std::uint8_t>(bands_.size() * static_cast<std::size_t>(shades_));
    std::span<std::uint8_t> bits = image_->bits();
    const std::size_t stride = image_->stride();
    for (int j = 0; j < blockRows; ++j) {
        const ChartSample& row = scratch.rows[static_cast<std::size_t>(j)];
        const int top = y0 + j * cell;
        const int bottom = std::min(top + cell, y1);
        const auto& thresholdRow = thresholds[static_cast<std::size_t>((firstBlockRow + j + ditherY_) & 15)];
        for (int i = 0; i < blockCols; ++i) {
            const ChartSample& column = scratch.columns[static_cast<std::size_t>(i)];
            std::uint8_t value = black;
            if (row.valid && column.valid) {
                const int c = column.cell;
                const int r = row.cell;
                const double fx = column.fraction;
                const double upper = grid.at(c, r) + (grid.at(c + 1, r) - grid.at(c, r)) * fx;
                const double lower = grid.at(c, r + 1) + (grid.at(c + 1, r + 1) - grid.at(c, r + 1)) * fx;
                const int band = chartFindBand(bands_, upper + (lower - upper) * row.fraction);
                if (band >= 0) {
                    int shade = 0;
                    if (shaded) {
                        const int rc = column.reliefCell;
                        const int rr = row.reliefCell;
                        const double rfx = column.reliefFraction;
                        const double ru =
                            relief_.at(rc, rr) + (relief_.at(rc + 1, rr) - relief_.at(rc, rr)) * rfx;
                        const double rl = relief_.at(rc, rr + 1) +
                                          (relief_.at(rc + 1, rr + 1) - relief_.at(rc, rr + 1)) * rfx;
                        const auto v = static_cast<std::size_t>(
                            std::clamp(std::lround(ru + (rl - ru) * row.reliefFraction), 0L, 255L));
                        if (dither_) {
                            const int threshold =
                                thresholdRow[static_cast<std::size_t>((firstBlockCol + i + ditherX_) & 15)];
                            shade = shadeMaps_.index[v] + (shadeMaps_.fraction[v] > threshold ? 1 : 0);
                        } else {
                            shade = static_cast<int>(v) * shades_ / 256;
                        }
                    }
                    value = static_cast<std::uint8_t>(band * shades_ + shade);
                }
            }
            const int left = x0 + i * cell;
            const int right = std::min(left + cell, x1);
            for (int py = top; py < bottom; ++py)
                std::memset(bits.data() + static_cast<std::size_t>(py) * stride +
                                static_cast<std::size_t>(left),
                            value, static_cast<std::size_t>(right - left));
        }
    }
}

void ChartView::drawImage(DeviceContext& window) {
    if (!image_ || !memoryDc_ || !backBuffer_)
        return;
    const auto alive = watch();
    setDIBitsToDevice(*memoryDc_, 0, 0, imageWidth_, imageHeight_, 0, 0, 0, imageHeight_, image_->bits(),
                      imageInfo_);
    drawOverlay(*memoryDc_);
    if (alive.expired())
        return;
    drawSymbols(*memoryDc_);
    if (alive.expired())
        return;
    bitBlt(window, 0, 0, imageWidth_, imageHeight_, memoryDc_.get(), 0, 0, kSrcCopy);
    drawOnScreen(window);
}

void ChartView::composeNow() {
    if (!image_ || !windowIsValid(window_) || !windowIsVisible(window_))
        return;
    if (auto dc = getWindowDC(window_))
        drawImage(*dc);
}

void ChartView::drawOverlay(DeviceContext&) {}
void ChartView::drawOnScreen(DeviceContext&) {}

} // namespace q71
