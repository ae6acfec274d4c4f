#include "sim/simulation/sound_profile.h"

#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kDeepestBottom = -1524.0;   // 5000 ft
constexpr double kDeepLayerFloor = -914.4;   // 3000 ft: where the deep layer's gradient ends
constexpr double kFixedLayerBase = -67.3608; // the first single mission's layer, 221 ft
constexpr int kUpperLevels = 4;              // levels 1 to 4 split the water above the layer

struct Water {
    double surface; // Ts, degrees F
    double deep;    // Td
    double rise;    // Ts − Td, never negative
    double speed0;  // c0, feet per second at the surface
};

Water waterAt(double latitude) {
    const double lat = std::fabs(latitude);
    Water w{85.0 - lat * 5.0 / 9.0, 50.0 - lat * 2.0 / 15.0, 0.0, 4700.0 + lat * 50.0 / 9.0};
    w.rise = std::max(0.0, w.surface - w.deep);
    return w;
}

// Fills the levels, the layer and the bottom of a profile for a kind over a bottom, from the
// profile's own layer base (chosen by then) and background.
void fillLevels(SoundProfile& p, std::uint32_t kind, std::optional<double> bottomUnderOwnShip) {
    // Without a known bottom the water counts as the deepest there is.
    const double bottom = std::max(bottomUnderOwnShip.value_or(kDeepestBottom), kDeepestBottom);
    const Water w = waterAt(missionState().mapOriginLatitude);
    const double layer = kind == 1 ? 0.0 : p.layerDepthBase;

    // Temperatures below the layer are worked out only for depths strictly below it, where the
    // gradient's span (layer to floor or bottom) cannot be empty.
    if (kind == 1) {
        for (int i = 0; i < SoundProfile::kLevels; ++i) {
            p.depth[i] = i <= kUpperLevels ? -15.24 * i : -60.96 - (i - kUpperLevels) * 30.48;
            p.temperature[i] = w.surface;
        }
    } else if (kind == 2) {
        for (int i = 0; i < SoundProfile::kLevels; ++i) {
            const double d = i <= kUpperLevels
                                 ? i * layer / kUpperLevels
                                 : layer - (i - kUpperLevels) * (layer - kDeepLayerFloor) * 0.05;
            const auto below = [&] {
                const double t = (d - kDeepLayerFloor) / (layer - kDeepLayerFloor);
                return w.deep + w.rise * t * t;
            };
            p.depth[i] = d;
            p.temperature[i] = d >= layer ? w.surface : below();
        }
    } else {
        for (int i = 0; i < SoundProfile::kLevels; ++i) {
            const double d = i <= kUpperLevels ? i * layer / kUpperLevels
                                               : layer - (i - kUpperLevels) * (layer - bottom) * 0.05;
            p.depth[i] = d;
            p.temperature[i] = d >= layer ? w.surface : w.deep + w.rise * (d - bottom) / (layer - bottom);
        }
    }
    for (int i = 0; i < SoundProfile::kLevels; ++i)
        p.speed[i] = (w.speed0 + 4.0 * (p.temperature[i] - p.temperature[0]) - 0.051 * p.depth[i]) / 3.0;
    p.layerDepth = layer;
    p.bottomDepth = bottom;
}

} // namespace

SoundProfile& soundProfile() {
    static SoundProfile profile;
    return profile;
}

void simBuildSoundProfile(std::uint32_t kind, std::optional<double> bottomUnderOwnShip) {
    SoundProfile& p = soundProfile();
    if (p.layerDepthBase == -1.0)
        p.layerDepthBase = missionState().fixedSeedMode() ? kFixedLayerBase : -25.0 - randomScaled(100.0);
    if (kind == 1) {
        p.layerDepthBase = 0.0;
        p.background = 40.0 + randomScaled(10.0);
    } else {
        p.background = (kind == 2 ? 25.0 : 30.0) + randomScaled(10.0);
    }
    fillLevels(p, kind, bottomUnderOwnShip);
    p.ambientNoise = p.background;
}

SoundProfile simSoundProfileFor(std::uint32_t kind, std::optional<double> bottomUnderOwnShip) {
    SoundProfile p = soundProfile();
    fillLevels(p, kind, bottomUnderOwnShip);
    return p;
}

void simUpdateLayerDepth(std::optional<double> bottomUnderOwnShip) {
    SoundProfile& p = soundProfile();
    if (p.layerDepth == 0.0 || !bottomUnderOwnShip)
        return;
    // The layer rises up to 7 m over a bottom that shoals, in steps of 10 m of bottom.
    p.layerDepth = p.layerDepthBase + std::fmod(std::trunc(*bottomUnderOwnShip * 0.1), 8.0);
}

} // namespace q71
