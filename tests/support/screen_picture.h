#pragma once
// Pictures of the whole screen for the artefacts folder beside the test binary (not the current
// folder, which the program's tests move into the data set), where every screen a player can reach is kept so
// that the look can be judged side by side.

#include "support/png_image.h"

#include <string>

namespace q71::test {

/// The screen surface as it stands, in RGB.
RgbImage screenPicture();
/// Writes the screen as artefacts/<name>.png and returns the picture.
RgbImage saveScreenPicture(const std::string& name);

} // namespace q71::test
