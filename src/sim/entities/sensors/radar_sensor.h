#pragma once
// A radar: every few seconds it sweeps, sees surface targets and the masts of submarines near
// the surface (worse end-on than on the beam), and is itself heard by the ESM receivers of the
// targets it paints.

#include "sim/entities/sensors/sensor.h"

namespace q71 {

class RadarSensor : public Sensor {
public:
    /// A radar whose reach grows with the square of its figure; its first sweep comes within 5 s.
    RadarSensor(Entity& owner, float figure);

    void step(double dt) override;
    bool canSense(Entity& entity) override;
    /// The sweep heard by the target's ESM receivers.
    void scanList(Entity& entity) override;
    bool scanMayReach(const Entity& entity) const override;

private:
    // False where canSense ends before any draw: below the masts' band, above the window, or
    // beyond the far range on some axis.
    bool mayPaint(const Entity& entity) const;
    // False where no ESM receiver of the entity gets as far as the detection curve's chance.
    bool heardByEsm(const Entity& entity) const;
    // Whether a receiver takes part in the sweep heard by its platform at a height.
    static bool listening(const Sensor& esm, double height);
};

} // namespace q71
