#pragma once
// The program's main cursor: the pointer over every screen. The shell makes it at start-up;
// until then, and in tests, it is the standard arrow.

#include "platform/window/window_types.h"

namespace q71 {

/// Makes a cursor the main cursor (no cursor puts the arrow back).
void appSetMainCursor(CursorHandle cursor);
/// The main cursor.
CursorHandle appMainCursor();

} // namespace q71
