#pragma once
// The navigation chart: the terrain around the own boat, locked on it or free, with up to 16
// waypoints that the keys add and delete and the mouse selects and drags, and the designation
// menu a right click opens over a contact. The waypoints also stand on the fire-control chart;
// their count is mirrored in the own boat at once, and their positions with it, newest first,
// which is the order the mission save keeps.

#include "framework/widgets/menu_node.h"
#include "stations/station_charts.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace q71 {

class NavWaypoint;

class NavChartWindow : public OwnShipChart {
public:
    /// The chart's place on the chart page and its size.
    static constexpr int kSize = 350;
    static constexpr int kMaxWaypoints = 16;
    /// Pixels within which a press takes a waypoint and a drag starts moving it.
    static constexpr int kPickPixels = 10;
    /// The program's pattern bitmap under the menu.
    static constexpr int kMenuPattern = 103;

    /// Over the world's grid in the page; the menu's commands go to the page window. The
    /// waypoints kept with the own boat are made again, in their order.
    NavChartWindow(WindowHandle page, int x, int y, const DemGrid* grid);
    ~NavChartWindow() override;

    /// Asked on a right click (outside zoom-click mode) with the client point: true when a
    /// contact there was designated, which opens the menu.
    void setDesignator(std::function<bool(Point)> designator) { designator_ = std::move(designator); }

    /// A waypoint at the pointer's world position when the pointer is in the chart. A 17th is
    /// refused with a message box and changes nothing. True when one was added.
    bool addWaypointAtPointer();
    /// A waypoint at a client point (the pointer's place when the key is pressed).
    bool addWaypointAt(Point client);
    /// Deletes the selected waypoint.
    void deleteSelected();
    /// Ends a drag and puts the waypoint back where it was.
    void cancelDrag();

    NavWaypoint* selectedWaypoint() const { return selected_; }
    /// Newest first.
    const std::vector<std::unique_ptr<NavWaypoint>>& waypoints() const { return waypoints_; }
    bool dragging() const { return dragging_; }
    const MenuNode& menu() const { return menu_; }
    std::vector<WorldPoint> waypointPositions() const override;

    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onRightDown(int x, int y) override;
    void showWaypointsOn(ChartView& chart) override;

private:
    void select(NavWaypoint* waypoint);
    void pushWaypoint(double column, double row);
    /// The own boat's copy of the list: count and positions, newest first.
    void mirror() const;
    void endDrag();
    std::optional<Point> pointerInside() const;
    void buildMenu();

    std::vector<std::unique_ptr<NavWaypoint>> waypoints_;
    NavWaypoint* selected_ = nullptr;
    bool dragging_ = false;
    bool moved_ = false;
    Point press_;
    double beforeX_ = 0.0, beforeY_ = 0.0;
    std::function<bool(Point)> designator_;
    MenuNode menu_;
    Brush menuBrush_;
    std::shared_ptr<Bitmap> menuPattern_;
};

} // namespace q71
