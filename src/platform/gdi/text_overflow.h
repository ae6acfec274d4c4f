#pragma once
// Watches on the texts drawn: a text whose ink runs past the sides of the window or bitmap it
// went to, or out of the rectangle it was drawn in, is told to the overflow watcher, and every
// text drawn to the texts' watcher, who may collect them. Nothing is watched until a watcher is
// installed, and the drawing costs nothing more then.

#include "platform/gdi/font.h"
#include "platform/geometry/rect.h"

#include <functional>
#include <string>

namespace q71 {

/// A text that did not fit: its Windows-1252 text, where its ink lay and where it had to fit,
/// both in the surface's pixels.
struct TextOverflow {
    std::string text;
    Rect ink;
    Rect field;
};

using TextOverflowWatcher = std::function<void(const TextOverflow&)>;

/// Installs the watcher (an empty one ends the watch).
void gdiWatchTextOverflow(TextOverflowWatcher watcher);
/// The installed watcher, or an empty one.
const TextOverflowWatcher& gdiTextOverflowWatcher();

/// A text drawn: its Windows-1252 text, the font it was drawn in and where its ink lay, in the
/// surface's pixels (empty when it left none).
struct TextDrawn {
    std::string text;
    FontRef font;
    Rect ink;
};

using TextDrawnWatcher = std::function<void(const TextDrawn&)>;

/// Installs the watcher of every text drawn (an empty one ends the watch).
void gdiWatchTextsDrawn(TextDrawnWatcher watcher);
/// The installed watcher, or an empty one.
const TextDrawnWatcher& gdiTextsDrawnWatcher();

} // namespace q71
