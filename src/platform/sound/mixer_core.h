#pragma once
// State of a sound device shared with its buffers, so that a buffer outliving its device
// stays harmless (it is simply never mixed again). Internal to the sound device.

#include <cstdint>
#include <mutex>
#include <vector>

namespace q71 {

class SoundBuffer;
class SoundRenderer;

struct MixerCore {
    std::mutex mutex; ///< guards everything below and the playback state of every buffer
    std::vector<SoundBuffer*> buffers;
    std::int32_t primaryVolume = 0;
    std::int32_t primaryGain = 1 << 16;
    std::uint64_t framesMixed = 0;

    std::mutex renderMutex; ///< held while renderers run, so that detaching waits for them
    std::vector<SoundRenderer*> renderers;
};

} // namespace q71
