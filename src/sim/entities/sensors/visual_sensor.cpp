#include "sim/entities/sensors/visual_sensor.h"

namespace q71 {

VisualSensor::VisualSensor(Entity& owner, float figure) : Sensor(owner, figure) {
    type = kSensorVisual;
    arcHalfWidth = 180.0;
    minHeight = -4;
    maxHeight = 9144;
    setResponse(5000.0, 7500.0, 100, 0, 5000.0, 7500.0, sensorErrorFigure(4, figure), sensorErrorFigure(6, figure),
                5000.0, 7500.0, 200, 750);
    bandLow = 0;
    bandHigh = 32000;
}

} // namespace q71
