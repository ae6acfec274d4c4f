#pragma once
// Watches on the texts drawn: a text whose ink runs past the sides of the window or bitmap it
// went to, or out of the rectangle it was drawn in, is told to the overflow watcher, and every
// text drawn to the texts' watcher, who may collect them. Nothing is watched until a watcher is
// installed, and the drawing costs nothing more then.

#include "platform/gdi/font.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

/// What a pixel around a drawn text holds: the ground it is written on, its ink, or neither
/// (outside the clip, where the text leaves the surface alone).
enum class TextCover : std::uint8_t { Ground, Ink, Hidden };

/// A text drawn: its Windows-1252 text, the font and colour it was drawn in, where its ink lay and
/// the rectangle it was drawn in (empty when none), in the surface's pixels (the ink empty when it
/// left none), with what lay there before: `ground` holds the colours of `around` (the ink grown by
/// one pixel on each side, within the surface) row by row as they were before the text was drawn,
/// and `cover` what each of those pixels became.
struct TextDrawn {
    std::string text;
    FontRef font;
    Rect ink;
    Rect field;
    ColorRef colour = 0;
    bool opaque = false; ///< drawn over a cell of the background colour
    Rect around;
    std::vector<ColorRef> ground;
    std::vector<TextCover> cover;
};

using TextDrawnWatcher = std::function<void(const TextDrawn&)>;

/// Installs the watcher of every text drawn (an empty one ends the watch).
void gdiWatchTextsDrawn(TextDrawnWatcher watcher);
/// The installed watcher, or an empty one.
const TextDrawnWatcher& gdiTextsDrawnWatcher();

} // namespace q71
