#pragma once
// Where the 640 by 480 screen stands in a real window of any size: scaled as large as fits with
// its aspect kept, centred, the rest black; and how window points map back to screen points.

#include "platform/geometry/rect.h"

namespace q71 {

/// The rectangle of the window (width by height) that shows the screen.
Rect letterboxRect(int windowWidth, int windowHeight);
/// The screen point shown at a window point, clamped onto the screen.
Point letterboxToScreen(Point windowPoint, const Rect& shown);
/// The window point at the centre of a screen pixel.
Point letterboxToWindow(Point screenPoint, const Rect& shown);

} // namespace q71
