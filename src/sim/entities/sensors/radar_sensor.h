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
};

} // namespace q71
