// Any bytes as a wave file: what the reader accepts must play on the mixer without harm.
#include "media/audio/wave_reader.h"
#include "platform/sound/sound_device.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace q71;
    WaveFormat format;
    std::vector<std::uint8_t> data;
    if (waveReadAll(std::vector<std::uint8_t>(bytes, bytes + size), format, data) != WaveError::none)
        return 0;
    SoundDevice device;
    std::unique_ptr<SoundBuffer> buffer;
    const auto length = static_cast<std::uint32_t>(data.size());
    if (device.createBuffer({kSoundBufferCtrlFrequency | kSoundBufferCtrlVolume, length, &format}, buffer) !=
        SoundResult::ok)
        return 0;
    SoundLockedRegion region;
    if (buffer->lock(0, 0, region, kSoundLockEntireBuffer) == SoundResult::ok) {
        std::memcpy(region.part1, data.data(), region.bytes1);
        buffer->unlock(region);
    }
    buffer->play(kSoundPlayLooping);
    std::int16_t out[512];
    device.mix(out);
    return 0;
}
