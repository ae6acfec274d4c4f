#pragma once
// The marks of the editor's map, from the data set's "editor" group: the objects' strip (an
// own-ship start, then for each side the four kinds of unit, each mark plain and then selected)
// and the route points' strip (plain, selected). The data set draws the strips in this order;
// the map draws each object and route point with its frame.

namespace q71 {

struct ScenarioRecord;

inline constexpr const char* kObjectMarksName = "edmarks.bmp";
inline constexpr const char* kWaypointMarksName = "edwaypts.bmp";
inline constexpr int kObjectMarkSize = 15;
inline constexpr int kWaypointMarkSize = 9;

/// Sides as the marks tell them (scenario sides 1 and 3, 2, 4 and any other).
enum class MarkSide { Friendly, Hostile, Neutral };
inline constexpr int kMarkSides = 3;
/// Units as the marks tell them (record types 2, 1, 3, and 4 or 5).
enum class MarkKind { Ship, Submarine, Aircraft, Stationary };
inline constexpr int kMarkKinds = 4;

inline constexpr int kObjectMarkFrames = 2 * (1 + kMarkSides * kMarkKinds);
inline constexpr int kWaypointMarkFrames = 2;

constexpr int startMarkFrame(bool selected) {
    return selected ? 1 : 0;
}
constexpr int unitMarkFrame(MarkSide side, MarkKind kind, bool selected) {
    return 2 * (1 + static_cast<int>(side) * kMarkKinds + static_cast<int>(kind)) + (selected ? 1 : 0);
}
/// The frame of an object by its record's type and side.
int objectMarkFrame(const ScenarioRecord& fields, bool selected);

} // namespace q71
