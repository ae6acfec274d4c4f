#include "editor/missioneditor/mission_object.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"

#include <array>

namespace q71 {
namespace {

constexpr int kMarkHalf = 5;

ColorRef sideColour(const ScenarioRecord& fields) {
    if (fields.type == kScenarioOwnShipStart)
        return rgb(96, 255, 96);
    switch (fields.side) {
    case 1:
    case 3:
        return rgb(96, 160, 255);
    case 2:
        return rgb(255, 80, 64);
    default:
        return rgb(230, 230, 230);
    }
}

} // namespace

MissionObject::MissionObject(double worldX, double worldY, const ScenarioRecord& from, ChartView* view)
    : MapObject(worldX, worldY, nullptr, view), fields(from) {
    fields.waypoints.clear();
}

MissionObject::~MissionObject() {
    while (route_)
        deleteWaypoint(route_);
}

void MissionObject::moveTo(double worldX, double worldY, const ChartViewRecord* record) {
    MapObject::moveTo(worldX, worldY, record);
    if (route_)
        route_->refreshLeg();
}

MapWaypoint* MissionObject::appendWaypoint(double worldX, double worldY, int depthMetres, int speed) {
    MapWaypoint* last = route_;
    while (last && last->next())
        last = last->next();
    auto* point = new MapWaypoint(worldX, worldY, last, this);
    point->depth = depthMetres;
    point->speed = speed;
    if (!route_)
        route_ = point;
    return point;
}

void MissionObject::deleteWaypoint(MapWaypoint* point) {
    if (point == route_)
        route_ = point->next();
    delete point;
    if (route_)
        route_->refreshLeg();
}

int MissionObject::waypointCount() const {
    int count = 0;
    for (const MapWaypoint* p = route_; p; p = p->next())
        ++count;
    return count;
}

ScenarioRecord MissionObject::record() const {
    ScenarioRecord out = fields;
    worldPosition(&out.x, &out.y);
    out.waypoints.clear();
    // A file's point holds the speed to keep after it, and the unit heads for its first point
    // at its own speed: each point's leg speed goes one point up the route.
    if (route_)
        out.speed = route_->speed;
    for (const MapWaypoint* p = route_; p; p = p->next()) {
        const MapWaypointRecord saved = p->save();
        out.waypoints.push_back(ScenarioWaypoint{saved.x, saved.y, saved.depth, p->next() ? p->next()->speed : saved.speed});
    }
    return out;
}

void MissionObject::draw(DeviceContext& dc, ChartView&, int x, int y, ChartViewRecord&) {
    const ColorRef colour = sideColour(fields);
    const Pen oldPen = dc.selectPen(createPen(PenStyle::Solid, selected ? 2 : 1, selected ? rgb(255, 255, 255) : colour));
    const Brush oldBrush = dc.selectBrush(createSolidBrush(colour));
    const int r = kMarkHalf;
    if (isStart()) {
        dc.ellipse(Rect{x - r, y - r, x + r + 1, y + r + 1});
    } else if (fields.side == 2) { // hostile: a diamond
        const std::array<Point, 4> diamond{Point{x, y - r}, Point{x + r, y}, Point{x, y + r}, Point{x - r, y}};
        dc.polygon(diamond);
    } else {
        dc.rectangle(Rect{x - r + 1, y - r + 1, x + r, y + r});
    }
    dc.selectBrush(oldBrush);
    dc.selectPen(oldPen);
}

} // namespace q71
