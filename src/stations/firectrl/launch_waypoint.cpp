#include "stations/firectrl/launch_waypoint.h"

#include "sim/scoring/byte_layout.h"
#include "sim/world/terrain_world.h"

#include <cmath>
#include <limits>

namespace q71 {
namespace {

// The three fields at their offsets, read and written by one description.
template <class Layout, class Waypoint> void waypointFields(const Layout& layout, Waypoint& point) {
    layout.f64(0, point.x);
    layout.f64(8, point.y);
    layout.i32(16, point.depth);
    layout.i32(20, point.speed);
}

double snapAngle(double degrees) {
    const double sign = degrees < 0.0 ? -1.0 : 1.0;
    return sign * std::trunc(0.5 + std::fabs(degrees) * 60.0) / 60.0;
}

} // namespace

std::array<std::uint8_t, kLaunchWaypointRecordSize> launchWaypointEncode(const LaunchWaypoint& waypoint) {
    std::array<std::uint8_t, kLaunchWaypointRecordSize> record{};
    waypointFields(LayoutWriter(record), waypoint);
    return record;
}

std::unique_ptr<LaunchWaypoint>
launchWaypointDecode(std::span<const std::uint8_t, kLaunchWaypointRecordSize> record) {
    LaunchWaypoint point(0.0, 0.0, 0, 0);
    waypointFields(LayoutReader(record), point);
    if (!std::isfinite(point.x) || !std::isfinite(point.y))
        return nullptr;
    // The magnitude of the most negative depth does not fit; the deepest representable one stands in.
    point.depth = point.depth == std::numeric_limits<std::int32_t>::min()
                      ? std::numeric_limits<std::int32_t>::max()
                      : std::abs(point.depth);
    point.visible = false;
    return std::make_unique<LaunchWaypoint>(point);
}

void snapToArcMinute(double& x, double& y) {
    const DemGrid* grid = worldGrid();
    double column = 0.0, row = 0.0, latitude = 0.0, longitude = 0.0;
    if (!grid || !worldToGrid(x, y, &column, &row) ||
        !demGridToLatLong(grid, column, row, &latitude, &longitude))
        return;
    if (!demLatLongToGrid(grid, snapAngle(latitude), snapAngle(longitude), &column, &row))
        return;
    gridToWorld(column, row, &x, &y);
}

} // namespace q71
