#include "sim/entities/sensors/simple_intercept_sensor.h"

namespace q71 {

SimpleInterceptSensor::SimpleInterceptSensor(Entity& owner, float figure) : Sensor(owner, figure) {
    type = kSensorIntercept;
    arcHalfWidth = 0.0;
    minHeight = -10000;
    maxHeight = 0;
}

} // namespace q71
