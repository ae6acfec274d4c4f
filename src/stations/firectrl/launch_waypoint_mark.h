#pragma once
// How a launch waypoint stands on the fire-control chart: a route point behind the chart's
// own-boat marker (or the mark of the point before it), drawn with its leg and arrow head, the
// label of a route's end, and, for an aim point closer than a weapon's run, a red tick across the
// leg where the run ends.

#include "tactical/charts/map_waypoint.h"

namespace q71 {

class LaunchWaypoint;

/// A weapon's run from its launch point: an aim point closer than this gets the tick.
inline constexpr double kAimTickRange = 40000.0;

class LaunchWaypointMark : public MapWaypoint {
public:
    LaunchWaypointMark(LaunchWaypoint& waypoint, LaunchWaypointMark* previous, MapObject* ownBoat);

    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;
    /// Moves the point; the waypoint takes the new world position.
    void moveTo(double worldX, double worldY, const ChartViewRecord* record) override;

    /// Takes the start of the leg anew; an aim point's box takes in the end of the run.
    void refreshBox();

    LaunchWaypoint& waypoint() const { return waypoint_; }

private:
    void drawAimTick(DeviceContext& dc, ChartView& view, int x, int y) const;

    LaunchWaypoint& waypoint_;
};

/// The point `range` from a leg's start along the leg towards its end (world metres).
void aimTickPoint(double fromX, double fromY, double toX, double toY, double range, double* x, double* y);

} // namespace q71
