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

class FireChartReports;
class FireReadouts;
class Launcher;
class LaunchWaypointMark;
class MapObject;

class FireChart : public OwnShipChart, public LauncherChart {
public:
    static constexpr int kChartSlot = 1;
    /// The framework's cross-hair: the pointer while the next click places waypoints.
    static constexpr int kPlacingCursor = 159;

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

    /// While every launcher's waypoints are shown, clicks neither select nor drag them.
    void setSelectionBlocked(bool blocked) { selectionBlocked_ = blocked; }

    /// Armed: places. Else a visible waypoint under the pointer (cells' first, then tubes') is
    /// selected and may be dragged once the pointer leaves a 24 by 24 box around it.
    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// The placing cursor while armed, else the chart's own.
    void onSetCursor() override;
    /// The readouts over the picture.
    void drawOnScreen(DeviceContext& window) override;

    CursorHandle placingCursor() const { return placingCursor_; }
    /// The readouts of the selected contact.
    FireReadouts& readouts() { return *readouts_; }

    LaunchWaypoint* selectedWaypoint() const { return selected_; }
    /// Drops the selection (a launcher fired or its route is replaced).
    void unselect() { select(nullptr); }
    /// The mark of the selected waypoint (what the console moves by latitude and longitude), or null.
    LaunchWaypointMark* selectedMark() const { return selected_ ? markOf(*selected_) : nullptr; }
    /// Who hears of a selected or dragged waypoint (null: nobody).
    void setReports(FireChartReports* reports) { reports_ = reports; }
    bool dragging() const { return dragging_; }

    /// The mark that shows a waypoint, or null.
    LaunchWaypointMark* markOf(const LaunchWaypoint& waypoint) const;
    std::size_t markCount() const { return marks_.size(); }

private:
    void place(int x, int y);
    /// The waypoint whose mark holds a pixel, cells' before tubes'; null for none.
    LaunchWaypoint* waypointAt(Point pixel) const;
    void select(LaunchWaypoint* waypoint);
    /// Tells the console of the selected waypoint, when it is visible.
    void reportSelected() const;

    std::unique_ptr<MapObject> ownBoat_;
    std::unique_ptr<FireReadouts> readouts_;
    CursorHandle placingCursor_{};
    std::map<const LaunchWaypoint*, std::unique_ptr<LaunchWaypointMark>> marks_;
    Launcher* armedTube_ = nullptr;
    Launcher* armedCell_ = nullptr;
    bool selectionBlocked_ = false;
    LaunchWaypoint* selected_ = nullptr;
    bool dragging_ = false;
    bool moved_ = false;
    FireChartReports* reports_ = nullptr;
};

} // namespace q71
