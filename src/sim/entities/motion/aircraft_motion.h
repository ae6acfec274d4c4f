#pragma once
// The motion of an aircraft: an aeroplane banks into its turns and climbs or dives on its
// elevators; a helicopter flown by its crew holds its height directly, climbing or descending
// at most 1.524 m a second, and tips its nose down to speed up. Heights are z values above the
// sea. An aircraft of neither category keeps the constants of the base model.

#include "sim/entities/motion/motion_model.h"

namespace q71 {

class AircraftMotion final : public MotionModel {
public:
    /// The model of an aeroplane or a helicopter, by the owner's category.
    explicit AircraftMotion(Entity& owner);

    /// Collisions; afloat, with a controller, speed, course and banking; then a helicopter's
    /// height keeping or the elevators and the vertical step, and repair; sinking, the sinking
    /// step. Then the motion, the vertical step (again) and the network state.
    void integrate(double dt) override;
    /// Height keeping with the elevators, which move a third of the largest pitch a second.
    void stepDepth(double dt) override;

private:
    bool isHelicopter() const;
    void bank();
    void holdHeight(double dt);
};

} // namespace q71
