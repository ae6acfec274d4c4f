#pragma once
// The camera backdrop: an image laid under the scene in the backdrop viewport.

#include "render3d/camera.h"

namespace q71::r3d {

/// Draws the camera's backdrop into its backdrop viewport. The backdrop stands on the camera
/// image's bottom edge moved left by the x offset and up by the y offset (a negative y lowers
/// it); it repeats across, and above its top and below its bottom its top and bottom rows go on.
void drawBackdrop(const Camera& c, const ImagePixels& image);

} // namespace q71::r3d
