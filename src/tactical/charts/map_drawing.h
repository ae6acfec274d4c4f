#pragma once
// Small drawing helpers of the maps that carry routes (the mission editor's, the fire-control
// chart's): a leg clipped to the window, the arrow head that shows which way it runs.

#include "platform/geometry/rect.h"

namespace q71 {

class DeviceContext;

/// The middle of two values: where a leg's arrow head stands.
constexpr double averageOf(double a, double b) {
    return (a + b) / 2.0;
}

/// Clips the line (x1, y1)-(x2, y2) to `client` (right and bottom exclusive), moving the ends
/// onto its edges; false, ends untouched, when no part of the line lies inside.
bool clipLineToClient(const Rect& client, int& x1, int& y1, int& x2, int& y2);

/// Draws a filled arrow head with the current pen and brush, its point at (x2, y2), pointing
/// along the direction from (x1, y1); nothing when the two points coincide.
void drawArrowHead(DeviceContext& dc, int x1, int y1, int x2, int y2);

} // namespace q71
