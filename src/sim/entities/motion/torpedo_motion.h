#pragma once
// The motion of a torpedo and of the weapons built on it (the missile in its capsule and the
// capsule itself): a short, quick response, one set of planes, always loud, and never tested for
// collisions (its guidance decides when it hits). While its seeker is armed and it homes on a
// target, its guidance runs at every sub-step before it moves.

#include "sim/entities/motion/motion_model.h"

namespace q71 {

class TorpedoMotion final : public MotionModel {
public:
    /// The model of a weapon: the better the crew, the slower its response (level 5 none at all).
    explicit TorpedoMotion(Entity& owner);

    /// Afloat: the guidance when homing, speed, course, the motion, depth, the vertical step
    /// and repair, and the noise of the run; sinking, the sinking step. Then the network state.
    void integrate(double dt) override;
    /// Depth keeping with one set of planes, which move half the largest pitch a second.
    void stepDepth(double dt) override;
};

} // namespace q71
