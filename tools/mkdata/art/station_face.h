#pragma once
// What the stations' console faces share: steel, the display glass in its lit bezel and a recess
// under every control; and the button strips of two or three frames cut from a push button.

#include "mkdata/art/lettering.h"
#include "platform/geometry/rect.h"

#include <span>
#include <string>
#include <vector>

namespace q71::mkdata {

/// A 540 by 420 face; `glass` may be empty (no display on the face).
Canvas stationFace(std::uint32_t seed, const Rect& glass, std::span<const Rect> recesses);

/// The frames a strip of `frames` takes from a push button's up, down and disabled looks: two
/// are up and down; three run up, down and down again (a toggle's way over and its lit end).
std::vector<Canvas> stationButtonStrip(int width, int height, int frames, const std::string& label,
                                       const LetterFont& font);

} // namespace q71::mkdata
