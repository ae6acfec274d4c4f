#include "tactical/charts/map_waypoint.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"
#include "tactical/charts/map_drawing.h"

#include <cmath>
#include <cstdlib>

namespace q71 {
namespace {

constexpr int kMarkHalf = 3;
constexpr ColorRef kRouteColour = rgb(255, 220, 96);
constexpr ColorRef kSelectedColour = rgb(255, 255, 255);

} // namespace

MapWaypoint::MapWaypoint(double worldX, double worldY, MapWaypoint* previous, MapObject* owner)
    : MapObject(worldX, worldY, nullptr, nullptr), previous_(previous), owner_(owner) {
    if (previous_) {
        next_ = previous_->next_;
        previous_->next_ = this;
    }
    if (next_)
        next_->previous_ = this;
    refreshLeg();
    if (next_)
        next_->refreshLeg();
    if (owner_)
        for (ChartView* view : owner_->views())
            attach(view);
}

MapWaypoint::~MapWaypoint() {
    if (previous_)
        previous_->next_ = next_;
    if (next_) {
        next_->previous_ = previous_;
        next_->refreshLeg();
    }
}

bool MapWaypoint::legStart(double* worldX, double* worldY) const {
    if (previous_)
        return previous_->worldPosition(worldX, worldY);
    return owner_ && owner_->worldPosition(worldX, worldY);
}

void MapWaypoint::refreshLeg() {
    double x = 0, y = 0, fromX = 0, fromY = 0;
    if (!worldPosition(&x, &y))
        return;
    if (legStart(&fromX, &fromY))
        setWorldPositionWithPoint(x, y, fromX, fromY);
    else
        setWorldPositionBoxed(x, y);
}

void MapWaypoint::moveTo(double worldX, double worldY, const ChartViewRecord* record) {
    MapObject::moveTo(worldX, worldY, record);
    refreshLeg();
    if (next_)
        next_->refreshLeg();
}

void MapWaypoint::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    if (!visible)
        return;
    const ColorRef colour = selected ? kSelectedColour : kRouteColour;
    double fromX = 0, fromY = 0, column = 0, row = 0;
    if (legStart(&fromX, &fromY) && worldToGrid(fromX, fromY, &column, &row)) {
        const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, colour));
        const Brush oldBrush = dc.selectBrush(createSolidBrush(colour));
        // The leg from the copy of its start beside this copy of the point.
        const Point here = view.getTransform().toPixel(this->x(), this->y());
        const Point start = view.getTransform().toPixel(column, row);
        int x1 = start.x - here.x + x, y1 = start.y - here.y + y, x2 = x, y2 = y;
        const int midX = static_cast<int>(std::lround(averageOf(x1, x2)));
        const int midY = static_cast<int>(std::lround(averageOf(y1, y2)));
        const Rect client{0, 0, view.imageWidth(), view.imageHeight()};
        if (clipLineToClient(client, x1, y1, x2, y2)) {
            dc.moveTo(Point{x1, y1});
            dc.lineTo(Point{x2, y2});
            dc.setPixel(Point{x2, y2}, colour);
        }
        if (client.contains(Point{midX, midY}))
            drawArrowHead(dc, start.x - here.x + x, start.y - here.y + y, midX, midY);
        dc.selectBrush(oldBrush);
        dc.selectPen(oldPen);
    }
    drawMark(dc, view, x, y);
}

void MapWaypoint::drawMark(DeviceContext& dc, ChartView&, int x, int y) {
    const ColorRef colour = selected ? kSelectedColour : kRouteColour;
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, 1, colour));
    const Brush oldBrush = dc.selectBrush(createSolidBrush(colour));
    dc.rectangle(Rect{x - kMarkHalf, y - kMarkHalf, x + kMarkHalf + 1, y + kMarkHalf + 1});
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

bool MapWaypoint::hitTest(const ChartView& view, Point pixel) const {
    Point at;
    return visible && viewPosition(view, at) && std::abs(pixel.x - at.x) <= kMarkHalf + 1 &&
           std::abs(pixel.y - at.y) <= kMarkHalf + 1;
}

MapWaypointRecord MapWaypoint::save() const {
    MapWaypointRecord record{0.0, 0.0, depth, speed};
    worldPosition(&record.x, &record.y);
    return record;
}

double MapWaypoint::legDistance() const {
    double x = 0, y = 0, fromX = 0, fromY = 0;
    if (!worldPosition(&x, &y) || !legStart(&fromX, &fromY))
        return 0.0;
    return std::hypot(x - fromX, y - fromY);
}

} // namespace q71
