#pragma once
// What the fire-control chart tells the weapon settings console: the route point the operator
// selected, or dropped after dragging it, so that the console shows its position. The display
// installs the console; with none installed the chart tells nobody.

namespace q71 {

class MapObject;

class FireChartReports {
public:
    virtual ~FireChartReports() = default;
    /// A visible waypoint was selected, or moved by a drag that just ended.
    virtual void waypointPicked(MapObject& waypoint) = 0;
};

} // namespace q71
