#include "stations/geninfo/device_cues.h"

#include "sim/entities/motion/own_boat_motion.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr int kFull = 127;

// By Mast (ESM, radio, radar, periscope, snorkel).
constexpr std::array<MastSamples, kMastCount> kMastSamples = {{
    {"EsmAnt.wav", "EsmAnt.wav", "EsmEnd.wav", true},
    {"RadioAnt.wav", "RadioAnt.wav", "RadioEnd.wav", true},
    {"RadarMast.wav", "RadarMast.wav", "RadarEnd.wav", true},
    {"Prscpp.wav", "Prscpdwn.wav", nullptr, false},
    {"SnorkelMast.wav", "SnorkelMast.wav", nullptr, false},
}};
constexpr WinchSamples kArraySamples{"TowedArr.wav", "TowStuck.wav", "TowedEnd.wav"};
constexpr WinchSamples kWireSamples{"WireOn.wav", "WireStuck.wav", "WireEnd.wav"};

bool running(int state) {
    return state == 0 || state == 1;
}
bool atEnd(int state) {
    return state == 3 || state == 4;
}
bool idle(int state) {
    return state == 2 || state == 5;
}

void freeVoice(AudioService& audio, SoundVoiceId& voice) {
    if (voice != 0)
        audio.freeVoice(voice);
    voice = 0;
}

SoundVoiceId startVoice(AudioService& audio, const char* sample, bool loop, int volume) {
    const SoundVoiceId voice = audio.playByName(sample, loop, false, true);
    if (voice != 0) {
        audio.setVoiceVolume(voice, volume);
        audio.startVoice(voice);
    }
    return voice;
}

} // namespace

EngineNoise engineNoiseAt(double commandedSpeed) {
    const double v = std::fabs(commandedSpeed);
    if (v < 1.0)
        return {false, 0, 0.0};
    const double x = std::min(v * 0.02, 1.0);
    return {true, static_cast<int>(x * 55.0 + 72.0), x + 0.5};
}

int mastCueState(std::int32_t ordered, double gameTime, double completionTime) {
    const bool moving = gameTime < completionTime;
    if (ordered == kDeviceRaised)
        return moving ? 3 : 0;
    if (ordered == kDeviceLowered)
        return moving ? 4 : 1;
    return 2;
}

int winchCueState(double length, double maximum, double direction) {
    if (length == -1.0)
        return 2;
    if (direction == 1.0)
        return length < maximum ? 0 : 3;
    if (direction == -1.0)
        return length > 0.0 ? 1 : 4;
    return 5;
}

void MastCue::step(AudioService& audio, const MastSamples& samples, int state) {
    const bool settled = state >= 0 && state <= 2;
    const bool lastSettled = last_ >= 0 && last_ <= 2;
    if (settled && !lastSettled) {
        freeVoice(audio, voice_);
        if (samples.end)
            voice_ = startVoice(audio, samples.end, false, kFull);
    } else if (state == 3 || state == 4) {
        const char* sample = state == 3 ? samples.raise : samples.lower;
        if (state != last_) {
            freeVoice(audio, voice_);
            voice_ = startVoice(audio, sample, samples.loop, kFull);
        } else if (samples.loop) {
            if (voice_ == 0)
                voice_ = startVoice(audio, sample, true, kFull);
            else
                audio.setVoiceVolume(voice_, kFull);
        }
    }
    if (voice_ != 0 && !audio.voicePlaying(voice_))
        freeVoice(audio, voice_);
    last_ = state;
}

void MastCue::reset(AudioService& audio) {
    freeVoice(audio, voice_);
    last_ = 1;
}

void WinchCue::replace(AudioService& audio, const char* sample, bool loop) {
    freeVoice(audio, voice_);
    voice_ = startVoice(audio, sample, loop, volume_);
}

void WinchCue::keepOrRestart(AudioService& audio, const char* sample) {
    if (voice_ == 0)
        voice_ = startVoice(audio, sample, true, volume_);
    else
        audio.setVoiceVolume(voice_, volume_);
}

void WinchCue::step(AudioService& audio, const WinchSamples& samples, int state, std::uint32_t t) {
    const std::int64_t now = t;
    if (running(state)) {
        const bool due = state != last_;
        if (due)
            rampTime_ = now;
        volume_ = static_cast<int>(
            std::clamp(static_cast<double>(5000 - (now - rampTime_)) / 4000.0, 0.3, 1.0) * kFull);
        if (due)
            replace(audio, samples.run, true);
        else
            keepOrRestart(audio, samples.run);
    } else if (atEnd(state) && state != last_) {
        // The winch has just come up against the end: the run sound swells back before the stuck one.
        if (running(last_)) {
            const double f = std::clamp((volume_ / 127.0 - 0.3) / 0.7, 0.0, 1.0);
            rampTime_ = now + 1000 + static_cast<std::int64_t>(3000.0 * (1.0 - f));
        } else {
            rampTime_ = 0;
        }
    }
    if (atEnd(state)) {
        bool due = false;
        if (rampTime_ != 0 && rampTime_ > now) {
            volume_ = static_cast<int>(
                std::clamp(static_cast<double>(3000 - (rampTime_ - now - 1000)) / 3000.0, 0.3, 1.0) * kFull);
            if (voice_ != 0)
                audio.setVoiceVolume(voice_, volume_);
        } else {
            due = rampTime_ != 0 || state != last_;
            rampTime_ = 0;
            volume_ = kFull;
            if (due)
                replace(audio, samples.stuck, true);
            else
                keepOrRestart(audio, samples.stuck);
        }
    } else if (idle(state) && !idle(last_)) {
        replace(audio, samples.end, false);
    }
    if (voice_ != 0 && !audio.voicePlaying(voice_))
        freeVoice(audio, voice_);
    last_ = state;
}

void WinchCue::reset(AudioService& audio) {
    freeVoice(audio, voice_);
    last_ = 5;
    volume_ = kFull;
    rampTime_ = 0;
}

void DeviceCues::step(AudioService& audio, OwnShipMotion& boat, double gameTime, std::uint32_t tickMs) {
    for (int m = 0; m < kMastCount; ++m) {
        const TwoPositionDevice& mast = boat.masts[static_cast<std::size_t>(m)];
        masts_[static_cast<std::size_t>(m)].step(audio, kMastSamples[static_cast<std::size_t>(m)],
                                                 mastCueState(mast.state, gameTime, mast.completionTime));
    }
    const TowedArray arrays[2] = {TowedArray::P, TowedArray::S};
    for (int i = 0; i < 2; ++i)
        winches_[static_cast<std::size_t>(i)].step(
            audio, kArraySamples,
            winchCueState(boat.towedArrayLength(arrays[i]), boat.maxArrayLength, boat.towedArrayOrder(arrays[i])),
            tickMs);
    const double wireDirection = boat.wireOrder > 0 ? 1.0 : boat.wireOrder < 0 ? -1.0 : 0.0;
    winches_[2].step(audio, kWireSamples,
                     winchCueState(boat.wireLength, OwnShipMotion::kWireFullLength, wireDirection), tickMs);
}

void DeviceCues::reset(AudioService& audio) {
    for (MastCue& mast : masts_)
        mast.reset(audio);
    for (WinchCue& winch : winches_)
        winch.reset(audio);
}

} // namespace q71
