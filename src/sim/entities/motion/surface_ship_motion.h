#pragma once
// The motion of a surface ship: it answers its helm and telegraph with the lag of a long hull
// (the better its crew, the quicker), never pitches, falls back onto the sea when lifted above
// it, and sinks when lost. It moves through the water by the hydrodynamic law of the base.

#include "sim/entities/motion/motion_model.h"

namespace q71 {

class SurfaceShipMotion final : public MotionModel {
public:
    /// The model of a ship, its response set by the crew's level.
    explicit SurfaceShipMotion(Entity& owner);

    /// Afloat: gravity while above its footing (no falling speed on it), speed, course and
    /// repair; sinking: the sinking step. Then the motion through the water, the vertical step,
    /// collisions and the network state.
    void integrate(double dt) override;
};

} // namespace q71
