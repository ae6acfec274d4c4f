#pragma once
// The motion of an entity that does not steer itself: an explosion, or an entity a network peer
// moves. It keeps the speed and heading it was given, runs on at them, collides and recovers from
// damage, and never sends its state to the peers (the peer that moves it does).

#include "sim/entities/motion/motion_model.h"

namespace q71 {

class RemoteMotionModel final : public MotionModel {
public:
    explicit RemoteMotionModel(Entity& owner) : MotionModel(owner) {}

    /// Sinking: the sinking step. Otherwise: the speed and course steps, the drive held at the
    /// present speed, straight-line motion, collisions and recovery; a moving torpedo cavitates.
    void integrate(double dt) override;
};

} // namespace q71
