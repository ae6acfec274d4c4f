#include "frontend/debrief/replay_drawing.h"

#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "sim/entities/entity_events.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr int kMarkerRadius = 4;
// The least a chart shows around a short track, and the room around a long one.
constexpr double kMinimumKm = 12.0;
constexpr double kMarginShare = 1.4;
constexpr ColorRef kOutline = rgb(0, 0, 0);

ColorRef markerColour(std::int32_t kind) {
    switch (kind) {
    case kEventWeaponLaunch:
        return glass_colours::kAmber;
    case kEventDestroyed:
    case kEventOwnBoatDamage:
        return glass_colours::kWarningRed;
    case kEventMineReport:
        return glass_colours::kPhosphor;
    default: // hits and groundings
        return glass_colours::kLabel;
    }
}

} // namespace

std::vector<GridPoint> trackOnGrid(const std::vector<TrackPoint>& track) {
    std::vector<GridPoint> points;
    for (const TrackPoint& p : track) {
        GridPoint g;
        if (!worldToGrid(p.x, p.y, &g.column, &g.row))
            return {};
        points.push_back(g);
    }
    return points;
}

std::vector<Point> chartPixels(const ChartTransform& transform, std::span<const GridPoint> points) {
    std::vector<Point> pixels;
    pixels.reserve(points.size());
    for (const GridPoint& g : points)
        pixels.push_back(transform.toPixel(g.column, g.row));
    return pixels;
}

void drawTrackLine(DeviceContext& dc, std::span<const Point> pixels) {
    if (pixels.empty())
        return;
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 2, glass_colours::kAmber));
    if (pixels.size() > 1)
        dc.polyline(pixels);
    const Brush oldBrush = dc.selectBrush(createSolidBrush(glass_colours::kAmber));
    const Point head = pixels.back();
    dc.ellipse(Rect{head.x - 3, head.y - 3, head.x + 4, head.y + 4});
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

void drawReplayMarker(DeviceContext& dc, Point at, std::int32_t kind) {
    const int r = kMarkerRadius;
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, kOutline));
    const Brush oldBrush = dc.selectBrush(createSolidBrush(markerColour(kind)));
    switch (kind) {
    case kEventWeaponLaunch: { // a triangle pointing up: something leaves
        const std::array<Point, 3> t{Point{at.x, at.y - r - 1}, Point{at.x + r, at.y + r},
                                     Point{at.x - r, at.y + r}};
        dc.polygon(t);
        break;
    }
    case kEventDestroyed:
    case kEventOwnBoatDamage: { // a cross
        const Pen cross = dc.selectPen(createPen(PenStyle::Solid, 3, markerColour(kind)));
        dc.moveTo({at.x - r, at.y - r});
        dc.lineTo({at.x + r + 1, at.y + r + 1});
        dc.moveTo({at.x + r, at.y - r});
        dc.lineTo({at.x - r - 1, at.y + r + 1});
        dc.selectPen(cross);
        break;
    }
    case kEventMineReport: // a diamond
        dc.polygon(std::array<Point, 4>{Point{at.x, at.y - r}, Point{at.x + r, at.y}, Point{at.x, at.y + r},
                                        Point{at.x - r, at.y}});
        break;
    case kEventGrounding: // a square
        dc.rectangle(Rect{at.x - r, at.y - r, at.x + r + 1, at.y + r + 1});
        break;
    default: // a hit: a disc
        dc.ellipse(Rect{at.x - r, at.y - r, at.x + r + 1, at.y + r + 1});
        break;
    }
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

void chartZoomOntoTrack(ChartView& view, std::span<const GridPoint> track, int steps) {
    view.showWholeMap(0);
    if (track.empty() || !view.hasGrid())
        return;
    const auto [left, right] =
        std::minmax_element(track.begin(), track.end(),
                            [](const GridPoint& a, const GridPoint& b) { return a.column < b.column; });
    const auto [top, bottom] = std::minmax_element(
        track.begin(), track.end(), [](const GridPoint& a, const GridPoint& b) { return a.row < b.row; });
    // The grid the view spans on each axis grows with its scale (km across its longer side): the
    // scale that holds the track's span on the shorter side too.
    const ChartTransform t = view.getTransform();
    const double scalePerColumn = view.scale() / t.extentX;
    const double scalePerRow = view.scale() / t.extentY;
    const double fit =
        std::max((right->column - left->column) * scalePerColumn, (bottom->row - top->row) * scalePerRow);
    view.setView((left->column + right->column) / 2, (top->row + bottom->row) / 2,
                 std::max(fit * kMarginShare, kMinimumKm), steps);
}

} // namespace q71
