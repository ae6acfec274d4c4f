#include "sim/entities/sensors/air_deployed_sonar.h"

#include "sim/entities/entity.h"

#include <cmath>

namespace q71 {

AirDeployedSonar::AirDeployedSonar(Entity& owner, float figure) : SimpleSonarSensor(owner, figure) {
    type = kSensorDropped;
    arcHalfWidth = 180.0;
    const double nearRange = std::trunc(750.0 * figure), farRange = std::trunc(1000.0 * figure);
    setResponse(nearRange, farRange, 75, 0, nearRange, farRange, sensorErrorFigure(3, figure),
                sensorErrorFigure(5, figure), nearRange, farRange,
                static_cast<std::uint32_t>(std::fmax(nearRange / 25.0, 0.0)),
                static_cast<std::uint32_t>(std::fmax(farRange / 10.0, 0.0)));
    const WorldPoint dropped = worldPoint(owner);
    x = dropped.x;
    y = dropped.y;
    z = -1.0;
    threshold = 0;
    bandLow = 50;
    bandHigh = 2000;
}

} // namespace q71
