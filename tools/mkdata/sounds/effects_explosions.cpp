// Explosions are a low boom with a long rumble (and under water, the gas bubble's pulses);
// implosions crack and groan; a collision clangs.
#include "mkdata/sounds/sound_effects.h"
#include "mkdata/sounds/sound_parts.h"

namespace q71::mkdata {
namespace {

// An underwater blast: the boom, its rumble, and `pulses` ever weaker bubble pulses.
Signal blast(Noise& n, double boomHz, double rumbleSeconds, double brightness, int pulses) {
    Signal s = thump(boomHz, 0.4);
    Signal body = hiss(n, rumbleSeconds, 20, brightness);
    shape(body, 0.01, rumbleSeconds / 4);
    fadeEdges(body, 0.0, rumbleSeconds / 3);
    mixInto(s, body, 0.0, 1.2f);
    Signal rumble = multiply(hiss(n, rumbleSeconds, 15, 120), wander(n, rumbleSeconds, 3, 0.3f));
    shape(rumble, 0.2, rumbleSeconds / 2.5);
    fadeEdges(rumble, 0.0, rumbleSeconds / 2);
    mixInto(s, rumble, 0.05, 1.5f);
    double at = 0.0, gap = 0.5;
    float gain = 0.6f;
    for (int i = 0; i < pulses; ++i) {
        at += gap;
        gap *= 0.7;
        mixInto(s, thump(boomHz * 1.3, 0.15), at, gain);
        gain *= 0.5f;
    }
    saturate(s, 1.5f);
    reverberate(s, 1.5, 0.3f);
    return s;
}
Signal distant1(Noise& n) {
    return blast(n, 45, 3.0, 300, 2);
}
Signal distant2(Noise& n) {
    return blast(n, 55, 2.5, 500, 1);
}
Signal distant3(Noise& n) {
    return blast(n, 38, 3.5, 250, 3);
}

// Our own boat's blast, right here: a crack, the boom overdriven, and debris.
Signal ownBlast(Noise& n) {
    Signal s = blast(n, 50, 4.0, 1200, 2);
    Signal crack = hiss(n, 0.3, 1000, 8000);
    shape(crack, 0.001, 0.05);
    mixInto(s, crack, 0.0, 1.5f);
    mixInto(s, metal(210, {1.0, 2.3, 3.7, 5.9}, 0.8, 3.0), 0.15, 0.3f);
    saturate(s, 3.0f);
    return s;
}

Signal implosion(Noise& n, double groanFrom, double groanTo) {
    Signal s = hiss(n, 0.3, 800, 9000);
    shape(s, 0.001, 0.03);
    Signal groan = glide(1.5, groanFrom, groanTo);
    saturate(groan, 3.0f);
    Biquad::bandPass((groanFrom + groanTo) / 2, 1.5).apply(groan);
    shape(groan, 0.02, 0.6);
    mixInto(s, groan, 0.02, 1.0f);
    Signal collapse = hiss(n, 2.5, 20, 300);
    shape(collapse, 0.05, 0.8);
    fadeEdges(collapse, 0.0, 1.0);
    mixInto(s, collapse, 0.1, 1.2f);
    reverberate(s, 1.2, 0.3f);
    return s;
}
Signal implode1(Noise& n) {
    return implosion(n, 300, 80);
}
Signal implode2(Noise& n) {
    return implosion(n, 420, 110);
}

Signal collision(Noise& n) {
    Signal s = metal(95, {1.0, 2.31, 3.87, 5.12, 7.3}, 1.0, 2.5);
    Signal crash = hiss(n, 0.6, 100, 5000);
    shape(crash, 0.002, 0.12);
    mixInto(s, crash, 0.0, 1.2f);
    Signal grind = multiply(hiss(n, 1.5, 200, 1500), wander(n, 1.5, 20, 0.1f));
    fadeEdges(grind, 0.05, 0.8);
    mixInto(s, grind, 0.2, 0.5f);
    return s;
}

const SoundEffect kExplosions[] = {
    {"explos1.wav", distant1},    {"explos2.wav", distant2},  {"explos3.wav", distant3},
    {"osexpl.wav", ownBlast},     {"implode1.wav", implode1}, {"implode2.wav", implode2},
    {"collision.wav", collision},
};

} // namespace

std::span<const SoundEffect> explosionEffects() {
    return kExplosions;
}

} // namespace q71::mkdata
