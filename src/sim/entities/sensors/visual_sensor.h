#pragma once
// Eyes: lookouts and periscopes of the computer-run platforms, and (with their own short curve)
// the trigger of a mine. Sees all round from just below the surface up to the aircraft.

#include "sim/entities/sensors/sensor.h"

namespace q71 {

class VisualSensor : public Sensor {
public:
    /// A lookout: certain to 5000 m, nothing beyond 7500 m; a better figure, a finer bearing.
    VisualSensor(Entity& owner, float figure);

protected:
    // Its scans reach what the base class's do (a class drawn from it that replaces canSense or
    // scanList says otherwise).
    bool keepsBaseScan() const override { return true; }
};

} // namespace q71
