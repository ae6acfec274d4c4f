// The response curves of the own boat's arrays: the range points and levels that the
// propagation rule reads for an ordinary source (scaled by the source's loudness and the
// array's sensitivity) and for the player's boats (fixed points), by the sound-speed profile.
#include "sim/entities/sensors/array_sonar.h"
#include "sim/entities/sensors/propagation_points.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"

#include <algorithm>

namespace q71 {

namespace {

constexpr std::uint32_t kIsothermal = 1;

std::int32_t whole(double value) {
    return propagationWhole(value);
}

std::uint8_t sourceLevel(int level) {
    return static_cast<std::uint8_t>(std::clamp(level, 0, 255));
}

} // namespace

int ArraySonar::passiveLevel(double source, double range, double sensorZ, double targetZ, int level) {
    double m = (1.0 + (source - 1.0) / 2.0) * 1.5;
    if (isTowedArray())
        m *= 1.25;
    if (upgrade_ && playerHasUpgrade(*upgrade_))
        m *= 1.25;
    if (simFrontEnd().optionsField(kOptionSensitiveArrays) != 0)
        m *= 2.0;
    PropagationPoints points;
    PropagationLevels levels;
    if (missionState().soundProfileKind == kIsothermal) {
        points.r0 = whole(3000.0 * m);
        levels.a = whole(70.0 + 10.0 * m);
        points.r1 = propagationPushedOut(whole(6000.0 * m), points.r0, level, levels.a);
    } else if (propagationBelowLayer(sensorZ)) {
        propagationLayerCase(points, levels, whole(3000.0 * m), whole(6000.0 * m),
                             whole(-4000.0 - 1000.0 * m), level, whole(50.0 + 10.0 * m) + level);
    } else {
        points.r0 = whole(4500.0 * m);
        levels.a = whole(85.0 + 10.0 * m);
        points.r1 = propagationPushedOut(whole(7000.0 * m), points.r0, level, levels.a);
    }
    return detect(points, levels, range, sensorZ, targetZ, sourceLevel(level));
}

int ArraySonar::activeLevel(double range, double sensorZ, double targetZ, int level) {
    PropagationPoints points;
    PropagationLevels levels;
    levels.a = 90;
    if (missionState().soundProfileKind == kIsothermal) {
        points.r0 = 2000;
        points.r1 = propagationPushedOut(7500, 2000, level, 90);
    } else if (propagationBelowLayer(sensorZ)) {
        propagationLayerCase(points, levels, 3000, 9000, -4000, level, 80 + level);
    } else {
        points.r0 = 7500;
        points.r1 = propagationPushedOut(10000, 7500, level, 90);
    }
    return detect(points, levels, range, sensorZ, targetZ, sourceLevel(level));
}

} // namespace q71
