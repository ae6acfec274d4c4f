#include "mkdata/sounds/sound_parts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71::mkdata {

Signal click(Noise& noise, double hertz, double decay) {
    Signal burst = noise.signal(decay * 8);
    shape(burst, 0.0005, decay);
    Biquad::bandPass(hertz, 4.0).apply(burst);
    Signal edge = noise.signal(0.002); // the contact itself
    shape(edge, 0.0002, 0.0006);
    mixInto(burst, edge, 0.0, 0.5f);
    return burst;
}

Signal thump(double hertz, double decay) {
    Signal s = glide(decay * 6, hertz, hertz * 0.66);
    shape(s, 0.002, decay);
    return s;
}

Signal hiss(Noise& noise, double seconds, double lowHz, double highHz) {
    Signal s = noise.signal(seconds);
    Biquad::highPass(lowHz).apply(s);
    Biquad::lowPass(highHz).apply(s);
    return s;
}

Signal motor(Noise& noise, double seconds, double fromHz, double toHz) {
    Signal s = glide(seconds, fromHz, toHz);
    for (int harmonic = 2; harmonic <= 5; ++harmonic) {
        Signal h = glide(seconds, fromHz * harmonic, toHz * harmonic);
        mixInto(s, h, 0.0, 0.6f / static_cast<float>(harmonic));
    }
    mixInto(s, hiss(noise, seconds, 600, 4000), 0.0, 0.15f);
    return s;
}

Signal metal(double hertz, std::initializer_list<double> ratios, double decay, double seconds) {
    Signal s(samplesIn(seconds), 0.0f);
    float gain = 1.0f;
    for (double ratio : ratios) {
        Signal partial = sine(seconds, hertz * ratio);
        shape(partial, 0.001, decay / std::sqrt(ratio));
        mixInto(s, partial, 0.0, gain);
        gain *= 0.7f;
    }
    return s;
}

Signal bubbles(Noise& noise, double seconds, int count, double lowHz, double highHz) {
    Signal s(samplesIn(seconds), 0.0f);
    for (int i = 0; i < count; ++i) {
        const double at = noise.unit() * seconds * 0.9;
        const double hz = lowHz + (highHz - lowHz) * noise.unit();
        Signal blip = glide(0.04, hz, hz * 1.6);
        shape(blip, 0.002, 0.012);
        mixInto(s, blip, at, 0.3f + 0.7f * noise.unit());
    }
    s.resize(samplesIn(seconds));
    return s;
}

Signal wander(Noise& noise, double seconds, double hertz, float low) {
    Signal s = noise.signal(seconds);
    Biquad::lowPass(hertz).apply(s);
    Biquad::lowPass(hertz).apply(s);
    float peak = 1e-6f;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    for (float& v : s)
        v = low + (1.0f - low) * (0.5f + 0.5f * v / peak);
    return s;
}

Signal multiply(const Signal& a, const Signal& b) {
    Signal s(std::min(a.size(), b.size()));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = a[i] * b[i];
    return s;
}

Signal clunk(Noise& noise, double hertz) {
    Signal s = thump(hertz, 0.05);
    mixInto(s, click(noise, hertz * 7, 0.01), 0.0, 0.6f);
    mixInto(s, metal(hertz * 4.3, {1.0, 2.41, 3.9}, 0.12, 0.5), 0.005, 0.25f);
    return s;
}

} // namespace q71::mkdata
