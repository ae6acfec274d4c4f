#include "stations/firectrl/launch_waypoint_mark.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/launch_waypoint.h"
#include "tactical/charts/chart_view.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr ColorRef kLabelColour = rgb(255, 255, 255);
constexpr ColorRef kTickColour = rgb(255, 0, 0);
constexpr int kLabelOffset = 3;
constexpr int kTickHalf = 5;

} // namespace

void aimTickPoint(double fromX, double fromY, double toX, double toY, double range, double* x, double* y) {
    const double angle = std::atan2(toY - fromY, toX - fromX);
    *x = fromX + range * std::cos(angle);
    *y = fromY + range * std::sin(angle);
}

LaunchWaypointMark::LaunchWaypointMark(LaunchWaypoint& waypoint, LaunchWaypointMark* previous,
                                       MapObject* ownBoat)
    : MapWaypoint(waypoint.x, waypoint.y, previous, ownBoat), waypoint_(waypoint) {
    depth = waypoint.depth;
    speed = waypoint.speed;
    refreshBox();
}

void LaunchWaypointMark::refreshBox() {
    refreshLeg();
    double x = 0, y = 0, fromX = 0, fromY = 0;
    if (!waypoint_.aim || !worldPosition(&x, &y) || !legStart(&fromX, &fromY))
        return;
    // The box spans the leg and the end of the run, where the tick stands.
    std::array<double, 2> xs{fromX, 0.0}, ys{fromY, 0.0};
    aimTickPoint(fromX, fromY, x, y, kAimTickRange, &xs[1], &ys[1]);
    setWorldPositionEx(x, y, xs, ys);
}

void LaunchWaypointMark::moveTo(double worldX, double worldY, const ChartViewRecord* record) {
    MapWaypoint::moveTo(worldX, worldY, record);
    refreshBox();
    waypoint_.x = worldX;
    waypoint_.y = worldY;
}

void LaunchWaypointMark::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) {
    visible = waypoint_.visible;
    selected = waypoint_.selected;
    MapWaypoint::draw(dc, view, x, y, record);
    if (!visible)
        return;
    if (waypoint_.labelNumber != kNoWaypointLabel) {
        char label[24];
        std::snprintf(label, sizeof label, "%c%d", waypoint_.labelLetter,
                      static_cast<int>(waypoint_.labelNumber));
        const FontRef oldFont = dc.selectFont(appChartFont());
        dc.setTextColor(kLabelColour);
        dc.setBkMode(kTransparent);
        dc.textOut({x + kLabelOffset, y + kLabelOffset}, label);
        dc.selectFont(oldFont);
    }
    if (waypoint_.aim && legDistance() < kAimTickRange)
        drawAimTick(dc, view, x, y);
}

void LaunchWaypointMark::drawAimTick(DeviceContext& dc, ChartView& view, int x, int y) const {
    double fromX = 0, fromY = 0, toX = 0, toY = 0, endX = 0, endY = 0, column = 0, row = 0;
    if (!legStart(&fromX, &fromY) || !worldPosition(&toX, &toY))
        return;
    aimTickPoint(fromX, fromY, toX, toY, kAimTickRange, &endX, &endY);
    if (!worldToGrid(endX, endY, &column, &row))
        return;
    // Where the run ends, beside this copy of the point.
    const Point here = view.getTransform().toPixel(this->x(), this->y());
    const Point end = view.getTransform().toPixel(column, row);
    const Point at{end.x - here.x + x, end.y - here.y + y};
    const Point start = [&] {
        double c = 0, r = 0;
        worldToGrid(fromX, fromY, &c, &r);
        return view.getTransform().toPixel(c, r);
    }();
    // Across the leg as it runs on the screen.
    const double across =
        std::atan2(static_cast<double>(end.y - start.y), static_cast<double>(end.x - start.x)) +
        std::acos(0.0);
    const int dx = static_cast<int>(std::lround(kTickHalf * std::cos(across)));
    const int dy = static_cast<int>(std::lround(kTickHalf * std::sin(across)));
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, kTickColour));
    dc.setPixel(at, kTickColour);
    dc.moveTo({at.x - dx, at.y - dy});
    dc.lineTo({at.x + dx, at.y + dy});
    dc.selectPen(oldPen);
}

} // namespace q71
