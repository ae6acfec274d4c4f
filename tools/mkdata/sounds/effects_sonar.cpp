// A ping is a clean tone burst with a long reverberant tail; the receivers' tones buzz and warble.
#include "mkdata/sounds/sound_effects.h"
#include "mkdata/sounds/sound_parts.h"

#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

// A tone burst of `seconds` gliding from `fromHz` to `toHz`, and the sea's reverberation after it.
Signal ping(double seconds, double fromHz, double toHz, double tail, float wet) {
    Signal s = glide(seconds, fromHz, toHz);
    fadeEdges(s, 0.01, seconds * 0.3);
    reverberate(s, tail, wet);
    return s;
}

Signal pingOut(Noise&) {
    return ping(0.45, 3500, 3500, 3.0, 0.9f);
}

Signal pingReturn(Noise& n) {
    Signal s = ping(0.15, 3480, 3470, 1.2, 0.5f);
    Biquad::bandPass(3475, 3.0).apply(s);
    mixInto(s, hiss(n, 1.3, 2500, 4500), 0.0, 0.03f);
    return s;
}

// A ping from far away: the distance takes its edge off.
Signal distantPing(double seconds, double fromHz, double toHz, double tail) {
    Signal s = ping(seconds, fromHz, toHz, tail, 0.8f);
    Biquad::lowPass(fromHz * 1.5).apply(s);
    return s;
}
Signal submarinePing(Noise&) {
    return distantPing(0.5, 2800, 2800, 2.0);
}
Signal surfacePing(Noise&) {
    return distantPing(0.3, 7300, 7700, 1.5);
}

Signal torpedoPing(Noise&) {
    Signal s;
    for (int i = 0; i < 3; ++i) {
        Signal chirp = glide(0.04, 9000, 9500);
        fadeEdges(chirp, 0.003, 0.01);
        mixInto(s, chirp, 0.2 * i);
    }
    reverberate(s, 0.4, 0.3f);
    return s;
}

Signal sonarBackground(Noise& n) {
    const double seconds = 4.0 + kLoopCrossfade;
    Signal sea = hiss(n, seconds, 30, 600);
    mixInto(sea, hiss(n, seconds, 600, 3000), 0.0, 0.25f);
    sea = multiply(sea, wander(n, seconds, 0.5, 0.6f));
    Signal shrimp(samplesIn(seconds), 0.0f); // snapping shrimp crackle
    for (int i = 0; i < 60; ++i)
        mixInto(shrimp, click(n, 4000 + 4000 * n.unit(), 0.0008), n.unit() * (seconds - 0.01),
                0.1f + 0.2f * n.unit());
    mixInto(sea, shrimp, 0.0, 0.4f);
    sea.resize(samplesIn(seconds));
    return sea;
}

// The intercept receiver renders a radar's pulses as a buzz that swells as its beam sweeps by.
Signal esmTone(Noise& n) {
    const double seconds = 2.0 + kLoopCrossfade;
    Signal s(samplesIn(seconds));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double pulse = std::fmod(t * 500.0, 1.0) < 0.15 ? 1.0 : -0.2; // 500 pulses a second
        const double sweep =
            std::exp(-std::pow(std::fmod(t, 1.0) - 0.5, 2) / 0.004); // two sweeps in the loop
        s[i] = static_cast<float>(pulse * (0.15 + 0.85 * sweep));
    }
    Biquad::lowPass(3000).apply(s);
    mixInto(s, hiss(n, seconds, 500, 5000), 0.0, 0.05f);
    return s;
}

Signal periscopeEsmTone(Noise&) {
    const double seconds = 1.0 + kLoopCrossfade;
    Signal s(samplesIn(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        phase += 2 * std::numbers::pi * (1800 + 150 * std::sin(2 * std::numbers::pi * 6 * t)) / kSoundRate;
        const bool on = std::fmod(t, 0.25) < 0.15; // four pulses a second
        s[i] = on ? static_cast<float>(std::sin(phase)) : 0.0f;
    }
    Biquad::lowPass(4000).apply(s);
    return s;
}

Signal probeLaunch(Noise& n) {
    Signal s = thump(150, 0.04);
    mixInto(s, click(n, 1200, 0.01), 0.0, 0.6f);
    Signal whirr = hiss(n, 1.2, 2000, 4500);
    Signal flutter(whirr.size());
    for (std::size_t i = 0; i < flutter.size(); ++i)
        flutter[i] = static_cast<float>(0.6 + 0.4 * std::sin(2 * std::numbers::pi * 30 * i / kSoundRate));
    whirr = multiply(whirr, flutter);
    shape(whirr, 0.05, 0.4);
    mixInto(s, whirr, 0.05, 0.5f);
    return s;
}

const SoundEffect kSonar[] = {
    {"pingout.wav", pingOut},       {"pingret.wav", pingReturn},
    {"subping.wav", submarinePing}, {"surfping.wav", surfacePing},
    {"torpping.wav", torpedoPing},  {"SnrBgnd.wav", sonarBackground, 4.0},
    {"esm.wav", esmTone, 2.0},      {"ScopeEsm.wav", periscopeEsmTone, 1.0},
    {"xbt.wav", probeLaunch},
};

} // namespace

std::span<const SoundEffect> sonarEffects() {
    return kSonar;
}

} // namespace q71::mkdata
