#pragma once
// Geometry over the sea floor of the terrain world: the depth under a point interpolated over
// the triangles of a coarse grid, the line of sight between two points, and the deepest depth
// a boat may safely be ordered to.

#include "sim/simulation/geometry.h"

#include <optional>

namespace q71 {

/// Terrain height at (x, y), linear over the two triangles of square cells 400 m wide (fine) or
/// 875 m wide; a cell corner the terrain does not know takes the mean of those it knows; nothing
/// when it knows none.
std::optional<double> terrainDepthInterpolated(double x, double y, bool fine);

/// True when the terrain rises above the straight line from a to b (sampled every 400 yards;
/// never over 400 yards or less, nor when the steps are too many to count, 2^52 or more, or the
/// length is not a number). The first blocking point and its terrain height go to blockedAt.
bool terrainLineBlocked(const WorldPoint& a, const WorldPoint& b, WorldPoint* blockedAt = nullptr);

template <Placed A, Placed B>
bool terrainLineBlocked(const A& a, const B& b, WorldPoint* blockedAt = nullptr) {
    return terrainLineBlocked(worldPoint(a), worldPoint(b), blockedAt);
}

/// The deepest depth (whole metres, negative) to order at a position: 17 m above the depth limit,
/// 50 m above the bottom and 100 m below the layer, whichever is shallowest.
int geoSafeDepth(const WorldPoint& position, double depthLimit);

} // namespace q71
