// The boat's own sounds: engine and flow, ballast air, the hull under pressure, launches
// (a compressed-air thump and a whoosh), masts and winches, and the bells.
#include "mkdata/sounds/sound_effects.h"
#include "mkdata/sounds/sound_parts.h"

#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

constexpr double kPi = std::numbers::pi;

// A gain that beats `perSecond` times a second between `1 - depth` and 1, sharp at each beat.
Signal beats(double seconds, double perSecond, float depth) {
    Signal s(samplesIn(seconds));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double c = 0.5 + 0.5 * std::cos(2 * kPi * perSecond * i / kSoundRate);
        s[i] = static_cast<float>(1.0 - depth + depth * std::pow(c, 4));
    }
    return s;
}

Signal engine(Noise& n) {
    const double seconds = 2.0 + kLoopCrossfade;
    Signal s = hiss(n, seconds, 25, 250); // the flow along the hull
    Signal screw = multiply(hiss(n, seconds, 350, 1000), beats(seconds, 4.0, 0.7f));
    mixInto(s, screw, 0.0, 0.6f);
    for (double hz : {110.0, 220.0, 440.0}) // the turbine and its gears
        mixInto(s, sine(seconds, hz), 0.0, static_cast<float>(0.02 * 110 / hz));
    return s;
}

Signal ballastVent(Noise& n) {
    Signal s = hiss(n, 2.0, 500, 3000);
    shape(s, 0.05, 0.6);
    mixInto(s, bubbles(n, 2.0, 60, 300, 900), 0.2, 0.4f);
    return s;
}

Signal emergencyBlow(Noise& n) {
    Signal s = hiss(n, 3.5, 300, 2500);
    mixInto(s, hiss(n, 3.5, 30, 200), 0.0, 0.8f);
    shape(s, 0.1, 1.8);
    saturate(s, 2.0f);
    mixInto(s, bubbles(n, 3.5, 120, 200, 800), 0.3, 0.5f);
    return s;
}

// Steel slipping under load: ever faster pulses ringing in the hull's resonances.
Signal creak(Noise& n, double resonance, double seconds, double fromRate, double toRate) {
    Signal pulses(samplesIn(seconds), 0.0f);
    double t = 0.05;
    while (t < seconds - 0.05) {
        const double rate = fromRate + (toRate - fromRate) * t / seconds;
        mixInto(pulses, click(n, resonance * (0.9 + 0.2 * n.unit()), 0.004), t, 0.5f + 0.5f * n.unit());
        t += 1.0 / rate;
    }
    pulses.resize(samplesIn(seconds));
    Biquad::bandPass(resonance, 6.0).apply(pulses);
    Signal envelope(pulses.size());
    for (std::size_t i = 0; i < envelope.size(); ++i)
        envelope[i] = static_cast<float>(std::sin(kPi * i / envelope.size()));
    reverberate(pulses, 0.6, 0.3f);
    return multiply(pulses, envelope);
}
Signal creak1(Noise& n) {
    return creak(n, 180, 1.6, 25, 70);
}
Signal creak2(Noise& n) {
    return creak(n, 260, 1.2, 40, 20);
}
Signal creak3(Noise& n) {
    return creak(n, 340, 1.8, 15, 60);
}

Signal scrape(Noise& n) {
    Signal s = hiss(n, 2.5, 300, 1800);
    s = multiply(s, wander(n, 2.5, 25, 0.1f));
    mixInto(s, hiss(n, 2.5, 30, 150), 0.0, 0.7f);
    fadeEdges(s, 0.1, 0.6);
    return s;
}

Signal crushDepth(Noise& n) {
    const double seconds = 3.0 + kLoopCrossfade;
    Signal s(samplesIn(seconds), 0.0f);
    for (double at : {0.0, 1.5}) { // the alarm, twice in the loop
        Signal whoop = glide(0.5, 500, 1000);
        saturate(whoop, 3.0f);
        fadeEdges(whoop, 0.01, 0.02);
        mixInto(s, whoop, at, 0.35f);
    }
    Signal groan = glide(seconds, 70, 55);
    saturate(groan, 4.0f);
    Biquad::bandPass(140, 2.0).apply(groan);
    mixInto(s, multiply(groan, wander(n, seconds, 1.5, 0.2f)), 0.0, 1.0f);
    mixInto(s, creak(n, 300, 1.0, 30, 80), 0.9, 0.6f);
    s.resize(samplesIn(seconds));
    return s;
}

// A launch: the compressed-air thump, then the weapon's rush through the water.
Signal launch(Noise& n, double thumpHz, double whooshSeconds, double fromHz, double toHz) {
    Signal s = thump(thumpHz, 0.25);
    Signal air = hiss(n, 0.8, 60, 1500);
    shape(air, 0.005, 0.2);
    mixInto(s, air, 0.0, 0.8f);
    Signal whoosh = hiss(n, whooshSeconds, 100, toHz * 1.2);
    sweepBand(whoosh, fromHz, toHz, 2.0);
    shape(whoosh, whooshSeconds * 0.3, whooshSeconds * 0.3);
    mixInto(s, whoosh, 0.1, 1.2f);
    return s;
}
Signal torpedoFire(Noise& n) {
    return launch(n, 55, 1.4, 300, 2500);
}

Signal countermeasureFire(Noise& n) {
    Signal s = thump(100, 0.05);
    mixInto(s, click(n, 600, 0.01));
    Signal fizz = multiply(hiss(n, 1.6, 2000, 8000), wander(n, 1.6, 40, 0.0f));
    shape(fizz, 0.02, 0.5);
    mixInto(s, fizz, 0.05, 0.6f);
    mixInto(s, bubbles(n, 1.6, 50, 600, 1500), 0.05, 0.3f);
    return s;
}

Signal missileLaunch(Noise& n) {
    Signal s = launch(n, 80, 0.6, 200, 1500);
    Signal roar = hiss(n, 3.0, 40, 1200);
    saturate(roar, 3.0f);
    shape(roar, 0.3, 1.0);
    sweepBand(roar, 900, 250, 0.6); // it climbs away
    mixInto(s, roar, 0.5, 1.5f);
    return s;
}

// Hydraulics raise or lower a mast and stop with a clunk.
Signal hydraulicMast(Noise& n, double fromHz, double toHz) {
    Signal s = motor(n, 3.0, fromHz, toHz);
    mixInto(s, hiss(n, 3.0, 2000, 5000), 0.0, 0.1f);
    fadeEdges(s, 0.2, 0.1);
    scale(s, 0.5f);
    mixInto(s, clunk(n, 120), 3.0);
    return s;
}
Signal periscopeUp(Noise& n) {
    return hydraulicMast(n, 120, 150);
}
Signal periscopeDown(Noise& n) {
    return hydraulicMast(n, 150, 110);
}
Signal snorkelMast(Noise& n) {
    return hydraulicMast(n, 100, 130);
}

// A mast motor running, as a loop of one second.
Signal mastMotor(Noise& n, double hertz) {
    Signal s = motor(n, 1.0 + kLoopCrossfade, hertz, hertz);
    mixInto(s, sine(1.0 + kLoopCrossfade, hertz * 6.5), 0.0, 0.05f); // the gears
    return s;
}
Signal esmMast(Noise& n) {
    return mastMotor(n, 140);
}
Signal radioMast(Noise& n) {
    return mastMotor(n, 110);
}
Signal radarMast(Noise& n) {
    return mastMotor(n, 90);
}
Signal esmMastEnd(Noise& n) {
    return clunk(n, 130);
}
Signal radioMastEnd(Noise& n) {
    return clunk(n, 115);
}
Signal radarMastEnd(Noise& n) {
    return clunk(n, 95);
}

// A winch: its motor and the rattle of the drum, or its strain against the end of the cable.
Signal winch(Noise& n, double hertz, double rattlesPerSecond) {
    const double seconds = 1.0 + kLoopCrossfade;
    Signal s = motor(n, seconds, hertz, hertz);
    Signal rattle(samplesIn(seconds), 0.0f);
    for (double t = 0; t < seconds; t += 1.0 / rattlesPerSecond)
        mixInto(rattle, click(n, 1500, 0.004), t, 0.6f);
    rattle.resize(samplesIn(seconds));
    mixInto(s, rattle, 0.0, 0.5f);
    return s;
}
Signal strainedWinch(Noise& n, double hertz) {
    const double seconds = 1.0 + kLoopCrossfade;
    Signal s = motor(n, seconds, hertz, hertz);
    saturate(s, 4.0f);
    mixInto(s, multiply(hiss(n, seconds, 200, 1200), wander(n, seconds, 15, 0.2f)), 0.0, 0.5f);
    return s;
}
Signal towedArray(Noise& n) {
    return winch(n, 100, 5);
}
Signal towedArrayStuck(Noise& n) {
    return strainedWinch(n, 70);
}
Signal towedArrayEnd(Noise& n) {
    return clunk(n, 100);
}
Signal wire(Noise& n) {
    return winch(n, 180, 8);
}
Signal wireStuck(Noise& n) {
    return strainedWinch(n, 130);
}
Signal wireEnd(Noise& n) {
    return clunk(n, 160);
}

Signal bells(Noise&) {
    Signal s;
    for (double at : {0.0, 0.45})
        mixInto(s, metal(880, {1.0, 2.76, 5.40, 8.93}, 1.2, 2.0), at, 0.5f);
    return s;
}

const SoundEffect kBoat[] = {
    {"engine.wav", engine, 2.0},
    {"bllst.wav", ballastVent},
    {"lowblow.wav", emergencyBlow},
    {"creak1.wav", creak1},
    {"creak2.wav", creak2},
    {"creak3.wav", creak3},
    {"scrape.wav", scrape},
    {"crshdpth.wav", crushDepth, 3.0},
    {"torpfire.wav", torpedoFire},
    {"CMfire.wav", countermeasureFire},
    {"mssllnc1.wav", missileLaunch},
    {"Prscpp.wav", periscopeUp},
    {"Prscpdwn.wav", periscopeDown},
    {"SnorkelMast.wav", snorkelMast},
    {"EsmAnt.wav", esmMast, 1.0},
    {"EsmEnd.wav", esmMastEnd},
    {"RadioAnt.wav", radioMast, 1.0},
    {"RadioEnd.wav", radioMastEnd},
    {"RadarMast.wav", radarMast, 1.0},
    {"RadarEnd.wav", radarMastEnd},
    {"TowedArr.wav", towedArray, 1.0},
    {"TowStuck.wav", towedArrayStuck, 1.0},
    {"TowedEnd.wav", towedArrayEnd},
    {"WireOn.wav", wire, 1.0},
    {"WireStuck.wav", wireStuck, 1.0},
    {"WireEnd.wav", wireEnd},
    {"DingDing.wav", bells},
};

} // namespace

std::span<const SoundEffect> boatEffects() {
    return kBoat;
}

} // namespace q71::mkdata
