#pragma once
// What the player places on the editor's map: an own-ship start or a unit, each with the fields
// of its scenario record, and a unit's route. The record's depths are feet, speeds speed units,
// boxes and rectangles yards, as the scenario file holds them; the position is the map
// object's own, kept as the file stores it, and the route the chain of points behind it.

#include "editor/missioneditor/stored_position.h"
#include "sim/simulation/scenario_file.h"
#include "tactical/charts/map_waypoint.h"

namespace q71 {

class MissionObject : public StoredPosition<MapObject> {
public:
    /// An object of the record's type at a world position, on the view (none: on none).
    MissionObject(double worldX, double worldY, const ScenarioRecord& fields, ChartView* view);
    /// Frees the route with the object.
    ~MissionObject() override;

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;
    /// World coordinates; the route's first leg follows.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override;

    bool isStart() const { return fields.type == kScenarioOwnShipStart; }
    /// What a message names the object by: the boat's name of a start, else the unit's record key.
    const std::string& label() const { return fields.typeName; }

    /// A new point at the end of the route (depth in metres, speed units on its leg).
    MapWaypoint* appendWaypoint(double worldX, double worldY, int depthMetres, int speed);
    /// Takes a point off the route and frees it.
    void deleteWaypoint(MapWaypoint* point);
    MapWaypoint* firstWaypoint() const { return route_; }
    int waypointCount() const;

    /// The record as a scenario stores it, with the position and the route (as read, for what
    /// the player did not move). With a route, the unit's speed is its first leg's.
    ScenarioRecord record() const;

    /// The record's fields; position and waypoints are the object's own.
    ScenarioRecord fields;
    bool selected = false;

private:
    MapWaypoint* route_ = nullptr;
};

} // namespace q71
