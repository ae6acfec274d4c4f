#pragma once
// Where keyboard and mouse input goes: the focus window, the window holding the mouse capture,
// and the active top-level window.

#include "platform/window/window_types.h"

namespace q71 {

/// Gives the keyboard focus to a window (WM_KILLFOCUS to the old one, WM_SETFOCUS to the new one),
/// activating its top-level window; no window takes the focus away. Returns the previous focus
/// window, or no window when the window is invalid or disabled.
WindowHandle focusSet(WindowHandle window);
/// The window with the keyboard focus.
WindowHandle focusGet();
/// Sends all mouse input to the window until released; returns the previous capture window.
WindowHandle captureSet(WindowHandle window);
/// Ends the mouse capture.
bool captureRelease();
/// The window holding the mouse capture.
WindowHandle captureGet();
/// Asks for one WM_MOUSELEAVE to the window when the pointer is no longer over it (it moves over
/// another window, or the window or one of its ancestors hides); false, asking nothing, when the
/// pointer is not over the window now.
bool pointerTrackLeave(WindowHandle window);
/// The active top-level window.
WindowHandle windowGetActive();
/// Activates the window's top-level window and brings the program's window to the front.
bool windowSetForeground(WindowHandle window);

} // namespace q71
