#pragma once
// The sound device: a software mixer that plays every sound buffer into one stream of
// kSoundMixRate Hz, 16-bit stereo. Something must pull the stream with mix(): the machine's
// audio output (soundOpenDefaultDevice), a silent clock when there is no audio output, or, in
// tests, the test itself, which so advances the device's clock by hand.
//
// Buffers are made by the device and may outlive it: they then stay silent. Renderers (the
// music synthesiser) add their own stereo output to the mix.

#include "platform/sound/sound_buffer.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace q71 {

/// A source that writes its own stereo frames into the mix, called on the mixing thread.
class SoundRenderer {
public:
    virtual ~SoundRenderer() = default;
    /// Fills `stereo` (interleaved left and right, zeroed before the call) with the next frames.
    virtual void render(std::span<std::int16_t> stereo) = 0;
};

/// Whatever pulls the mix out of a device; destroying it stops the pulling.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
};

class SoundDevice {
public:
    SoundDevice();
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    /// Makes a buffer: the primary buffer (kSoundBufferPrimary, no size, no format), whose volume
    /// scales every other buffer, or a buffer of `bytes` bytes of silence in a playable format.
    SoundResult createBuffer(const SoundBufferDesc& desc, std::unique_ptr<SoundBuffer>& buffer);
    /// A second buffer on the same data, with its own position, volume and frequency.
    SoundResult duplicateBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& buffer);

    /// Adds a renderer to the mix; it must be detached before it is destroyed.
    void attachRenderer(SoundRenderer& renderer);
    /// Removes a renderer; once this returns, it is never called again.
    void detachRenderer(SoundRenderer& renderer);

    /// Mixes the next frames into `stereo` (interleaved, two values per frame) and advances
    /// every playing buffer by as much.
    void mix(std::span<std::int16_t> stereo);
    /// Frames mixed since the device was made: the device's clock.
    std::uint64_t framesMixed() const;

    /// Gives the device the output that pulls it (see soundOpenDefaultDevice).
    void setOutput(std::unique_ptr<SoundOutput> output);

private:
    std::shared_ptr<MixerCore> core_;
    std::mutex mixMutex_; ///< one mix at a time
    std::vector<std::int32_t> accumulator_;
    std::vector<std::int16_t> rendered_;
    std::unique_ptr<SoundOutput> output_;
};

/// The device on the machine's audio output, or, when none can be opened, on a silent output
/// that pulls the mix in real time, so that sounds still end when they would have.
std::unique_ptr<SoundDevice> soundOpenDefaultDevice();

/// A device on the silent output alone: it plays into nothing at the pace of real time.
std::unique_ptr<SoundDevice> soundOpenSilentDevice();

} // namespace q71
