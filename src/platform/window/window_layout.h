#pragma once
// Where windows stand: showing and hiding, minimising, position and size, z-order among
// siblings and topmost popups, enabling, window shapes and coordinates. There is no non-client
// area: a window's client area is the whole window.

#include "platform/geometry/region.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <optional>

namespace q71 {

/// Shows, hides, minimises or restores a window (SW_ commands); WM_SHOWWINDOW goes to the window
/// whose visibility changes, not to its children. Returns whether it was visible before.
bool windowShow(WindowHandle window, int showCommand);
/// True when the window and all its ancestors are visible (WS_VISIBLE).
bool windowIsVisible(WindowHandle window);
/// True while the window is minimised.
bool windowIsMinimized(WindowHandle window);
/// Moves and sizes a window (position in the parent's client coordinates); repaint false leaves
/// all repainting to the caller.
bool windowMove(WindowHandle window, int x, int y, int width, int height, bool repaint);
/// Moves, sizes and re-stacks a window under SWP_ flags; insertAfter is a sibling or one of
/// HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST.
bool windowSetPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int width, int height,
                  std::uint32_t flags);
/// Enables or disables mouse and keyboard input to a window; returns whether it was disabled before.
bool windowEnable(WindowHandle window, bool enable);
/// True unless the window itself is disabled.
bool windowIsEnabled(WindowHandle window);
/// Gives the window a shape (window coordinates) that clips its painting and its clicks;
/// no value restores the rectangle.
bool windowSetShape(WindowHandle window, std::optional<Region> shape, bool redraw);

/// The window's rectangle in screen coordinates.
Rect windowGetRect(WindowHandle window);
/// The client rectangle: 0, 0, width, height.
Rect windowGetClientRect(WindowHandle window);
/// A client point of the window in screen coordinates.
Point windowClientToScreen(WindowHandle window, Point point);
/// A screen point in the window's client coordinates.
Point windowScreenToClient(WindowHandle window, Point point);
/// The deepest visible window under a screen point (disabled children leave it to their parent).
WindowHandle windowFromPoint(Point point);

} // namespace q71
