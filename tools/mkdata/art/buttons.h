#pragma once
// Bitmap buttons of the consoles: a steel key cap with its label engraved, in the frames of a
// push button (up, down, disabled). Pressed, the face moves one pixel down and right and sinks;
// disabled, it is dimmed.

#include "mkdata/art/canvas.h"
#include "platform/gdi/font.h"

#include <string_view>
#include <vector>

namespace q71::mkdata {

/// The up, down and disabled frames of a labelled push button.
std::vector<Canvas> pushButtonFrames(int width, int height, std::string_view label, const FontRef& font);

} // namespace q71::mkdata
