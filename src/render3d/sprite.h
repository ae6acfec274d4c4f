#pragma once
// Sprites: clumps drawn as a square facing the camera, showing a texture's current frame. The
// square is 1 scene unit across at the clump's origin, scaled by the clump's transform; its
// material is unlit (full brightness), and its triangles fade with their opacity.

#include "render3d/clump.h"

namespace q71::r3d {

/// A sprite of the texture; null for a null texture. The caller owns the clump.
Clump* makeSprite(Texture* texture);

} // namespace q71::r3d
