#include "sim/entities/sensors/propagation_points.h"

#include "sim/simulation/mission_state.h"
#include "sim/simulation/sound_profile.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr std::int64_t kPointLimit = 1000000000; // metres; far beyond any range the world holds

std::int32_t heldPoint(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp(value, -kPointLimit, kPointLimit));
}

} // namespace

std::int32_t propagationWhole(double value) {
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), -1.0e9, 1.0e9));
}

std::int32_t propagationPushedOut(std::int32_t far, std::int32_t near, int level, std::int32_t divisor) {
    if (divisor == 0)
        return far;
    return heldPoint(far + (std::int64_t{far} - near) * level / divisor);
}

bool propagationBelowLayer(double sensorZ) {
    const std::uint32_t profile = missionState().soundProfileKind;
    return profile != 0 && profile != 1 && sensorZ <= soundProfile().layerDepth;
}

void propagationLayerCase(PropagationPoints& points, PropagationLevels& levels, std::int32_t near,
                          std::int32_t far, std::int32_t zoneBase, int level, int zoneLevel) {
    points.r0 = near;
    points.r1 = propagationPushedOut(far, near, level, 90);
    points.r2 = heldPoint(std::int64_t{points.r1} - far - zoneBase);
    levels.a = 90;
    levels.b = 20;
    levels.c = static_cast<std::uint8_t>(std::clamp(zoneLevel, 0, 255));
}

} // namespace q71
