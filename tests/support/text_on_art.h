#pragma once
// Whether a text drawn over a picture touches the picture's art: a pixel next to its ink (one of
// its eight neighbours) that stands out of the ground the text is written on, as a button's lamp
// stripe or bevel stands out of its steel face.

#include "platform/gdi/text_overflow.h"
#include "platform/geometry/rect.h"

#include <optional>

namespace q71::test {

/// The first pixel of art (in the surface's pixels) that the ink of `text` touches, or none. The
/// ground is the middle colour of the pixels around the ink; a pixel stands out of it when one of
/// its channels lies more than a quarter of the range away, and is not of the text's own colour.
/// `before`, when it is the same text drawn a pixel or two away just before (its shadow), is part
/// of the text, not of the art.
std::optional<Point> textTouchesArt(const TextDrawn& text, const TextDrawn* before = nullptr);

} // namespace q71::test
