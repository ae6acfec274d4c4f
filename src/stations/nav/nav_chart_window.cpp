#include "stations/nav/nav_chart_window.h"

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/msgbox/message_box.h"
#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/world/terrain_world.h"
#include "stations/nav/nav_layout.h"
#include "stations/nav/nav_own_boat.h"
#include "stations/nav/nav_waypoint.h"
#include "tactical/charts/chart_defaults.h"

#include <algorithm>
#include <cstdlib>

namespace q71 {
namespace {

constexpr int kFullText = 734;
constexpr int kFullCaption = 129;
/// The navigation chart's slot among the station charts the options reach.
constexpr int kChartSlot = 0;

struct MenuRow {
    const char* label;
    std::uint16_t command;
};
// Headers carry command 0, which the page hands up as a page switch to the first page it shows.
constexpr MenuRow kMenuRows[] = {
    {"Designate Type", 0},       {"  Air", kNavCmdKindAir},         {"  Surface", kNavCmdKindSurface},
    {"  SubSurface", kNavCmdKindSubSurface}, {"  Unknown", kNavCmdKindUnknown}, {"Designate Align", 0},
    {"  Friendly", kNavCmdSideFriendly},     {"  Hostile", kNavCmdSideHostile}, {"  Neutral", kNavCmdSideNeutral},
    {"  Unknown", kNavCmdSideUnknown},
};

} // namespace

NavChartWindow::NavChartWindow(WindowHandle page, int x, int y, const DemGrid* grid)
    : OwnShipChart(page, x, y, kSize, kSize, grid) {
    name_ = "NavChartWindow";
    chartRegisterStationChart(kChartSlot, this);
    stationSetNavChart(this);
    buildMenu();
    // The boat keeps them newest first: the oldest goes in first so the newest ends at the head.
    if (const OwnShipMotion* motion = navOwnMotion()) {
        const int count = std::clamp(motion->waypointCount, 0, kMaxWaypoints);
        for (int i = count - 1; i >= 0; --i) {
            double column = 0, row = 0;
            const TrackPosition& at = motion->waypoints[static_cast<std::size_t>(i)];
            if (worldToGrid(at.x, at.y, &column, &row))
                pushWaypoint(column, row);
        }
    }
}

NavChartWindow::~NavChartWindow() {
    if (stationNavChart() == this)
        stationSetNavChart(nullptr);
    menu_.destroy();
}

void NavChartWindow::buildMenu() {
    menuPattern_ = resourceLoadBitmap(kMenuPattern);
    menuBrush_ = createPatternBrush(menuPattern_.get());
    menu_.init("designate", 0, 0, menuBrush_, appScreenFont(), menuPattern_);
    for (const MenuRow& row : kMenuRows)
        menu_.addItems(row.label, row.command);
    menu_.setOwnerWindow(parentWindow_);
}

std::vector<WorldPoint> NavChartWindow::waypointPositions() const {
    std::vector<WorldPoint> positions;
    for (const auto& waypoint : waypoints_) {
        WorldPoint at;
        if (gridToWorld(waypoint->x(), waypoint->y(), &at.x, &at.y))
            positions.push_back(at);
    }
    return positions;
}

void NavChartWindow::mirror() const {
    OwnShipMotion* motion = navOwnMotion();
    if (!motion)
        return;
    const std::vector<WorldPoint> positions = waypointPositions();
    motion->storePlottedWaypoints(positions);
}

void NavChartWindow::pushWaypoint(double column, double row) {
    waypoints_.insert(waypoints_.begin(), std::make_unique<NavWaypoint>(column, row, *this));
    if (OwnShipChart* fire = stationFireChart())
        waypoints_.front()->attach(fire);
}

void NavChartWindow::showWaypointsOn(ChartView& chart) {
    for (auto& waypoint : waypoints_)
        waypoint->attach(&chart);
}

std::optional<Point> NavChartWindow::pointerInside() const {
    if (!windowIsValid(window_))
        return std::nullopt;
    const Point at = windowScreenToClient(window_, cursorGetPosition());
    if (!windowGetClientRect(window_).contains(at))
        return std::nullopt;
    return at;
}

bool NavChartWindow::addWaypointAtPointer() {
    const auto at = pointerInside();
    return at && addWaypointAt(*at);
}

bool NavChartWindow::addWaypointAt(Point client) {
    if (!hasGrid())
        return false; // no ground to place it on
    if (static_cast<int>(waypoints_.size()) >= kMaxWaypoints) {
        messageBox(window_, textCopy(kFullText), textCopy(kFullCaption), kMbOk | kMbIconStop);
        return false;
    }
    double column = 0, row = 0;
    getTransform().toGrid(client.x, client.y, &column, &row);
    pushWaypoint(column, row);
    select(waypoints_.front().get());
    mirror();
    return true;
}

void NavChartWindow::deleteSelected() {
    if (!selected_)
        return;
    if (dragging_)
        endDrag();
    const auto found = std::find_if(waypoints_.begin(), waypoints_.end(),
                                    [&](const auto& waypoint) { return waypoint.get() == selected_; });
    selected_ = nullptr;
    if (found != waypoints_.end())
        waypoints_.erase(found);
    mirror();
}

void NavChartWindow::select(NavWaypoint* waypoint) {
    NavWaypoint* previous = selected_;
    selected_ = waypoint;
    if (previous && previous != waypoint)
        previous->notifyViews();
    if (waypoint)
        waypoint->notifyViews();
}

void NavChartWindow::endDrag() {
    dragging_ = false;
    captureRelease();
}

void NavChartWindow::cancelDrag() {
    if (!dragging_)
        return;
    endDrag();
    if (selected_)
        selected_->moveTo(beforeX_, beforeY_, nullptr);
    mirror();
}

void NavChartWindow::onLeftDown(int x, int y) {
    if (zoomClickMode()) {
        OwnShipChart::onLeftDown(x, y);
        return;
    }
    const ChartTransform t = getTransform();
    NavWaypoint* nearest = nullptr;
    long long best = 0;
    for (const auto& waypoint : waypoints_) {
        const Point at = t.toPixel(waypoint->x(), waypoint->y());
        const int dx = at.x - x, dy = at.y - y;
        if (std::abs(dx) >= kPickPixels || std::abs(dy) >= kPickPixels)
            continue;
        const long long distance = 1LL * dx * dx + 1LL * dy * dy;
        if (!nearest || distance < best) {
            nearest = waypoint.get();
            best = distance;
        }
    }
    select(nearest);
    if (!nearest) {
        OwnShipChart::onLeftDown(x, y);
        return;
    }
    captureSet(window_);
    dragging_ = true;
    moved_ = false;
    press_ = {x, y};
    beforeX_ = nearest->x();
    beforeY_ = nearest->y();
}

void NavChartWindow::onMouseMove(int x, int y) {
    if (!dragging_ || !selected_) {
        OwnShipChart::onMouseMove(x, y);
        return;
    }
    if (!moved_ && std::abs(x - press_.x) < kPickPixels && std::abs(y - press_.y) < kPickPixels)
        return;
    moved_ = true;
    if (!windowGetClientRect(window_).contains({x, y}))
        return;
    double column = 0, row = 0;
    getTransform().toGrid(x, y, &column, &row);
    selected_->moveTo(column, row, nullptr);
}

void NavChartWindow::onLeftUp(int x, int y) {
    const auto alive = watch();
    OwnShipChart::onLeftUp(x, y);
    if (alive.expired() || !dragging_)
        return;
    endDrag();
    if (moved_)
        mirror();
}

void NavChartWindow::onRightDown(int x, int y) {
    if (zoomClickMode()) {
        OwnShipChart::onRightDown(x, y);
        return;
    }
    if (!designator_ || !designator_({x, y}))
        return;
    const Point screen = windowClientToScreen(window_, {x, y});
    menu_.setPosition(screen.x, screen.y, menuBrush_, appScreenFont(), menuPattern_);
    menu_.createWindow();
}

} // namespace q71
