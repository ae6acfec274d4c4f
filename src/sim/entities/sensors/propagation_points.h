#pragma once
// The range points and levels the sonars' response curves hand to the acoustic propagation
// rule (Sensor::detect): whole metres from the curve's figures, a far point pushed out by the
// source's level, and the layer case with its convergence zone.

#include "sim/entities/sensors/sensor.h"

#include <cstdint>

namespace q71 {

/// Whole metres (or levels) of a curve figure, held inside 32 bits.
std::int32_t propagationWhole(double value);

/// A far range point pushed out by the source level: far + (far − near) × level / divisor; the far
/// point itself for a divisor of 0.
std::int32_t propagationPushedOut(std::int32_t far, std::int32_t near, int level, std::int32_t divisor);

/// True in the layer case of the curves: a layered profile with the listener at or below the layer.
bool propagationBelowLayer(double sensorZ);

/// The layer case: the direct path out to `far` pushed by the level (over 90), then the
/// convergence zone, as wide as that push beyond −`zoneBase`, heard at `zoneLevel` (a byte,
/// held at 255 rather than wrapping).
void propagationLayerCase(PropagationPoints& points, PropagationLevels& levels, std::int32_t near,
                          std::int32_t far, std::int32_t zoneBase, int level, int zoneLevel);

} // namespace q71
