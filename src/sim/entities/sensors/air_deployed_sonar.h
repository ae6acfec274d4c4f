#pragma once
// A sonar an aircraft drops: it stays where it was dropped, just under the surface, and hears
// all round within its short curve.

#include "sim/entities/sensors/simple_sonar_sensor.h"

namespace q71 {

class AirDeployedSonar : public SimpleSonarSensor {
public:
    /// Dropped at the owner's present position, 1 m down.
    AirDeployedSonar(Entity& owner, float figure);
};

} // namespace q71
