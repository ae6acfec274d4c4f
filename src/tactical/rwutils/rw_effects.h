#pragma once
// What the 3-D views call of the scene effects (explosions, wakes, particles, puffs): null
// until the effects are installed, so that a view without them draws its scene alone.

#include "render3d/math.h"

namespace q71 {

class RwEffects {
public:
    virtual ~RwEffects() = default;
    /// Advances the explosions of the view, given its floating origin (scene X, Z).
    virtual void updateExplosions(float originX, float originZ) = 0;
    /// Draws the wakes, particles and puffs into the camera being updated.
    virtual void drawEffects(r3d::Vec3 camera) = 0;
    /// Draws the bubble sprites seen from under water.
    virtual void drawBubbles(r3d::Vec3 camera) = 0;
    /// Lets go of the wake texture at shutdown.
    virtual void releaseWakeTexture() = 0;
};

RwEffects& rwEffects();
/// Installs the effects (not owned); null puts back the null version.
void rwInstallEffects(RwEffects* effects);

} // namespace q71
