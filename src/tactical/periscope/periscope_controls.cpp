// The periscope panel's arithmetic.
#include "tactical/periscope/periscope_controls.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace q71 {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kPickCone = 16.0;
constexpr double kEsmFade = 5.0;
constexpr double kEsmTop = 9.0;

} // namespace

int scopeStepMagnification(int index, int step) {
    return std::clamp(index + step, 0, kScopeMagnificationSteps - 1);
}

double scopeFieldOfView(int index) {
    return 48.0 / kScopeMagnifications[static_cast<std::size_t>(std::clamp(index, 0, kScopeMagnificationSteps - 1))];
}

ScopeAngles scopeTrainByButton(ScopeAngles from, ScopeButton button, int magnificationIndex, bool shift) {
    const double magnification =
        kScopeMagnifications[static_cast<std::size_t>(std::clamp(magnificationIndex, 0, kScopeMagnificationSteps - 1))];
    const double train = (shift ? 15.0 : 3.0) / magnification * kRad;
    const double tilt = 1.5 / magnification * kRad;
    double bearing = from.bearing, elevation = from.elevation;
    switch (button) {
    case ScopeButton::TrainLeft:
        bearing -= train;
        break;
    case ScopeButton::TrainRight:
        bearing += train;
        break;
    case ScopeButton::TiltDown:
        elevation -= tilt;
        break;
    case ScopeButton::TiltUp:
        elevation += tilt;
        break;
    }
    return scopeLimited(bearing, elevation);
}

void ScopeMast::step(double dt) {
    if (motion > 0) {
        height += static_cast<float>(2.0 * dt);
        if (height > kScopeMastTop) {
            height = kScopeMastTop;
            motion = 0;
        }
    } else if (motion < 0) {
        height -= static_cast<float>(2.0 * dt);
        if (height < 0.0f) {
            height = 0.0f;
            motion = 0;
        }
    }
}

ScopeViewState scopeViewFor(std::int32_t effectiveState, float shownHeight) {
    if (effectiveState == kDeviceBroken)
        return kScopeViewOutOfAction;
    return shownHeight > kScopeMastTop / 2.0f ? kScopeViewShown : kScopeViewHidden;
}

std::int32_t scopePickTarget(double ownX, double ownY, double lineOfSight, std::span<const ScopeCandidate> candidates) {
    std::int32_t picked = 0;
    double best = std::numeric_limits<double>::infinity();
    for (const ScopeCandidate& c : candidates) {
        if (c.z < 0.0)
            continue;
        const double d = std::fabs(angleDiff(geoBearing(c.x - ownX, c.y - ownY), lineOfSight));
        if (d >= kPickCone)
            continue;
        const double score = d + 0.001 * std::hypot(c.x - ownX, c.y - ownY);
        if (score < best) {
            best = score;
            picked = c.id;
        }
    }
    return picked;
}

double scopeEsmLevel(const SoundRing<BroadbandRow>& rows, double now) {
    double level = 0.0;
    for (std::size_t age = 0; age < rows.count(); ++age) {
        const BroadbandRow& row = rows.newest(age);
        const double fade = (kEsmFade - (now - row.time)) * 0.2;
        for (std::uint16_t bin : row.level)
            level = std::max(level, bin * fade);
    }
    return std::clamp(level * 10.0 * 0.01, 0.0, kEsmTop);
}

int scopeEsmVolume(double level) {
    return static_cast<int>(level / kEsmTop * 100.0);
}

int scopeEsmLamps(double level) {
    return static_cast<int>(level + 0.5);
}

} // namespace q71
