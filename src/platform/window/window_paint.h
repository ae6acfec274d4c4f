#pragma once
// The paint cycle: update regions, invalidation, WM_PAINT, and the visible region that limits
// where a window may draw. The drawing layer builds its window device contexts on
// windowVisibleRegion and its BeginPaint on paintBegin.

#include "platform/geometry/region.h"
#include "platform/window/window_types.h"

namespace q71 {

/// What a paint is about: the bounding box of the update region (client coordinates), whether the
/// background must be erased first (WM_ERASEBKGND), and where drawing may go (screen coordinates).
struct PaintState {
    Rect rect;
    bool erase = false;
    Region clip;
};

/// Adds a client rectangle (null: the whole client area) to the window's update region; a window
/// without WS_CLIPCHILDREN passes it on to its children. No window: every window.
bool windowInvalidate(WindowHandle window, const Rect* rect, bool erase);
/// Adds a client region to the window's update region, as windowInvalidate.
bool windowInvalidateRegion(WindowHandle window, const Region& region, bool erase);
/// Removes a client rectangle (null: all) from the window's update region.
bool windowValidate(WindowHandle window, const Rect* rect);
/// Sends WM_PAINT at once to the window and then to its descendants that have something to paint.
bool windowUpdate(WindowHandle window);
/// The bounding box of the update region in client coordinates; false when there is nothing to paint.
bool windowGetUpdateRect(WindowHandle window, Rect* rect);
/// Starts painting: returns the paint state and empties the update region.
PaintState paintBegin(WindowHandle window);
/// Where drawing on the window may touch the screen (screen coordinates): its rectangle within its
/// ancestors and its shape, minus clipped children and the siblings and popups above it.
Region windowVisibleRegion(WindowHandle window);
/// A number that changes whenever any window's visible region may have changed (windows shown,
/// hidden, moved, re-stacked, reshaped, made or destroyed), so drawing can keep a region meanwhile.
std::uint64_t windowLayoutGeneration();

} // namespace q71
