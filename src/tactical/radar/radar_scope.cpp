#include "tactical/radar/radar_scope.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr double kSettleTime = 10.0; ///< after the mast's completion, before the picture paints
constexpr int kScopeOrigin[2] = {184, 193}; ///< the scope centre in the window

} // namespace

RadarMastPhase radarMastPhase(const TwoPositionDevice& mast, double clock) {
    RadarMastPhase phase;
    if (clock - mast.completionTime >= kSettleTime) {
        const std::int32_t state = effectiveDeviceState(mast.state, mast.completionTime);
        phase.sweeps = state == kDeviceRaised;
        phase.fades = state == kDeviceBroken;
        phase.lampFrame = phase.sweeps ? kLampLit : kLampDark;
    } else if (mast.completionTime > 0.0) {
        phase.lampFrame = std::fmod(clock, 1.0) <= 0.5 ? kLampDark : kLampLit;
    }
    return phase;
}

std::optional<RadarCursor> radarCursorAt(int x, int y, int rangeScale) {
    const double dx = x - kScopeOrigin[0], dy = y - kScopeOrigin[1];
    const double reach = std::hypot(dx, dy);
    if (reach > kScopeRadius)
        return std::nullopt;
    return RadarCursor{geoBearing(dx, -dy), std::min(reach, 101.0) * rangeScale / kScopeRadius};
}

int RadarScope::tick(double clock, const OwnShipMotion& motion, const RadarHeightLookup& heightAt,
                     int seaState, const std::function<void(Entity&)>& painted) {
    const RadarMastPhase phase = radarMastPhase(motion.masts[kMastRadar], clock);
    if (phase.fades)
        picture.fade(1);
    if (!phase.sweeps) {
        const TwoPositionDevice& mast = motion.masts[kMastRadar];
        if (mast.completionTime > 0.0 && clock - mast.completionTime < kSettleTime)
            sweep.setAngle(radarSweepAngle(clock));
        return phase.lampFrame;
    }
    const int scale = rangeScale();
    const double swept =
        sweep.sweep(clock, RadarSweepInput{motion.x, motion.y, motion.z, scale, seaState}, heightAt, picture, *noise);
    if (swept > 0.0)
        blips.scan(RadarScan{motion.x, motion.y, sweep.startAngle(), swept, scale, clock}, sweep, painted);
    blips.draw(picture, scale, clock);
    return phase.lampFrame;
}

void RadarScope::clear() {
    picture.clear();
}

} // namespace q71
