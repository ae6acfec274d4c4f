#pragma once
// What the 3-D views do to models besides caching them: random dents that show damage, the
// bounding box without the effect children, and the night-vision and daylight materials.

#include "render3d/clump.h"

#include <cstdint>

namespace q71 {

/// Dents the clump and every clump below it: each vertex within the radius of its clump's
/// origin moves on each axis by up to ±a/2, a = amplitude · ((radius − r) / radius)². The
/// offsets come from the 3-D library's generator, so the simulation's sequence stays its own.
void rwDeformModel(r3d::Clump& clump, float amplitude, float radius);
/// The box around the clump and the clumps below it, effect children (wake, bubbles, tag 504)
/// left out, each in its own frame. Without any vertex the box stays inverted.
void rwModelBounds(r3d::Clump& clump, r3d::Vec3& minimum, r3d::Vec3& maximum);
/// The same for the model of an object record, measured on a loaded instance or loaded for the
/// purpose; false when the id or its model is unknown.
bool rwModelBoundsById(std::uint32_t id, r3d::Vec3& minimum, r3d::Vec3& maximum);
/// Every material of the clump and the clumps below it to night vision, respectively daylight.
void rwNightMaterials(r3d::Clump& clump);
void rwDayMaterials(r3d::Clump& clump);

} // namespace q71
