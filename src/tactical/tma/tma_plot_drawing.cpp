// The TMA plot's picture: the own track, the fixes shown, the solution line with its midpoint and
// ticks, and the residual strip in the top left corner.
#include "tactical/tma/tma_plot.h"

#include "framework/app/shell_fonts.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/tactical_symbol_shapes.h"
#include "sim/simulation/tactical_symbols.h"
#include "tactical/tma/tma_fixes.h"
#include "tactical/tma/tma_selection.h"
#include "tactical/tma/tma_solution.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr ColorRef kGreen = 0x00F800;
constexpr ColorRef kBackground = 0x292118;
constexpr ColorRef kFrame = 0x292118;
constexpr ColorRef kTrack = 0xFAFA00;

// The pen of each sensor type's fixes (types without fixes of their own draw green).
constexpr std::array<ColorRef, kSensorTypeCount> kTypeColours = {
    0xF800F8, 0xF80000, 0xF8F8F8, 0xF800F8, 0x00F8F8, 0x0000F8, kGreen,
    0x00F8F8, 0x0000F8, 0x0000F8, kGreen,   0x0000F8, kGreen,   kGreen,
};

// The residual strip: its box, axes and centre, and how tall the window is drawn.
constexpr int kStripRight = 55;
constexpr int kStripBottom = 86;
constexpr int kStripTop = 11;
constexpr int kStripLeft = 5;
constexpr int kStripCentre = 30;
constexpr double kStripHalfSpan = 25.0;
constexpr double kStripHeight = 75.0;
constexpr double kTickHalfLength = 2.5;

bool bearingOnly(int type) {
    switch (type) {
    case kSensorArray0:
    case kSensorArray1:
    case kSensorPassive:
    case kSensorMirror:
    case kSensorIntercept:
    case kSensorVisual:
    case kSensorEsm:
        return true;
    default:
        return false;
    }
}

Point pixelOf(const TmaPlotView& view, double x, double y) {
    const TmaPixel p = tmaToPixel(view, x, y);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

int rounded(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

void line(DeviceContext& dc, Point a, Point b) {
    dc.moveTo(a);
    dc.lineTo(b);
}

void drawFix(DeviceContext& dc, const TmaPlotView& view, int type, const ContactFix& fix) {
    dc.selectPen(createPen(PenStyle::Solid, 1, kTypeColours[static_cast<std::size_t>(type)]));
    if (bearingOnly(type)) {
        // A bearing line across the plot, centred on the fix's range from the plot's corner.
        const double across = std::floor(76729.0 / view.scale);
        const double d = geoRange(view.centreX - 138.5 / view.scale - fix.sensorX,
                                  view.centreY + 132.5 / view.scale - fix.sensorY) *
                         kMetresToYards;
        double nearX = fix.sensorX, nearY = fix.sensorY, farX = 0.0, farY = 0.0;
        if (d >= across)
            geoProject(fix.sensorX, fix.sensorY, fix.bearing, d - across, nearX, nearY);
        geoProject(fix.sensorX, fix.sensorY, fix.bearing, d + across, farX, farY);
        line(dc, pixelOf(view, nearX, nearY), pixelOf(view, farX, farY));
        return;
    }
    const Point at = pixelOf(view, fix.x, fix.y);
    line(dc, pixelOf(view, fix.sensorX, fix.sensorY), at);
    const std::array<Point, 4> triangle = {Point{at.x, at.y - 2}, Point{at.x + 2, at.y + 2},
                                           Point{at.x - 3, at.y + 2}, Point{at.x, at.y - 2}};
    dc.polyline(triangle);
}

} // namespace

void TmaPlot::drawAll() {
    DeviceContext& dc = *surfaceDc_;
    dc.selectPen(createPen(PenStyle::Solid, 1, kFrame));
    dc.selectBrush(createSolidBrush(kBackground));
    dc.rectangle({0, 0, kTmaPlotWidth, kTmaPlotHeight});
    TmaState& state = tmaState();
    state.earliest = state.latest = -1.0;
    state.residualCount = 0;
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    drawOwnTrack(*own);
    drawFixes();
    drawSolution();
}

void TmaPlot::drawOwnTrack(OwnShipEntity& own) {
    DeviceContext& dc = *surfaceDc_;
    const TmaPlotView& view = tmaState().view;
    const DepthHistory& history = own.ownMotion->depthHistory;
    const DepthRing& ring = history.track80s;
    for (int age = ring.count() - 1; age >= 0; --age) {
        const TrackPosition& p =
            history.trackPositions[static_cast<std::size_t>((ring.newest + age) % DepthRing::kSize)];
        dc.setPixel(pixelOf(view, p.x, p.y), kTrack);
    }
    const Point at = pixelOf(view, own.motion->x, own.motion->y);
    worldDrawSymbolForKind(dc, 0, at.x, at.y, kAffiliationOwnShip, own.kind, own.motion->heading,
                           own.motion->speed, nullptr);
}

void TmaPlot::drawFixes() {
    TmaState& state = tmaState();
    OwnShipEntity* own = worldOwnSubmarine();
    const ContactRecord* contact = tmaSelectedContact();
    if (!own || !contact)
        return;
    const std::vector<int> types = tmaShownTypes(*contact, own->tmaSources, state.sonarSources);
    DeviceContext& dc = *surfaceDc_;
    tmaCollectFixes(state, *contact, types, simClock().gameClock, own->tmaSources.historyWindow,
                    [&](int type, const ContactFix& fix) { drawFix(dc, state.view, type, fix); });
}

void TmaPlot::drawSolution() {
    DeviceContext& dc = *surfaceDc_;
    TmaState& state = tmaState();
    TmaLine solutionLine;
    if (state.drag == kDragNone) {
        solutionLine = tmaSolutionLine(state.solution, state.earliest, state.latest, simClock().gameClock);
        state.solution.startX = solutionLine.tailX;
        state.solution.startY = solutionLine.tailY;
        const TmaPixel head = tmaToPixel(state.view, solutionLine.headX, solutionLine.headY);
        const TmaPixel tail = tmaToPixel(state.view, solutionLine.tailX, solutionLine.tailY);
        state.headPixelX = head.x;
        state.headPixelY = head.y;
        state.tailPixelX = tail.x;
        state.tailPixelY = tail.y;
    } else {
        // While dragged, the line is where the pointer put it.
        tmaToWorld(state.view, state.headPixelX, state.headPixelY, solutionLine.headX, solutionLine.headY);
        tmaToWorld(state.view, state.tailPixelX, state.tailPixelY, solutionLine.tailX, solutionLine.tailY);
    }
    const Point head{static_cast<int>(state.headPixelX), static_cast<int>(state.headPixelY)};
    const Point tail{static_cast<int>(state.tailPixelX), static_cast<int>(state.tailPixelY)};
    dc.selectPen(createPen(PenStyle::Solid, 1, kGreen));
    line(dc, tail, head);
    const double dx = state.headPixelX - state.tailPixelX, dy = state.headPixelY - state.tailPixelY;
    const double length = std::hypot(dx, dy);
    if (length > 10.0) {
        const int mx = rounded((state.headPixelX + state.tailPixelX) / 2.0);
        const int my = rounded((state.headPixelY + state.tailPixelY) / 2.0);
        dc.arc({mx - 3, my - 3, mx + 4, my + 4}, {mx + 3, my}, {mx + 3, my});
    }

    std::vector<double> residuals(static_cast<std::size_t>(state.residualCount));
    double largest = 0.0;
    for (int i = 0; i < state.residualCount; ++i) {
        residuals[static_cast<std::size_t>(i)] = tmaResidual(
            solutionLine, state.residuals[static_cast<std::size_t>(i)], state.earliest, state.latest);
        largest = std::max(largest, std::abs(residuals[static_cast<std::size_t>(i)]));
    }
    const int h = tmaStripHalfWidth(largest);
    drawStrip(h);
    const OwnShipEntity* own = worldOwnSubmarine();
    const double window = (own ? own->tmaSources.historyWindow : 5) * kTmaHistoryUnit;
    // The tick runs across the line: along its normal (across the plot when the line is a point).
    const double nx = length > 0.0 ? -dy / length : 1.0, ny = length > 0.0 ? dx / length : 0.0;
    for (int i = 0; i < state.residualCount; ++i) {
        const TmaResidual& fix = state.residuals[static_cast<std::size_t>(i)];
        const double r = std::clamp(residuals[static_cast<std::size_t>(i)], -static_cast<double>(h),
                                    static_cast<double>(h));
        const int x = rounded(kStripCentre - kStripHalfSpan * r / h);
        const int y = rounded(kStripBottom - (fix.time - state.earliest) * kStripHeight / window);
        for (const Point p : {Point{x, y}, Point{x + 1, y}, Point{x, y + 1}, Point{x + 1, y + 1}})
            dc.setPixel(p, kGreen);
        const double f = state.latest > state.earliest
                             ? (fix.time - state.earliest) / (state.latest - state.earliest)
                             : 0.0;
        const double px = state.tailPixelX + f * dx, py = state.tailPixelY + f * dy;
        line(dc, {rounded(px - nx * kTickHalfLength), rounded(py - ny * kTickHalfLength)},
             {rounded(px + nx * kTickHalfLength), rounded(py + ny * kTickHalfLength)});
    }
}

void TmaPlot::drawStrip(int halfWidth) {
    DeviceContext& dc = *surfaceDc_;
    dc.selectPen(createPen(PenStyle::Solid, 1, kBackground));
    dc.selectBrush(createSolidBrush(kBackground));
    dc.rectangle({0, 0, kStripRight, kStripBottom});
    dc.selectPen(createPen(PenStyle::Solid, 1, kGreen));
    const std::array<Point, 4> axes = {Point{kStripLeft, kStripTop}, Point{kStripLeft, kStripBottom},
                                       Point{kStripRight, kStripBottom}, Point{kStripRight, kStripTop}};
    dc.polyline(axes);
    line(dc, {kStripCentre, kStripBottom}, {kStripCentre, kStripTop});
    dc.selectFont(appChartFont());
    dc.setTextColor(kGreen);
    dc.setBkColor(kBackground);
    dc.setBkMode(kOpaque);
    char text[16];
    std::snprintf(text, sizeof text, "%-d", -halfWidth);
    dc.textOut({1, 0}, text);
    std::snprintf(text, sizeof text, "%-d", halfWidth);
    dc.textOut({kStripRight - 8, 0}, text);
}

} // namespace q71
