#include "editor/missioneditor/mission_object.h"

#include "editor/missioneditor/editor_map.h"
#include "editor/missioneditor/editor_marks.h"
#include "editor/missioneditor/editor_waypoint.h"

namespace q71 {

MissionObject::MissionObject(double worldX, double worldY, const ScenarioRecord& from, ChartView* view)
    : StoredPosition(worldX, worldY, nullptr, view), fields(from) {
    fields.waypoints.clear();
}

MissionObject::~MissionObject() {
    while (route_)
        deleteWaypoint(route_);
}

void MissionObject::moveTo(double worldX, double worldY, const ChartViewRecord* record) {
    StoredPosition::moveTo(worldX, worldY, record);
    if (route_)
        route_->refreshLeg();
}

MapWaypoint* MissionObject::appendWaypoint(double worldX, double worldY, int depthMetres, int speed) {
    MapWaypoint* last = route_;
    while (last && last->next())
        last = last->next();
    auto* point = new EditorWaypoint(worldX, worldY, last, this);
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
    storedPosition(out.x, out.y);
    out.waypoints.clear();
    // A file's point holds the speed to keep after it, and the unit heads for its first point
    // at its own speed: each point's leg speed goes one point up the route.
    if (route_)
        out.speed = route_->speed;
    for (const MapWaypoint* p = route_; p; p = p->next()) {
        ScenarioWaypoint point{0.0, 0.0, p->depth, p->next() ? p->next()->speed : p->speed};
        static_cast<const EditorWaypoint&>(*p).storedPosition(point.x, point.y); // the route holds no other
        out.waypoints.push_back(point);
    }
    return out;
}

void MissionObject::draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord&) {
    if (const auto* map = dynamic_cast<const EditorMap*>(&view))
        map->marks().objects.draw(dc, objectMarkFrame(fields, selected), x, y);
}

} // namespace q71
