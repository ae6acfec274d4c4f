#pragma once
// Picking: what a camera shows at a point of its viewport.

#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/scene.h"

namespace q71::r3d {

struct PickResult {
    /// The clump of the nearest triangle under the point, or null.
    Clump* clump = nullptr;
    /// The tag of the nearest tagged clump from that clump upward (0 when none is tagged).
    std::int32_t objectId = 0;
};

/// The nearest triangle of the scene's shown clumps whose area covers the centre of pixel (x, y)
/// of the camera image, as the camera stands now. Sprites and immediate geometry are not picked.
PickResult pickScene(const Camera& camera, Scene& scene, int x, int y);

} // namespace q71::r3d
