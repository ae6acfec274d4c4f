#pragma once
// The fire-control chart as the launchers see it: it shows their waypoints and repaints when
// they change. The fire-control display installs it while it is built; without it no chart
// exists, and the launchers keep their waypoints without showing them.

namespace q71 {

class LaunchWaypoint;

class LauncherChart {
public:
    virtual ~LauncherChart() = default;
    /// Shows a waypoint on the chart's views at its position.
    virtual void attachWaypoint(LaunchWaypoint& waypoint) = 0;
    /// Forgets a waypoint that is about to be deleted.
    virtual void detachWaypoint(LaunchWaypoint& waypoint) = 0;
    /// Waypoints were added, removed, shown or hidden: repaint, drop the selected item and the
    /// own-ship symbol's link to a first waypoint.
    virtual void waypointsChanged() = 0;
};

} // namespace q71
