#pragma once
// The format of a wave, as wave files and sound buffers carry it (the fields of a PCM
// WAVEFORMATEX). The mixer plays PCM of 8 bits (unsigned) or 16 bits (signed), mono or stereo, at any
// rate from kSoundMinFrequency to kSoundMaxFrequency.

#include <cstdint>

namespace q71 {

inline constexpr std::uint16_t kWaveFormatPcm = 1;
inline constexpr std::uint32_t kSoundMinFrequency = 100;
inline constexpr std::uint32_t kSoundMaxFrequency = 200000;

/// What the device plays: 22,050 Hz, 16-bit, stereo.
inline constexpr std::uint32_t kSoundMixRate = 22050;
inline constexpr std::uint32_t kSoundMixChannels = 2;

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;

    bool operator==(const WaveFormat&) const = default;
};

/// The PCM format of the given shape, with its block alignment and byte rate filled in.
WaveFormat waveFormatPcm(std::uint32_t samplesPerSec, std::uint16_t channels, std::uint16_t bitsPerSample);

/// True when the mixer can play the format: PCM, 1 or 2 channels of 8 or 16 bits, a block
/// alignment that matches them and a rate in the playable range.
bool waveFormatIsPlayable(const WaveFormat& format);

/// The silence byte of the format: 128 for 8-bit samples, 0 otherwise.
std::uint8_t waveFormatSilence(const WaveFormat& format);

} // namespace q71
