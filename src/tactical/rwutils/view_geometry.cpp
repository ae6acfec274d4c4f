#include "tactical/rwutils/view_geometry.h"

#include "framework/math/fast_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Hull-down: the horizon range for a camera height, and how fast ships sink beyond it.
constexpr float kHorizonFactor = 32.397408f;
constexpr float kHorizonScale = 1.14f * 185.2f;
constexpr float kBeyondHorizon = 0.004736463f;
constexpr float kDropScale = 0.030866666f;
constexpr float kLowShipStart = 317.0f;
constexpr float kLowShipScale = 0.005678233f;
constexpr float kDefaultRange = 600.0f;

} // namespace

double wrapInto(double v, double period) {
    const double w = v - std::floor(v / period) * period;
    return w >= period ? 0.0 : w;
}

float bearingDifference(float a, float b) {
    float d = std::fmod(b - a, 2.0f * kPi);
    if (d > kPi)
        d -= 2.0f * kPi;
    else if (d < -kPi)
        d += 2.0f * kPi;
    return d;
}

float sceneBearing(float dx, float northward) {
    return std::atan2(dx, northward);
}

bool objectInView(float distance, float range, float offBearing, float coneHalfAngle) {
    return (distance < range && std::fabs(offBearing) < coneHalfAngle) || distance < kAlwaysShownRange;
}

float hullDownDrop(int kind, float distance, float cameraHeight, bool hullDown) {
    if (!hullDown || cameraHeight <= 0.0f)
        return 0.0f;
    float drop = 0.0f;
    if (kind == 2 || kind == 3) {
        const float horizon = std::sqrt(cameraHeight * kHorizonFactor) * kHorizonScale;
        if (distance > horizon) {
            const float beyond = (distance - horizon) * kBeyondHorizon;
            drop = beyond * beyond * kDropScale;
        }
    }
    if (kind < 4 || kind == 6)
        drop += std::max(0.0f, (distance - kLowShipStart) * cameraHeight * kLowShipScale);
    return drop;
}

float visibilityRange(int kind, bool hullDown, float farClip) {
    if (!hullDown)
        return kDefaultRange;
    if (kind == 2 || kind == 3)
        return farClip;
    if (kind == 1 || kind == 4 || kind >= 6)
        return -1.0f;
    return kDefaultRange;
}

BackdropPlacement placeBackdrop(r3d::Vec3 look, int width, int height, double fieldX, double fieldY, double zoom,
                                bool withBackdrop) {
    BackdropPlacement p;
    p.viewport = {0, 0, width, height};
    if (!withBackdrop)
        return p;
    const double ly = std::clamp<double>(look.y, -1.0, 1.0);
    const int v = static_cast<int>(0.5 + 0.525 * height * std::asin(ly) / fieldY);
    p.offsetX = static_cast<int>(0.5 - std::atan2(look.x, look.z) / fieldX * width * 0.496);
    p.offsetY = -height / 2 - static_cast<int>(2.0 * zoom) - v - 2;
    if (zoom <= 1.0)
        p.viewport.height = std::clamp(height / 2 + v + 4, 0, height);
    return p;
}

SeawayAngles seawayAngles(double halfSeaState, double size, double phase1, double phase2) {
    if (halfSeaState <= 0.0 || size <= 0.0)
        return {};
    return {halfSeaState * 1800.0 / size * tableCosDegrees(phase2), halfSeaState * 1000.0 / size * tableCosDegrees(phase1)};
}

void advanceSeaway(double size, double dt, double& phase1, double& phase2) {
    if (size <= 0.0)
        return;
    phase1 = wrapInto(phase1 + dt * 45000.0 / size, 360.0);
    phase2 = wrapInto(phase2 + dt * 100000.0 / size, 360.0);
}

} // namespace q71
