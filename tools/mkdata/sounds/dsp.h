#pragma once
// The synthesiser's toolkit: mono signals of floats at 22,050 Hz, seeded noise, filters,
// envelopes, a reverberation tail, and the finishing steps every wave of the data set takes
// (peak at -3 dBFS, soft edges, seamless loops).

#include <cstdint>
#include <string>
#include <vector>

namespace q71::mkdata {

inline constexpr int kSoundRate = 22050;

using Signal = std::vector<float>;

/// Samples in a duration.
inline std::size_t samplesIn(double seconds) {
    return static_cast<std::size_t>(seconds * kSoundRate);
}

/// Deterministic white noise: the same seed gives the same sound on every build.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    /// Uniform in [-1, 1).
    float next();
    /// Uniform in [0, 1).
    float unit() { return 0.5f * (next() + 1.0f); }
    /// `seconds` of noise.
    Signal signal(double seconds);

private:
    std::uint32_t state_;
};

/// A seed made from a name, so each sound has noise of its own.
std::uint32_t seedOf(const std::string& name);

/// A second-order filter section.
class Biquad {
public:
    static Biquad lowPass(double hertz, double q = 0.7071);
    static Biquad highPass(double hertz, double q = 0.7071);
    static Biquad bandPass(double hertz, double q); ///< peak gain 1
    /// Takes another filter's coefficients and keeps its own state, for a filter that moves.
    void retune(const Biquad& other);
    float process(float x);
    void apply(Signal& signal);

private:
    static Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

/// A band-pass whose centre moves from `fromHz` to `toHz` over the signal (an exponential glide).
void sweepBand(Signal& signal, double fromHz, double toHz, double q);

/// A sine that glides from `fromHz` to `toHz` (exponentially) with the amplitude 1.
Signal glide(double seconds, double fromHz, double toHz);
/// A sine of constant pitch.
Signal sine(double seconds, double hertz);

/// Multiplies by an attack of `attack` seconds and an exponential decay of time constant `decay`.
void shape(Signal& signal, double attack, double decay);
/// Multiplies by a straight ramp from `from` to `to` over the whole signal.
void ramp(Signal& signal, float from, float to);
/// Linear fades at both ends.
void fadeEdges(Signal& signal, double fadeIn, double fadeOut);

/// Adds `source` times `gain` into `into` from `at` seconds on, growing `into` as needed.
void mixInto(Signal& into, const Signal& source, double at = 0.0, float gain = 1.0f);
/// Scales the signal by a constant.
void scale(Signal& signal, float gain);
/// Soft saturation: tanh of `drive` times the signal, scaled back to the same peak level.
void saturate(Signal& signal, float drive);
/// Adds a reverberation tail of about `seconds` (to -60 dB) at the wet level.
void reverberate(Signal& signal, double seconds, float wet);
/// Removes quiet lead and tail below `threshold`, keeping `margin` seconds at each end.
void trimSilence(Signal& signal, float threshold, double margin);

/// Scales the peak to -3 dBFS.
void normalise(Signal& signal);
/// Makes the end flow into the start: the last `crossfade` seconds are blended over the first.
void makeLoop(Signal& signal, double crossfade);

/// A 16-bit PCM mono wave file of the signal (clipped to full scale).
std::string encodeWave(const Signal& signal);

} // namespace q71::mkdata
