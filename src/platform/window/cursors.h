#pragma once
// Mouse cursors and the pointer position. The arrow is built in; the program's other cursors are
// made from pictures of the data set.

#include "platform/display/cursor_image.h"
#include "platform/window/window_types.h"

namespace q71 {

/// The standard arrow cursor.
CursorHandle cursorArrow();
/// Makes a cursor from a picture; no cursor when the picture is empty or inconsistent.
CursorHandle cursorCreate(const CursorImage& image);
/// Shows a cursor over the screen (no cursor hides it); returns the one shown before.
CursorHandle cursorSet(CursorHandle cursor);
/// The cursor shown now.
CursorHandle cursorGet();
/// The pointer position in screen coordinates.
Point cursorGetPosition();
/// Moves the pointer; a WM_MOUSEMOVE follows as for a move of the mouse.
void cursorSetPosition(Point position);

} // namespace q71
