#pragma once
// The fire-control chart: the terrain around the own boat, locked on it or free, with the
// navigation waypoints and the launchers' waypoints, whose first legs start at the own-boat
// marker. While it exists it is the stations' fire-control chart and the launchers' chart.
// Armed for a tube or a cell, a click places that launcher's aim point or route.

#include "stations/firectrl/launcher_chart.h"
#include "stations/station_charts.h"

#include <map>
#include <memory>

namespace q71 {

class Launcher;
class LaunchWaypointMark;
class MapObject;

class FireChart : public OwnShipChart, public LauncherChart {
public:
    static constexpr int kChartSlot = 1;

    /// Over a grid in the page, at the glass of the display; shows the launchers' waypoints.
    FireChart(WindowHandle page, const DemGrid* grid);
    ~FireChart() override;

    void attachWaypoint(LaunchWaypoint& waypoint) override;
    void detachWaypoint(LaunchWaypoint& waypoint) override;
    void waypointsChanged() override;

    /// The next click places this tube's or cell's waypoints (the other is cleared).
    void armForTube(Launcher* tube);
    void armForCell(Launcher* cell);
    void disarm();
    bool armed() const { return armedTube_ || armedCell_; }

    /// The own-boat marker follows the boat, with the first legs.
    void followOwnBoat();

    void onLeftDown(int x, int y) override;

    /// The mark that shows a waypoint, or null.
    LaunchWaypointMark* markOf(const LaunchWaypoint& waypoint) const;
    std::size_t markCount() const { return marks_.size(); }

private:
    void place(int x, int y);

    std::unique_ptr<MapObject> ownBoat_;
    std::map<const LaunchWaypoint*, std::unique_ptr<LaunchWaypointMark>> marks_;
    Launcher* armedTube_ = nullptr;
    Launcher* armedCell_ = nullptr;
};

} // namespace q71
