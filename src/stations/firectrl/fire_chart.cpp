#include "stations/firectrl/fire_chart.h"

#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "sim/entities/entity.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_chart_reports.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/launch_waypoint_mark.h"
#include "stations/firectrl/launcher.h"
#include "tactical/charts/chart_defaults.h"
#include "tactical/charts/map_object.h"

#include <cstdlib>

namespace q71 {
namespace {

/// The box around a selected waypoint that the pointer must leave before the waypoint follows it.
constexpr int kDragBox = 24;

WorldPoint ownBoatPosition() {
    const Entity* own = worldOwnShip();
    return own ? worldPoint(*own) : WorldPoint{};
}

} // namespace

FireChart::FireChart(WindowHandle page, const DemGrid* grid)
    : OwnShipChart(page, kFireChartGlass.left, kFireChartGlass.top,
                   kFireChartGlass.right - kFireChartGlass.left, kFireChartGlass.bottom - kFireChartGlass.top,
                   grid) {
    name_ = "FireChart";
    readouts_ = std::make_unique<FireReadouts>(window());
    placingCursor_ = resourceLoadCursor(kPlacingCursor);
    chartRegisterStationChart(kChartSlot, this);
    stationSetFireChart(this);
    if (OwnShipChart* nav = stationNavChart())
        nav->showWaypointsOn(*this);
    const WorldPoint at = ownBoatPosition();
    ownBoat_ = std::make_unique<MapObject>(at.x, at.y, nullptr, this);
    fireControlStations().setChart(this);
    if (const auto tables = launcherTables()) {
        for (WeaponLauncher* tube : tables->tubes)
            if (tube)
                static_cast<Launcher*>(tube)->attachWaypoints();
        for (WeaponLauncher* cell : tables->cells)
            if (cell)
                static_cast<Launcher*>(cell)->attachWaypoints();
    }
}

FireChart::~FireChart() {
    if (fireControlStations().chart() == this)
        fireControlStations().setChart(nullptr);
    if (stationFireChart() == this)
        stationSetFireChart(nullptr);
    // Newest first, so that no mark is left linked to one already gone.
    while (!marks_.empty()) {
        auto last = marks_.begin();
        for (auto it = marks_.begin(); it != marks_.end(); ++it)
            if (!it->second->next())
                last = it;
        marks_.erase(last);
    }
}

LaunchWaypointMark* FireChart::markOf(const LaunchWaypoint& waypoint) const {
    const auto it = marks_.find(&waypoint);
    return it == marks_.end() ? nullptr : it->second.get();
}

void FireChart::attachWaypoint(LaunchWaypoint& waypoint) {
    if (markOf(waypoint))
        return;
    LaunchWaypointMark* previous = waypoint.previous ? markOf(*waypoint.previous) : nullptr;
    auto mark = std::make_unique<LaunchWaypointMark>(waypoint, previous, ownBoat_.get());
    mark->notifyViews();
    marks_[&waypoint] = std::move(mark);
}

void FireChart::detachWaypoint(LaunchWaypoint& waypoint) {
    if (selected_ == &waypoint) {
        selected_ = nullptr;
        dragging_ = false;
    }
    if (LaunchWaypointMark* mark = markOf(waypoint))
        mark->notifyViews();
    marks_.erase(&waypoint);
}

void FireChart::waypointsChanged() {
    select(nullptr);
    dragging_ = false;
    for (auto& [waypoint, mark] : marks_)
        mark->notifyViews();
}

void FireChart::armForTube(Launcher* tube) {
    armedTube_ = tube;
    armedCell_ = nullptr;
}

void FireChart::armForCell(Launcher* cell) {
    armedCell_ = cell;
    armedTube_ = nullptr;
}

void FireChart::disarm() {
    armedTube_ = armedCell_ = nullptr;
}

void FireChart::followOwnBoat() {
    const WorldPoint at = ownBoatPosition();
    ownBoat_->moveTo(at.x, at.y, nullptr);
    for (auto& [waypoint, mark] : marks_)
        if (!mark->previous())
            mark->refreshBox();
    recentre();
}

void FireChart::onLeftDown(int x, int y) {
    if (!zoomClickMode() && armed()) {
        place(x, y);
        return;
    }
    LaunchWaypoint* hit = zoomClickMode() || selectionBlocked_ ? nullptr : waypointAt({x, y});
    if (!hit) {
        OwnShipChart::onLeftDown(x, y);
        return;
    }
    select(hit);
    dragging_ = true;
    moved_ = false;
    reportSelected();
}

void FireChart::reportSelected() const {
    LaunchWaypointMark* mark = selectedMark();
    if (reports_ && mark && selected_->visible)
        reports_->waypointPicked(*mark);
}

LaunchWaypoint* FireChart::waypointAt(Point pixel) const {
    const auto tables = launcherTables();
    if (!tables)
        return nullptr;
    const auto search = [&](WeaponLauncher* launcher) -> LaunchWaypoint* {
        if (!launcher)
            return nullptr;
        for (auto* node = static_cast<Launcher*>(launcher)->waypoints.head(); node; node = node->next)
            if (const LaunchWaypointMark* mark = markOf(*node->item);
                mark && node->item->visible && mark->hitTest(*this, pixel))
                return node->item;
        return nullptr;
    };
    for (WeaponLauncher* cell : tables->cells)
        if (cell && cell->weaponType() != kWeaponEmpty)
            if (LaunchWaypoint* hit = search(cell))
                return hit;
    for (WeaponLauncher* tube : tables->tubes)
        if (LaunchWaypoint* hit = search(tube))
            return hit;
    return nullptr;
}

void FireChart::select(LaunchWaypoint* waypoint) {
    if (selected_ == waypoint)
        return;
    for (LaunchWaypoint* changed : {selected_, waypoint})
        if (changed) {
            changed->selected = changed == waypoint;
            if (LaunchWaypointMark* mark = markOf(*changed))
                mark->notifyViews();
        }
    selected_ = waypoint;
}

void FireChart::onMouseMove(int x, int y) {
    if (!dragging_ || !selected_) {
        OwnShipChart::onMouseMove(x, y);
        return;
    }
    LaunchWaypointMark* mark = markOf(*selected_);
    if (!mark)
        return;
    const Point at = getTransform().toPixel(mark->x(), mark->y());
    if (!moved_ && std::abs(x - at.x) < kDragBox / 2 && std::abs(y - at.y) < kDragBox / 2)
        return;
    double column = 0, row = 0, worldX = 0, worldY = 0;
    getTransform().toGrid(x, y, &column, &row);
    if (!gridToWorld(column, row, &worldX, &worldY))
        return;
    moved_ = true;
    mark->moveTo(worldX, worldY, nullptr);
    mark->notifyViews();
}

void FireChart::onLeftUp(int x, int y) {
    if (dragging_) {
        dragging_ = false;
        if (moved_)
            reportSelected();
        return;
    }
    OwnShipChart::onLeftUp(x, y);
}

void FireChart::onSetCursor() {
    OwnShipChart::onSetCursor();
    if (armed() && !zoomClickMode())
        cursorSet(placingCursor_);
}

void FireChart::drawOnScreen(DeviceContext& window) {
    OwnShipChart::drawOnScreen(window);
    readouts_->paint(window);
}

void FireChart::place(int x, int y) {
    double column = 0, row = 0, worldX = 0, worldY = 0;
    getTransform().toGrid(x, y, &column, &row);
    if (gridToWorld(column, row, &worldX, &worldY)) {
        Launcher& launcher = armedTube_ ? *armedTube_ : *armedCell_;
        if (&launcher == armedTube_ && launcher.weaponType() == kWeaponSlmm) {
            launcher.addAimPoint(worldX, worldY);
        } else {
            const WorldPoint from = ownBoatPosition();
            launcher.addRoute(from.x, from.y, worldX, worldY);
        }
        launcher.waypoints.rewind();
    }
    disarm();
    onSetCursor();
}

} // namespace q71
