#pragma once
// The fathometer's arithmetic, apart from its drawing: the two knobs' tables, the depth under
// the keel in feet, and the walk along a sounding ring that gives the trace's points. Indices
// read back from a saved game are checked before they choose anything.

#include "platform/geometry/rect.h"
#include "sim/entities/motion/depth_history.h"

#include <optional>
#include <vector>

namespace q71 {

inline constexpr int kFathometerTimeScales = 5;
inline constexpr int kFathometerDepthScales = 6;

/// The history code of a time-scale index (1, 8, 12, 24, 48), or none outside 0..4.
std::optional<int> fathometerHistoryCode(int timeIndex);
/// The full scale in metres of a depth-scale index, or none outside 0..5.
std::optional<double> fathometerFullScale(int depthIndex);

/// Feet of water under the keel for the boat at z over a bottom at `bottom` (both heights in
/// metres, negative below the surface); never below 0.
double fathometerKeelDepthFeet(double z, double bottom);

/// A sample's sounding in metres: the water depth less the boat's depth, signed.
long long fathometerSounding(const DepthEntry& entry);

/// The trace's row of a sounding (metres) at a full scale: the top line (15) for 8.5344 m or less
/// (or a sounding not a number), at most the window's bottom edge (350) however deep.
int fathometerTraceRow(double sounding, double fullScale);

/// The rows of the nine grid lines, top to bottom.
std::vector<int> fathometerGridRows();

/// The points of the trace: the newest sample at x 31, each older one a column further right,
/// up to the ring's end, at most `segments` joins (318 for a whole redraw, 2 for a scroll step).
/// Nothing when the ring's indices lie outside it.
std::vector<Point> fathometerWalk(const DepthRing& ring, double fullScale, int segments);

/// True when a ring's newest and end indices lie inside it (a saved game may hold others).
bool fathometerRingUsable(const DepthRing& ring);

/// Segments of a whole redraw and of one scroll step.
inline constexpr int kFathometerRedrawSegments = 318;
inline constexpr int kFathometerStepSegments = 2;

} // namespace q71
