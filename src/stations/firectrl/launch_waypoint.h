#pragma once
// A launch waypoint: the aim point of a torpedo or missile, or one point of the route of a
// Tomahawk or mobile mine, kept in its launcher's list. It holds the world position (metres),
// the depth or altitude and the speed given to the weapon at that point, the label shown beside
// a route's end ("T2", "V8") and whether it is an aim point. The fire-control chart draws the
// points and their legs; the first point's leg starts at the chart's own-ship symbol.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace q71 {

/// Size of a waypoint's record in a saved mission: x, y (f64), depth, speed (i32).
inline constexpr std::size_t kLaunchWaypointRecordSize = 24;

/// The label number of a waypoint without a label.
inline constexpr std::uint32_t kNoWaypointLabel = 0xFFFFFFFFu;

class LaunchWaypoint {
public:
    LaunchWaypoint(double x, double y, std::int32_t depth, std::int32_t speed)
        : x(x), y(y), depth(depth), speed(speed) {}

    double x = 0.0, y = 0.0; ///< world position, metres
    std::int32_t depth = 0;  ///< depth or altitude ordered at the point
    std::int32_t speed = 0;  ///< speed ordered at the point
    std::uint32_t labelNumber = kNoWaypointLabel;
    char labelLetter = 'a';
    std::uint32_t aim = 0; ///< 1 for an aim point
    bool visible = true;
    bool selected = false;
    LaunchWaypoint* previous = nullptr; ///< the point before it in its launcher's list
    LaunchWaypoint* next = nullptr;
    bool afterOwnShip = false; ///< the leg to this point starts at the chart's own-ship symbol
};

/// The waypoint's 24-byte record.
std::array<std::uint8_t, kLaunchWaypointRecordSize> launchWaypointEncode(const LaunchWaypoint& waypoint);

/// A waypoint from its record (depth taken as its absolute value), not linked and not visible;
/// null when a coordinate is not a finite number.
std::unique_ptr<LaunchWaypoint>
launchWaypointDecode(std::span<const std::uint8_t, kLaunchWaypointRecordSize> record);

/// Moves a world position to the nearest whole arc-minutes of latitude and longitude of the
/// mission's terrain grid; unchanged without a grid.
void snapToArcMinute(double& x, double& y);

} // namespace q71
