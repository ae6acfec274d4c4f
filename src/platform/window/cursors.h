#pragma once
// Mouse cursors and the pointer position. The arrow is built in; the program's other cursors are
// made from pictures of the data set.

#include "platform/display/cursor_image.h"
#include "platform/window/window_types.h"

#include <string_view>

namespace q71 {

/// The standard arrow cursor.
CursorHandle cursorArrow();
/// Makes a cursor from a picture; no cursor when the picture is empty or inconsistent.
CursorHandle cursorCreate(const CursorImage& image);
/// The cursor kept under a name by cursorKeepNamed, or none.
CursorHandle cursorFindNamed(std::string_view name);
/// Keeps a cursor under a name (a resource's), so that loading it again finds it rather than
/// making another; the names go with the window system's state.
void cursorKeepNamed(std::string_view name, CursorHandle cursor);
/// Shows a cursor over the screen (no cursor hides it); returns the one shown before.
CursorHandle cursorSet(CursorHandle cursor);
/// The cursor shown now.
CursorHandle cursorGet();
/// The pointer position in screen coordinates.
Point cursorGetPosition();
/// Moves the pointer; a WM_MOUSEMOVE follows as for a move of the mouse.
void cursorSetPosition(Point position);

} // namespace q71
