#pragma once
// A simple intercept receiver: it has no curve of its own and hears only other platforms'
// active sonar pings, in the step of the ping (the pinging sonar tells it).

#include "sim/entities/sensors/sensor.h"

namespace q71 {

class SimpleInterceptSensor : public Sensor {
public:
    SimpleInterceptSensor(Entity& owner, float figure);

protected:
    // Its scans reach what the base class's do (a class drawn from it that replaces canSense or
    // scanList says otherwise).
    bool keepsBaseScan() const override { return true; }
};

} // namespace q71
