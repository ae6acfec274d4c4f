#include "mkdata/sounds/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr float kPeak = 0.7079f; // -3 dBFS

void put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, static_cast<std::uint16_t>(v & 0xffff));
    put16(s, static_cast<std::uint16_t>(v >> 16));
}

// One comb filter of the reverberation, with damping in its loop.
class Comb {
public:
    Comb(std::size_t delay, float feedback) : line_(delay), feedback_(feedback) {}
    float process(float x) {
        const float out = line_[at_];
        damped_ = out * 0.7f + damped_ * 0.3f;
        line_[at_] = x + damped_ * feedback_;
        at_ = (at_ + 1) % line_.size();
        return out;
    }

private:
    std::vector<float> line_;
    float feedback_;
    float damped_ = 0;
    std::size_t at_ = 0;
};

class AllPass {
public:
    explicit AllPass(std::size_t delay) : line_(delay) {}
    float process(float x) {
        const float delayed = line_[at_];
        const float out = delayed - 0.5f * x;
        line_[at_] = x + 0.5f * delayed;
        at_ = (at_ + 1) % line_.size();
        return out;
    }

private:
    std::vector<float> line_;
    std::size_t at_ = 0;
};

} // namespace

float Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

Signal Noise::signal(double seconds) {
    Signal s(samplesIn(seconds));
    for (float& v : s)
        v = next();
    return s;
}

std::uint32_t seedOf(const std::string& name) {
    std::uint32_t h = 2166136261u; // FNV-1a
    for (unsigned char c : name)
        h = (h ^ c) * 16777619u;
    return h;
}

// The cookbook filters share their angle and bandwidth terms.
struct FilterTerms {
    FilterTerms(double hertz, double q)
        : c(std::cos(kTwoPi * hertz / kSoundRate)), alpha(std::sin(kTwoPi * hertz / kSoundRate) / (2 * q)) {}
    double c, alpha;
};

Biquad Biquad::normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0_ = b0 / a0;
    f.b1_ = b1 / a0;
    f.b2_ = b2 / a0;
    f.a1_ = a1 / a0;
    f.a2_ = a2 / a0;
    return f;
}

Biquad Biquad::lowPass(double hertz, double q) {
    const FilterTerms t(hertz, q);
    return normalised((1 - t.c) / 2, 1 - t.c, (1 - t.c) / 2, 1 + t.alpha, -2 * t.c, 1 - t.alpha);
}

Biquad Biquad::highPass(double hertz, double q) {
    const FilterTerms t(hertz, q);
    return normalised((1 + t.c) / 2, -(1 + t.c), (1 + t.c) / 2, 1 + t.alpha, -2 * t.c, 1 - t.alpha);
}

Biquad Biquad::bandPass(double hertz, double q) {
    const FilterTerms t(hertz, q);
    return normalised(t.alpha, 0, -t.alpha, 1 + t.alpha, -2 * t.c, 1 - t.alpha);
}

void Biquad::retune(const Biquad& other) {
    b0_ = other.b0_;
    b1_ = other.b1_;
    b2_ = other.b2_;
    a1_ = other.a1_;
    a2_ = other.a2_;
}

float Biquad::process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

void Biquad::apply(Signal& signal) {
    for (float& v : signal)
        v = process(v);
}

void sweepBand(Signal& signal, double fromHz, double toHz, double q) {
    constexpr std::size_t kBlock = 32;
    // The filter state carries over from block to block; only the coefficients move.
    Biquad filter = Biquad::bandPass(fromHz, q);
    for (std::size_t start = 0; start < signal.size(); start += kBlock) {
        const double t = static_cast<double>(start) / std::max<std::size_t>(signal.size(), 1);
        filter.retune(Biquad::bandPass(fromHz * std::pow(toHz / fromHz, t), q));
        for (std::size_t i = start; i < std::min(signal.size(), start + kBlock); ++i)
            signal[i] = filter.process(signal[i]);
    }
}

Signal glide(double seconds, double fromHz, double toHz) {
    Signal s(samplesIn(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(s.size());
        phase += kTwoPi * fromHz * std::pow(toHz / fromHz, t) / kSoundRate;
        s[i] = static_cast<float>(std::sin(phase));
    }
    return s;
}

Signal sine(double seconds, double hertz) {
    return glide(seconds, hertz, hertz);
}

void shape(Signal& signal, double attack, double decay) {
    const std::size_t rise = samplesIn(attack);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double up = i < rise ? static_cast<double>(i) / static_cast<double>(rise) : 1.0;
        const double down = i < rise ? 1.0 : std::exp(-(t - attack) / decay);
        signal[i] *= static_cast<float>(up * down);
    }
}

void ramp(Signal& signal, float from, float to) {
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] *= from + (to - from) * static_cast<float>(i) / static_cast<float>(signal.size());
}

void fadeEdges(Signal& signal, double fadeIn, double fadeOut) {
    const std::size_t in = std::min(samplesIn(fadeIn), signal.size());
    const std::size_t out = std::min(samplesIn(fadeOut), signal.size());
    for (std::size_t i = 0; i < in; ++i)
        signal[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

void mixInto(Signal& into, const Signal& source, double at, float gain) {
    const std::size_t offset = samplesIn(at);
    if (into.size() < offset + source.size())
        into.resize(offset + source.size(), 0.0f);
    for (std::size_t i = 0; i < source.size(); ++i)
        into[offset + i] += source[i] * gain;
}

void scale(Signal& signal, float gain) {
    for (float& v : signal)
        v *= gain;
}

void saturate(Signal& signal, float drive) {
    float peak = 0;
    for (float v : signal)
        peak = std::max(peak, std::fabs(v));
    if (peak == 0)
        return;
    const float back = peak / std::tanh(drive);
    for (float& v : signal)
        v = std::tanh(drive * v / peak) * back;
}

void reverberate(Signal& signal, double seconds, float wet) {
    const std::size_t delays[] = {557, 593, 641, 677};
    std::vector<Comb> combs;
    for (std::size_t d : delays) // feedback for a fall of 60 dB in `seconds`
        combs.emplace_back(d, static_cast<float>(std::pow(10.0, -3.0 * d / (seconds * kSoundRate))));
    AllPass first(113), second(277);
    signal.resize(signal.size() + samplesIn(seconds), 0.0f);
    for (float& v : signal) {
        float sum = 0;
        for (Comb& c : combs)
            sum += c.process(v);
        v += wet * second.process(first.process(sum * 0.25f));
    }
}

void trimSilence(Signal& signal, float threshold, double margin) {
    auto loud = [&](float v) { return std::fabs(v) > threshold; };
    auto first = std::find_if(signal.begin(), signal.end(), loud);
    if (first == signal.end()) {
        signal.clear();
        return;
    }
    auto last = std::find_if(signal.rbegin(), signal.rend(), loud).base();
    const auto keep = static_cast<std::ptrdiff_t>(samplesIn(margin));
    first -= std::min(keep, first - signal.begin());
    last += std::min(keep, signal.end() - last);
    signal = Signal(first, last);
}

void normalise(Signal& signal) {
    float peak = 0;
    for (float v : signal)
        peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        scale(signal, kPeak / peak);
}

void makeLoop(Signal& signal, double crossfade) {
    const std::size_t n = std::min(samplesIn(crossfade), signal.size() / 2);
    const std::size_t kept = signal.size() - n;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (static_cast<double>(i) + 0.5) / static_cast<double>(n);
        // Equal power: noise keeps its level through the blend.
        signal[i] = static_cast<float>(signal[i] * std::sin(t * std::numbers::pi / 2) +
                                       signal[kept + i] * std::cos(t * std::numbers::pi / 2));
    }
    signal.resize(kept);
}

std::string encodeWave(const Signal& signal) {
    std::string data;
    data.reserve(signal.size() * 2);
    for (float v : signal)
        put16(data, static_cast<std::uint16_t>(
                        static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767))));
    std::string wave = "RIFF";
    put32(wave, static_cast<std::uint32_t>(36 + data.size()));
    wave += "WAVEfmt ";
    put32(wave, 16);
    put16(wave, 1); // PCM
    put16(wave, 1); // mono
    put32(wave, kSoundRate);
    put32(wave, kSoundRate * 2); // bytes a second
    put16(wave, 2);              // block
    put16(wave, 16);             // bits
    wave += "data";
    put32(wave, static_cast<std::uint32_t>(data.size()));
    return wave + data;
}

} // namespace q71::mkdata
