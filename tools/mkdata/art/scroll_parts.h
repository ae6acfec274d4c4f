#pragma once
// The parts of the text boxes' scroll bars: the arrow buttons (up, pressed, dimmed) and the
// thumb, drawn the same wherever a group carries them.

#include "mkdata/movies/canvas.h"

#include <vector>

namespace q71::mkdata {

/// An arrow button of `size` pixels square pointing up or down: 3 frames (up, pressed, disabled).
std::vector<Canvas> scrollArrowFrames(int size, bool up);
/// The thumb of a bar `size` pixels wide: one frame.
Canvas scrollThumb(int size);

} // namespace q71::mkdata
