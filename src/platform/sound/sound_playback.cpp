#include "platform/sound/sound_playback.h"

#include "platform/sound/sound_format.h"

#include <cmath>
#include <cstring>

namespace q71 {
namespace {

template <int Bits> std::int32_t sampleAt(const std::uint8_t* p) {
    if constexpr (Bits == 8) {
        return (static_cast<std::int32_t>(*p) - 128) << 8;
    } else {
        std::int16_t s;
        std::memcpy(&s, p, sizeof s); // little-endian, like the wave data
        return s;
    }
}

template <int Bits, int Channels>
void mixFrames(SoundPlayback& p, std::int32_t* acc, std::size_t count, std::int32_t gain) {
    constexpr std::uint32_t kBlock = Channels * Bits / 8;
    constexpr std::uint32_t kSampleBytes = Bits / 8;
    const std::uint32_t stepWhole = static_cast<std::uint32_t>(p.step >> 32);
    const std::uint32_t stepFraction = static_cast<std::uint32_t>(p.step);
    for (std::size_t k = 0; k < count; ++k) {
        std::uint32_t next = p.frame + 1;
        if (next >= p.frames)
            next = p.looping ? 0 : p.frame;
        const std::uint8_t* a = p.data + static_cast<std::size_t>(p.frame) * kBlock;
        const std::uint8_t* b = p.data + static_cast<std::size_t>(next) * kBlock;
        const std::int32_t t =
            static_cast<std::int32_t>(p.fraction >> 17); // 15 bits keep the product in range
        std::int32_t left = sampleAt<Bits>(a);
        left += ((sampleAt<Bits>(b) - left) * t) >> 15;
        std::int32_t right = left;
        if constexpr (Channels == 2) {
            right = sampleAt<Bits>(a + kSampleBytes);
            right += ((sampleAt<Bits>(b + kSampleBytes) - right) * t) >> 15;
        }
        acc[2 * k] += (left * gain) >> 16;
        acc[2 * k + 1] += (right * gain) >> 16;

        const std::uint64_t fraction = static_cast<std::uint64_t>(p.fraction) + stepFraction;
        p.fraction = static_cast<std::uint32_t>(fraction);
        p.frame += stepWhole + static_cast<std::uint32_t>(fraction >> 32);
        if (p.frame >= p.frames) {
            if (!p.looping) {
                p.playing = false;
                p.frame = 0;
                p.fraction = 0;
                return;
            }
            p.frame %= p.frames;
        }
    }
}

} // namespace

std::int32_t soundGainForVolume(std::int32_t volume) {
    if (volume <= -10000)
        return 0;
    if (volume >= 0)
        return kSoundUnityGain;
    return static_cast<std::int32_t>(std::lround(std::pow(10.0, volume / 2000.0) * kSoundUnityGain));
}

std::uint64_t soundStepForFrequency(std::uint32_t hertz) {
    return (static_cast<std::uint64_t>(hertz) << 32) / kSoundMixRate;
}

void soundMixPlayback(SoundPlayback& playback, std::int32_t* accumulator, std::size_t frames,
                      std::int32_t masterGain) {
    if (!playback.playing || playback.frames == 0)
        return;
    const std::int32_t gain =
        static_cast<std::int32_t>((static_cast<std::int64_t>(playback.gain) * masterGain) >> 16);
    const bool wide = playback.bitsPerSample == 16;
    const bool stereo = playback.channels == 2;
    if (wide && stereo)
        mixFrames<16, 2>(playback, accumulator, frames, gain);
    else if (wide)
        mixFrames<16, 1>(playback, accumulator, frames, gain);
    else if (stereo)
        mixFrames<8, 2>(playback, accumulator, frames, gain);
    else
        mixFrames<8, 1>(playback, accumulator, frames, gain);
}

} // namespace q71
