#include "tactical/radar/radar_sweep.h"

#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kAwashZ = -8.2296; ///< 27 ft: below this the antenna is in the waves
constexpr double kDegrees = std::numbers::pi / 180.0;

// The point of a picture radius along a ray (picture y grows downwards, north is up).
void scopePoint(double angle, int radius, double& px, double& py) {
    px = kScopeCentre + radius * std::sin(angle * kDegrees);
    py = kScopeCentre - radius * std::cos(angle * kDegrees);
}

} // namespace

int radarValidIndex(int index, int fallback) {
    return index >= 0 && index < kRadarIndexCount ? index : fallback;
}

double radarSweepAngle(double clock) {
    return std::fmod(clock, 15.0) * 24.0;
}

double radarSeaIntensity(double rangeYards, double z) {
    if (z < kAwashZ)
        return 16.0 + 19.27710843373494 * (kAwashZ - z);
    return rangeYards < 10000.0 ? 16.0 + 0.0016 * (10000.0 - rangeYards) : 16.0;
}

std::int32_t RadarSweep::maskAt(int radiusPixels) const {
    return mask_[static_cast<std::size_t>(std::clamp((radiusPixels - 5) / 2, 0, kMaskEntries - 1))];
}

double RadarSweep::sweep(double clock, const RadarSweepInput& input, const RadarHeightLookup& heightAt,
                         RadarPicture& picture, DisplayNoise& noise) {
    const double old = angle_;
    startAngle_ = old;
    const double swept = angleDiff(old, radarSweepAngle(clock));
    const int rays = static_cast<int>(swept * 0.25);
    if (rays <= 0)
        return 0.0;
    picture.fade(rays);
    const int clutter = input.seaState * input.seaState;
    for (int k = 0; k < rays; ++k) {
        const double previous = angle_;
        const double ray = std::fmod(old + 4.0 * k, 360.0);
        angle_ = ray;
        const double whole = std::floor(ray) * kDegrees;
        const double sinA = std::sin(whole), cosA = std::cos(whole);
        double highest = 0.0;
        for (int r = 5; r <= 105; r += 2) {
            const int d = input.rangeScale * r / kScopeRadius; // yards
            // The ray is measured in yards, the world in metres.
            double h = 0.0;
            if (!heightAt(input.x + d * kYardsToMetres * sinA, input.y + d * kYardsToMetres * cosA, &h))
                h = -1.0;
            double intensity;
            if (h > highest) {
                highest = h;
                intensity = 90.0;
            } else if (highest > 0.0) {
                intensity = 0.0;
            } else {
                intensity = radarSeaIntensity(d, input.z);
            }
            const double level = intensity + noise.scaled(intensity * 0.5) + clutter - (rays - 1 - k);
            mask_[static_cast<std::size_t>((r - 5) / 2)] = static_cast<std::int32_t>(highest);
            double x0, y0, x1, y1;
            scopePoint(previous, r, x0, y0);
            scopePoint(ray, r, x1, y1);
            picture.line(x0, y0, x1, y1, scopeLevel(static_cast<long long>(level)));
        }
    }
    return swept;
}

} // namespace q71
