#include "mkdata/movies/movie_sounds.h"

#include "mkdata/sounds/sound_parts.h"

#include <cmath>
#include <numbers>

namespace q71::mkdata {

namespace {

// A sawtooth of constant pitch, without aliasing worth hearing at these pitches.
Signal saw(double seconds, double hertz) {
    Signal s(samplesIn(seconds));
    double phase = 0;
    for (float& v : s) {
        v = static_cast<float>(2 * phase - 1);
        phase += hertz / kSoundRate;
        phase -= std::floor(phase);
    }
    Biquad::lowPass(std::min(8000.0, hertz * 12)).apply(s);
    return s;
}

} // namespace

Signal moviePing() {
    Signal s = glide(0.5, 3500, 3500);
    fadeEdges(s, 0.01, 0.15);
    reverberate(s, 3.0, 0.8f);
    return s;
}

Signal drone(double seconds, double hertz, double rise) {
    Signal s = sine(seconds, hertz);
    mixInto(s, sine(seconds, hertz * 1.5), 0, 0.5f);
    mixInto(s, sine(seconds, hertz * 2), 0, 0.25f);
    fadeEdges(s, rise, std::min(1.0, seconds / 3));
    return s;
}

Signal seaWash(Noise& noise, double seconds) {
    Signal s = hiss(noise, seconds, 80, 900);
    mixInto(s, hiss(noise, seconds, 900, 4000), 0, 0.2f);
    s = multiply(s, wander(noise, seconds, 0.3, 0.35f));
    fadeEdges(s, 0.5, 0.5);
    return s;
}

Signal brassChord(std::initializer_list<double> pitches, double seconds) {
    Signal s(samplesIn(seconds), 0.0f);
    for (double hz : pitches) {
        Signal voice = saw(seconds, hz);
        mixInto(voice, saw(seconds, hz * 1.003), 0, 0.6f);
        mixInto(s, voice, 0, 1.0f / static_cast<float>(pitches.size()));
    }
    Biquad::lowPass(2200).apply(s);
    shape(s, 0.06, seconds * 0.8);
    fadeEdges(s, 0.0, 0.08);
    return s;
}

Signal pad(std::initializer_list<double> pitches, double seconds) {
    Signal s(samplesIn(seconds), 0.0f);
    for (double hz : pitches) {
        mixInto(s, saw(seconds, hz * 0.997), 0, 0.5f);
        mixInto(s, saw(seconds, hz * 1.004), 0, 0.5f);
    }
    sweepBand(s, 300, 1400, 0.8);
    fadeEdges(s, seconds * 0.4, seconds * 0.3);
    return s;
}

Signal teletype(Noise& noise, double seconds) {
    Signal s;
    double at = 0;
    while (at < seconds) {
        Signal c = click(noise, 1800 + 900 * noise.unit(), 0.004);
        mixInto(s, c, at, 0.4f + 0.4f * noise.unit());
        at += noise.unit() < 0.15 ? 0.18 : 0.045 + 0.03 * noise.unit(); // now and then the carriage pauses
    }
    mixInto(s, hiss(noise, seconds, 200, 2000), 0, 0.03f);
    return s;
}

Signal torpedoRun(Noise& noise, double seconds) {
    Signal whine = motor(noise, seconds, 220, 420);
    ramp(whine, 0.1f, 1.0f);
    Signal wash = hiss(noise, seconds, 400, 3000);
    ramp(wash, 0.05f, 0.6f);
    mixInto(whine, wash, 0, 0.5f);
    return whine;
}

Signal hullExplosion(Noise& noise) {
    Signal s = thump(45, 0.9);
    mixInto(s, hiss(noise, 4.0, 20, 400), 0, 0.8f);
    Signal rumble = hiss(noise, 4.0, 20, 200);
    shape(rumble, 0.02, 1.4);
    mixInto(s, rumble, 0, 1.0f);
    Signal groan = metal(70, {1.0, 1.41, 2.3, 3.1}, 1.2, 3.5);
    mixInto(s, groan, 0.6, 0.4f);
    mixInto(s, bubbles(noise, 3.5, 60, 200, 900), 0.4, 0.35f);
    saturate(s, 2.0f);
    reverberate(s, 2.5, 0.5f);
    return s;
}

Signal newsJingle() {
    Signal s;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i) {
        Signal n = sine(0.5, notes[i]);
        mixInto(n, sine(0.5, notes[i] * 2), 0, 0.3f);
        shape(n, 0.005, 0.18);
        mixInto(s, n, 0.12 * i, i == 3 ? 1.0f : 0.8f);
    }
    reverberate(s, 0.8, 0.25f);
    return s;
}

void throughBroadcast(Signal& speech) {
    trimSilence(speech, 0.01f, 0.05);
    Biquad::highPass(180).apply(speech);
    Biquad::lowPass(5000).apply(speech);
    normalise(speech);
    saturate(speech, 1.4f);
    normalise(speech);
}

} // namespace q71::mkdata
