#pragma once
// The inside of a polygon as drawn: pixel (x, y) is filled when the point (x, y) itself lies
// inside, an edge's left and top points counting as inside and its right and bottom ones not.
// Sampling the same lattice points that line drawing passes through keeps a polygon's fill
// within its outline.

#include "platform/geometry/region.h"

#include <functional>
#include <span>

namespace q71 {

/// Calls span(y, from, to) for each run [from, to) of row y inside the polygon, for the rows
/// of `window` only.
void forEachPolygonSpan(std::span<const Point> points, PolygonFillMode mode, const Rect& window,
                        const std::function<void(int, int, int)>& span);

} // namespace q71
