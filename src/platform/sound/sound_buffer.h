#pragma once
// A sound buffer of the sound device: a block of wave data in its own format that the mixer
// plays once or in a loop, at a volume in hundredths of a decibel and at any frequency. A
// streaming buffer is a looping buffer whose writer refills the part already played, found
// from the play position, through two-part locked writes that wrap around the end.
//
// Results, flags and status bits keep the numbers of the sound interface the game was written
// against, so values from the game's own rules carry over. Every call is safe from any thread.

#include "platform/sound/sound_format.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace q71 {

enum class SoundResult : std::uint32_t {
    ok = 0,
    outOfMemory = 0x8007000E,
    invalidParam = 0x80070057,
    controlUnavailable = 0x8878001E,
    invalidCall = 0x88780032,
    badFormat = 0x88780064,
    bufferLost = 0x88780096, ///< never returned here: our buffers live in memory and cannot be lost
};

// Flags of a buffer description.
inline constexpr std::uint32_t kSoundBufferPrimary = 0x1;
inline constexpr std::uint32_t kSoundBufferStatic = 0x2;
inline constexpr std::uint32_t kSoundBufferCtrlFrequency = 0x20;
inline constexpr std::uint32_t kSoundBufferCtrlPan = 0x40;
inline constexpr std::uint32_t kSoundBufferCtrlVolume = 0x80;
inline constexpr std::uint32_t kSoundBufferGlobalFocus = 0x8000;
inline constexpr std::uint32_t kSoundBufferGetCurrentPosition2 = 0x10000;

// Status bits.
inline constexpr std::uint32_t kSoundStatusPlaying = 0x1;
inline constexpr std::uint32_t kSoundStatusBufferLost = 0x2;
inline constexpr std::uint32_t kSoundStatusLooping = 0x4;

inline constexpr std::uint32_t kSoundPlayLooping = 0x1;

inline constexpr std::uint32_t kSoundLockFromWriteCursor = 0x1;
inline constexpr std::uint32_t kSoundLockEntireBuffer = 0x2;

inline constexpr std::int32_t kSoundVolumeMax = 0;      ///< full level
inline constexpr std::int32_t kSoundVolumeMin = -10000; ///< silence
inline constexpr std::uint32_t kSoundFrequencyOriginal = 0;
inline constexpr std::uint32_t kSoundMaxBufferBytes = 0x0FFFFFFF;

struct SoundBufferDesc {
    std::uint32_t flags = 0;
    std::uint32_t bytes = 0;            ///< 0 for the primary buffer
    const WaveFormat* format = nullptr; ///< none for the primary buffer
};

/// What a lock hands out: the locked bytes up to the end of the buffer, then the rest from its start.
struct SoundLockedRegion {
    std::uint8_t* part1 = nullptr;
    std::uint32_t bytes1 = 0;
    std::uint8_t* part2 = nullptr;
    std::uint32_t bytes2 = 0;
};

struct MixerCore;
struct SoundPlayback;

class SoundBuffer {
public:
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    /// Starts playing from the current position; kSoundPlayLooping plays in a loop.
    SoundResult play(std::uint32_t flags);
    /// Stops where the buffer stands; the next play goes on from there.
    SoundResult stop();
    /// kSoundStatus* bits.
    SoundResult getStatus(std::uint32_t& status) const;
    /// Byte offsets of the next byte to play and of the first byte that is safe to write.
    SoundResult getCurrentPosition(std::uint32_t* play, std::uint32_t* write) const;
    /// Volume in hundredths of a decibel, kSoundVolumeMin (silence) to kSoundVolumeMax.
    SoundResult setVolume(std::int32_t volume);
    SoundResult getVolume(std::int32_t& volume) const;
    /// Playback rate in Hz, kSoundMinFrequency to kSoundMaxFrequency; kSoundFrequencyOriginal restores the
    /// format's.
    SoundResult setFrequency(std::uint32_t hertz);
    SoundResult getFrequency(std::uint32_t& hertz) const;
    /// Locks bytes for writing (offset and size wrap around the end); one lock at a time.
    SoundResult lock(std::uint32_t offset, std::uint32_t bytes, SoundLockedRegion& region,
                     std::uint32_t flags = 0);
    /// Hands written bytes of the region back to the mixer.
    SoundResult unlock(const SoundLockedRegion& region);
    /// Restores a lost buffer; ours are never lost.
    SoundResult restore();

    const WaveFormat& format() const { return format_; }
    std::uint32_t flags() const { return flags_; }
    /// Size in bytes (0 for the primary buffer).
    std::uint32_t bytes() const { return static_cast<std::uint32_t>(data_ ? data_->size() : 0); }

private:
    friend class SoundDevice;
    friend struct MixerCore;

    SoundBuffer(std::shared_ptr<MixerCore> core, std::uint32_t flags, WaveFormat format,
                std::shared_ptr<std::vector<std::uint8_t>> data);
    bool isPrimary() const { return (flags_ & kSoundBufferPrimary) != 0; }

    std::shared_ptr<MixerCore> core_;
    const std::uint32_t flags_;
    const WaveFormat format_;
    const std::shared_ptr<std::vector<std::uint8_t>> data_; ///< shared with duplicates
    std::unique_ptr<SoundPlayback> playback_;               ///< guarded by the core's lock
    std::vector<std::uint8_t> staging_;                     ///< what a lock hands out
    std::uint32_t lockedOffset_ = 0;
    bool locked_ = false;
};

} // namespace q71
