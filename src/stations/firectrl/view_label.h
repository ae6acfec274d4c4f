#pragma once
// The green labels of the fire-control display's launcher views, in the chart font, hidden until
// their view shows them; their owner paints them.

#include "platform/gdi/colour.h"
#include "platform/window/window_types.h"

#include <memory>

namespace q71 {

class StaticText;

inline constexpr ColorRef kViewGreen = rgb(0, 248, 0);

/// A hidden label at (x, y) of the page, placed by its alignment (0 left, StaticText's others).
std::unique_ptr<StaticText> makeViewLabel(WindowHandle page, int x, int y, const char* text, int alignment = 0);

} // namespace q71
