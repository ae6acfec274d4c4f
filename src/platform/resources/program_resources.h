#pragma once
// The program's own resources (its cursors and the bitmaps it loads by number), which the data
// set carries in its folder "resources" as "cursor<number>.cur" and "bitmap<number>.bmp".

#include "platform/gdi/bitmap.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <span>

namespace q71 {

/// The cursor resource of that number, made once while the window system runs and the same
/// cursor at every later load; the standard arrow when it is missing or unreadable (the first
/// time with a warning naming the file on stderr).
CursorHandle resourceLoadCursor(int number);
/// The bitmap resource of that number as a compatible bitmap; null when missing or unreadable
/// (warned once, as a cursor).
BitmapRef resourceLoadBitmap(int number);
/// A bitmap file's bytes as a compatible bitmap; null when they are not a bitmap file that can be drawn.
BitmapRef resourceDecodeBitmap(std::span<const std::uint8_t> bytes);

} // namespace q71
