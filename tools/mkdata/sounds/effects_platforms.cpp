// What the sonar operator hears of a platform: its machinery's tones, the flow, and the beat of
// its screws. Each platform has two: "A" as the hull arrays hear it, "B" through the towed
// array, which hears more of the low end.
#include "mkdata/sounds/sound_effects.h"
#include "mkdata/sounds/sound_parts.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace q71::mkdata {
namespace {

constexpr double kLoop = 2.0;

struct Platform {
    std::initializer_list<double> tonesHz; ///< machinery lines
    double screwLowHz, screwHighHz;        ///< the band of the screws' noise
    double beatsPerSecond;                 ///< blade rate (whole beats in the loop)
    float beatDepth;
    float flow; ///< the low rumble of the flow
};

Signal platform(Noise& n, const Platform& p, bool towed) {
    const double seconds = kLoop + kLoopCrossfade;
    Signal s = hiss(n, seconds, 15, 300);
    scale(s, p.flow);
    Signal screw(samplesIn(seconds));
    for (std::size_t i = 0; i < screw.size(); ++i) {
        const double c = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * p.beatsPerSecond * i / kSoundRate);
        screw[i] = static_cast<float>(1.0 - p.beatDepth + p.beatDepth * c * c * c * c);
    }
    mixInto(s, multiply(hiss(n, seconds, p.screwLowHz, p.screwHighHz), screw));
    for (double hz : p.tonesHz)
        mixInto(s, sine(seconds, hz), 0.0, 0.08f);
    if (towed) {
        Biquad::lowPass(800).apply(s);
        Biquad::lowPass(800).apply(s);
    }
    return s;
}

const Platform kSubmarine{{50, 100, 150}, 200, 700, 3, 0.3f, 0.6f};
const Platform kWarship{{30, 420, 840}, 800, 4000, 5, 0.7f, 0.8f};
const Platform kMerchant{{60, 120}, 300, 2000, 2, 0.85f, 1.0f};
const Platform kTorpedo{{1800, 3600}, 2000, 7000, 25, 0.3f, 0.2f};

Signal submarineA(Noise& n) {
    return platform(n, kSubmarine, false);
}
Signal submarineB(Noise& n) {
    return platform(n, kSubmarine, true);
}
Signal warshipA(Noise& n) {
    return platform(n, kWarship, false);
}
Signal warshipB(Noise& n) {
    return platform(n, kWarship, true);
}
Signal merchantA(Noise& n) {
    return platform(n, kMerchant, false);
}
Signal merchantB(Noise& n) {
    return platform(n, kMerchant, true);
}
Signal torpedoA(Noise& n) {
    return platform(n, kTorpedo, false);
}
Signal torpedoB(Noise& n) {
    return platform(n, kTorpedo, true);
}

const SoundEffect kPlatforms[] = {
    {"NzSubA.wav", submarineA, kLoop}, {"NzSubB.wav", submarineB, kLoop}, {"NzShipA.wav", warshipA, kLoop},
    {"NzShipB.wav", warshipB, kLoop},  {"NzMrchA.wav", merchantA, kLoop}, {"NzMrchB.wav", merchantB, kLoop},
    {"NzTorpA.wav", torpedoA, kLoop},  {"NzTorpB.wav", torpedoB, kLoop},
};

} // namespace

std::span<const SoundEffect> platformEffects() {
    return kPlatforms;
}

} // namespace q71::mkdata
