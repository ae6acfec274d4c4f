#pragma once
// The mixer's view of one playing buffer and the inner loop that adds it to the mix: linear
// interpolation from the buffer's rate to the mix rate, its gain, and the wrap or stop at the
// end. Internal to the sound device.

#include <cstddef>
#include <cstdint>

namespace q71 {

inline constexpr std::int32_t kSoundUnityGain = 1 << 16;

struct SoundPlayback {
    const std::uint8_t* data = nullptr; ///< the buffer's bytes; never reallocated while it lives
    std::uint32_t frames = 0;           ///< whole blocks in the buffer
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 16;
    std::uint32_t frequency = 0; ///< current playback rate in Hz
    std::uint64_t step = 0;      ///< source frames per mixed frame, 32.32 fixed point
    std::int32_t volume = 0;     ///< hundredths of a decibel
    std::int32_t gain = kSoundUnityGain;
    std::uint32_t frame = 0;    ///< the next frame to play
    std::uint32_t fraction = 0; ///< how far past it, in 1/2^32 of a frame
    bool playing = false;
    bool looping = false;
};

/// Linear gain in 16.16 fixed point for a volume in hundredths of a decibel (silence at -10000).
std::int32_t soundGainForVolume(std::int32_t volume);

/// The 32.32 step through the source for one mixed frame at the given playback rate.
std::uint64_t soundStepForFrequency(std::uint32_t hertz);

/// Adds `frames` stereo frames of the playback, scaled by its gain and `masterGain`, to the
/// accumulator (two values per frame) and advances it; a buffer that ends without looping stops
/// and goes back to its start.
void soundMixPlayback(SoundPlayback& playback, std::int32_t* accumulator, std::size_t frames,
                      std::int32_t masterGain);

} // namespace q71
