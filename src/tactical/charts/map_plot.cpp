#include "tactical/charts/map_plot.h"

#include "platform/gdi/pen_brush.h"
#include "platform/gdi/text_format.h"
#include "platform/resources/program_resources.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/world/dem_grid.h"
#include "tactical/charts/chart_lat_long.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace q71 {
namespace {

// The cursor that stands for the system's cross-hair.
constexpr int kCrossCursor = 159;
// A measurement line longer than this many pixels is not drawn (only its texts).
constexpr double kLongestLine = 4000.0;

struct ScaleStep {
    double km;
    const char* label;
};
constexpr std::array<ScaleStep, 7> kScaleSteps{{{1000, "1000 km"},
                                                {100, "100 km"},
                                                {10, "10 km"},
                                                {1, "1 km"},
                                                {0.1, "100 m"},
                                                {0.01, "10 m"},
                                                {0.001, "1 m"}}};

const ScaleStep* scaleStepFor(double kmPerPixel, int maxPixels) {
    const double span = maxPixels * kmPerPixel * 0.9;
    for (const ScaleStep& step : kScaleSteps)
        if (span >= step.km)
            return &step;
    return nullptr;
}

int textHeight(DeviceContext& dc, const std::string& text) {
    Rect measure{0, 0, 0, 0};
    return dc.drawText(text, measure, kDtCalcRect | kDtNoPrefix);
}

std::string printed(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

MapPlot::MapPlot(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
                 std::span<const ChartBand> bands)
    : ChartView(parentWindow, x, y, width, height, grid, bands),
      zoomCursor_(resourceLoadCursor(kCrossCursor)) {
    name_ = "MapPlot";
}

MapPlot::~MapPlot() {
    stopDrag();
    if (windowIsValid(window_))
        timerKill(window_, kRepaintTimer);
}

void MapPlot::showScaleBar(bool on) {
    scaleBarShown_ = on;
    scheduleRepaint();
}

void MapPlot::showGridLines(bool on) {
    gridShown_ = on;
    scheduleRepaint();
}

void MapPlot::latchReadout(bool on) {
    readoutLatched_ = on;
    scheduleRepaint();
}

void MapPlot::setFonts(FontRef font) {
    scaleBarFont_ = measureFont_ = readoutFont_ = std::move(font);
}

void MapPlot::measurement(double* startX, double* startY, double* endX, double* endY) const {
    if (startX)
        *startX = startX_;
    if (startY)
        *startY = startY_;
    if (endX)
        *endX = endX_;
    if (endY)
        *endY = endY_;
}

// ---- Texts -----------------------------------------------------------------------------------

bool MapPlot::scaleBarLabel(double kmPerPixel, int maxPixels, int* length, std::string* label) {
    const ScaleStep* step = scaleStepFor(kmPerPixel, maxPixels);
    if (!step)
        return false;
    if (length)
        *length = static_cast<int>(std::lround(step->km / kmPerPixel));
    if (label)
        *label = step->label;
    return true;
}

bool MapPlot::scaleBarLength(double kmPerPixel, int maxPixels, double* length) {
    const ScaleStep* step = scaleStepFor(kmPerPixel, maxPixels);
    if (!step)
        return false;
    if (length)
        *length = step->km / kmPerPixel;
    return true;
}

bool MapPlot::formatRangeBearing(double rangeKm, double bearing, std::string* range,
                                 std::string* bearingText) {
    if (!(rangeKm > 0))
        return false;
    if (bearing >= 359.95)
        bearing = 0.0;
    if (range)
        *range = rangeKm < 1.0 ? printed("%1.0f m", rangeKm * 1000.0) : printed("%1.1f km", rangeKm);
    if (bearingText)
        *bearingText = printed("%1.1f deg", bearing);
    return true;
}

bool MapPlot::formatLatLong(double gx, double gy, std::string* text) {
    ChartLatLong position;
    if (!chartLatLong(grid(), gx, gy, position))
        return false;
    if (text) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%02d-%02d %s\n%03d-%02d %s", position.latDegrees,
                      position.latMinutes, position.north ? "N" : "S", position.lonDegrees,
                      position.lonMinutes, position.east ? "E" : "W");
        *text = buffer;
    }
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------------

void MapPlot::drawScaleBar(DeviceContext& dc, int length, const std::string& label, ColorRef colour, int dx,
                           int dy) {
    const int w = imageWidth();
    const int h = imageHeight();
    const int textH = textHeight(dc, label);
    const Pen old = dc.selectPen(createPen(PenStyle::Solid, 1, colour));
    const int base = h + dy - textH - 8;
    const int tips = h + dy - textH - 16;
    const std::array<Point, 4> bracket{
        {{dx + 10, tips}, {dx + 10, base}, {dx + 10 + length, base}, {dx + 10 + length, tips}}};
    dc.polyline(bracket);
    dc.setPixel(bracket.back(), colour);
    dc.selectPen(old);
    dc.setTextColor(colour);
    Rect area{dx + 10, h + dy - textH - 4, w + dx - 10, h + dy - 5};
    dc.drawText(label, area, kDtLeft | kDtNoClip | kDtNoPrefix);
}

void MapPlot::drawGridLines(DeviceContext& dc, double spacing, ColorRef colour, int dx, int dy) {
    if (!(spacing >= 1.0) || !hasGrid())
        return;
    const int w = imageWidth();
    const int h = imageHeight();
    const Point zero = getTransform().toPixel(0.0, 0.0);
    const auto firstLine = [spacing](int pixel) {
        double first = std::fmod(static_cast<double>(pixel), spacing);
        return first < 0 ? first + spacing : first;
    };
    const Pen old = dc.selectPen(createPen(PenStyle::Dot, 1, colour));
    for (double x = firstLine(zero.x); x < w; x += spacing) {
        const int at = static_cast<int>(std::lround(x)) + dx;
        dc.moveTo({at, dy - 10});
        dc.lineTo({at, dy + h + 10});
    }
    for (double y = firstLine(zero.y); y < h; y += spacing) {
        const int at = static_cast<int>(std::lround(y)) + dy;
        dc.moveTo({dx - 10, at});
        dc.lineTo({dx + w + 10, at});
    }
    dc.selectPen(old);
}

void MapPlot::drawRangeLine(DeviceContext& dc, double, double, double, double, Point start, Point end) {
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, lineColour_));
    if (drawLine_) {
        dc.moveTo(start);
        dc.lineTo(end);
        dc.setPixel(end, lineColour_);
    }
    if (drawCircle_) {
        const long long ex = end.x - start.x;
        const long long ey = end.y - start.y;
        const int radius = static_cast<int>(std::sqrt(static_cast<double>(ex * ex + ey * ey)) + 0.5);
        const Brush oldBrush = dc.selectBrush(stockBrush(StockObject::NullBrush));
        dc.ellipse({start.x - radius, start.y - radius, start.x + radius, start.y + radius});
        dc.selectBrush(oldBrush);
    }
    dc.selectPen(oldPen);
}

void MapPlot::drawTwoLineText(DeviceContext& dc, const std::string& upper, const std::string& lower,
                              ColorRef colour, int dx, int dy) {
    const int w = imageWidth();
    const int h = imageHeight();
    dc.setTextColor(colour);
    const int lowerH = textHeight(dc, lower);
    Rect lowerArea{dx + 10, h + dy - (lowerH + 3) - 1, w + dx - 10, h + dy};
    dc.drawText(lower, lowerArea, kDtLeft | kDtNoClip | kDtNoPrefix);
    const int upperH = textHeight(dc, upper);
    Rect upperArea{dx + 10, lowerArea.top - (upperH + 3), w + dx - 10, lowerArea.top};
    dc.drawText(upper, upperArea, kDtLeft | kDtNoClip | kDtNoPrefix);
}

void MapPlot::drawText(DeviceContext& dc, const std::string& text, ColorRef colour, int dx, int dy) {
    dc.setTextColor(colour);
    const int h = textHeight(dc, text);
    Rect area{dx + 10, dy, imageWidth() + dx - 10, dy + h - 1};
    dc.drawText(text, area, kDtRight | kDtNoClip | kDtNoPrefix);
}

void MapPlot::drawOverlay(DeviceContext& dc) {
    if (!hasGrid())
        return;
    const DemGrid& g = *grid();
    const ChartTransform t = getTransform();
    const int w = std::max(imageWidth(), 1);
    const int maxBar = std::max(std::min(imageWidth(), imageHeight()) - 20, 5);
    const double kmPerPixel = g.extentX / (g.width - 1) * t.extentX / w;
    const bool shadow = shadowX_ != 0 || shadowY_ != 0;
    dc.setBkMode(kTransparent);

    if (gridShown_) {
        double spacing = 0;
        if (scaleBarLength(kmPerPixel, maxBar, &spacing)) {
            if (shadow)
                drawGridLines(dc, spacing, gridShadow_, shadowX_, shadowY_);
            drawGridLines(dc, spacing, gridColour_, 0, 0);
        }
    }
    if ((readoutLatched_ || readoutHeld_) && pointerValid_) {
        std::string text;
        if (formatLatLong(pointerX_, pointerY_, &text)) {
            dc.selectFont(readoutFont_ ? readoutFont_ : stockFont(StockObject::AnsiVarFont));
            drawText(dc, text, readoutShadow_, shadowX_, shadowY_);
            drawText(dc, text, readoutColour_, 0, 0);
        }
    }
    const bool measuring = measureEnabled_ && dragState_ == 2;
    if (scaleBarShown_ && !(measuring && hideBarWhileMeasuring_)) {
        int length = 0;
        std::string label;
        if (scaleBarLabel(kmPerPixel, maxBar, &length, &label)) {
            dc.selectFont(scaleBarFont_ ? scaleBarFont_ : stockFont(StockObject::AnsiVarFont));
            drawScaleBar(dc, length, label, scaleBarShadow_, shadowX_, shadowY_);
            drawScaleBar(dc, length, label, scaleBarColour_, 0, 0);
        }
    }
    if (measuring) {
        const double dx = endX_ - startX_;
        const double dy = endY_ - startY_;
        const double east = g.extentX / (g.width - 1) * dx;
        const double south = g.extentY / (g.height - 1) * dy;
        const double range = std::hypot(east, south);
        double bearing = std::atan2(east, -south) * 180.0 / std::numbers::pi;
        if (bearing < 0)
            bearing += 360.0;
        const double pixels = std::hypot(dx / t.unitsX, dy / t.unitsY);
        std::string rangeText, bearingText;
        if (formatRangeBearing(range, bearing, &rangeText, &bearingText)) {
            if (pixels < kLongestLine)
                drawRangeLine(dc, startX_, startY_, endX_, endY_, t.toPixel(startX_, startY_),
                              t.toPixel(endX_, endY_));
            dc.selectFont(measureFont_ ? measureFont_ : stockFont(StockObject::AnsiVarFont));
            drawTwoLineText(dc, rangeText, bearingText, measureShadow_, shadowX_, shadowY_);
            drawTwoLineText(dc, rangeText, bearingText, measureTextColour_, 0, 0);
        }
    }
}

} // namespace q71
