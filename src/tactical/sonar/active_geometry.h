#pragma once
// The geometry of the active sonar's echo display (268 by 328 pixels): x is true bearing over
// the whole circle (258 pixels, two per step), y is range from 0 at y 301 to the full scale at
// y 25, in bands of 4 pixels with one line per ping slot.

#include <array>
#include <cstdint>
#include <functional>

namespace q71 {

/// Range scales in yards, by the active range-scale setting.
inline constexpr std::array<double, 5> kActiveRangeScales{80000.0, 40000.0, 20000.0, 10000.0, 5000.0};
/// Speed of the ping front, yards per second.
inline constexpr double kPingFrontSpeed = 774.0;
/// The display's size and the rows its echo picture spans.
inline constexpr int kActiveWidth = 268;
inline constexpr int kActiveHeight = 328;
inline constexpr int kActiveTop = 25;     ///< y of the full scale
inline constexpr int kActiveBottom = 301; ///< y of range 0

/// The scale of a range-scale index (held within 0 to 4).
double activeRangeScale(int index);
/// The x of a bearing with the orientation offset (degrees).
int activeBearingX(double bearing, int offset);
/// The bearing under an x (held within 5 to 263) with the orientation offset.
int activeXBearing(int x, int offset);
/// The y of a range on a scale for a ping slot (0 to 3).
int activeRangeY(double range, double scale, int slot);
/// The range under a y (held within 25 to 301): what the cursor reads.
double activeYRange(int y, double scale);
/// The range of a painted row: its distance from y 301 rounded down to a multiple of 4.
double activeRowRange(int y, double scale);
/// The y of the cursor at a range: the inverse of activeYRange.
int activeCursorY(double range, double scale);
/// The ping interval word of a scale: 1 + 2 trunc(scale / 1548) seconds.
int activePingInterval(double scale);

/// The echo designate takes: in the ping slots 0 to 3 in turn, the first positive source at the
/// cursor bearing - k and + k for k = 0 to 2 (wrapped into the circle); 0 when none.
/// `source(slot, degree)` gives a slot's source at a degree 0 to 359.
std::int32_t activeDesignatedSource(int cursor, const std::function<std::int32_t(int, int)>& source);

} // namespace q71
