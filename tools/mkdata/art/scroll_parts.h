#pragma once
// The parts of the text boxes' and glass lists' scroll bars: the arrow buttons (up, pressed,
// dimmed), the thumb and the track, drawn the same wherever a group carries them.

#include "mkdata/movies/canvas.h"

#include <vector>

namespace q71::mkdata {

/// An arrow button of `size` pixels square pointing up or down: 3 frames (up, pressed, disabled).
std::vector<Canvas> scrollArrowFrames(int size, bool up);
/// The thumb of a bar `size` pixels wide: one frame.
Canvas scrollThumb(int size);
/// The track of a bar on the glass, `width` by `length` pixels: a dark channel sunk into the
/// glass. A shorter bar shows its top.
Canvas scrollTrack(int width, int length);

} // namespace q71::mkdata
