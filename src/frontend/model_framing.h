#pragma once
// Framing a model in a 3-D view whose camera looks at it from above or below while the model (or
// the camera) turns about the model's upright axis: how far off the camera stands for the whole
// model to stay in the picture, whichever way it turns.

#include "render3d/math.h"

namespace q71 {

struct ViewAngles {
    double halfX, halfY; ///< the picture's half angles across and up (radians)
};

/// The half angles of a camera's view window (which spans 2 · w at a unit's distance).
ViewAngles viewAngles(float windowX, float windowY);

/// The distance (scene units) from the point at height `aimY` on the model's upright axis at
/// which a camera looking at that point from `elevation` (radians, above the level) sees the
/// whole box of the model (its own frame) in the picture at any turn, with a little room round
/// it; `fallback` for an empty box.
double modelFramingDistance(const r3d::Vec3& minimum, const r3d::Vec3& maximum, double aimY, double elevation,
                            ViewAngles view, double fallback);

} // namespace q71
