// Mixing 32 simultaneous voices of mixed formats and rates. "x_realtime" is how many seconds of
// sound the mixer makes per second of processor time.
#include "platform/sound/sound_device.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

namespace {

using namespace q71;

void MixThirtyTwoVoicesForOneSecond(benchmark::State& state) {
    SoundDevice device;
    std::vector<std::unique_ptr<SoundBuffer>> voices;
    const WaveFormat formats[] = {waveFormatPcm(22050, 1, 16), waveFormatPcm(11025, 1, 8),
                                  waveFormatPcm(44100, 2, 16), waveFormatPcm(22050, 2, 8)};
    for (int i = 0; i < 32; ++i) {
        const WaveFormat& format = formats[i % 4];
        std::unique_ptr<SoundBuffer> voice;
        const std::uint32_t bytes = format.avgBytesPerSec / 2;
        device.createBuffer({kSoundBufferCtrlFrequency | kSoundBufferCtrlVolume, bytes, &format}, voice);
        SoundLockedRegion region;
        voice->lock(0, 0, region, kSoundLockEntireBuffer);
        for (std::uint32_t b = 0; b < region.bytes1; ++b)
            region.part1[b] = static_cast<std::uint8_t>(128 + 100 * std::sin(b * 0.05 * (i + 1)));
        voice->unlock(region);
        voice->setVolume(-100 * i);
        voice->setFrequency(format.samplesPerSec / 2 +
                            format.samplesPerSec * static_cast<std::uint32_t>(i) / 32);
        voice->play(kSoundPlayLooping);
        voices.push_back(std::move(voice));
    }
    std::vector<std::int16_t> chunk(512 * kSoundMixChannels);
    for (auto _ : state) {
        for (std::uint32_t mixed = 0; mixed < kSoundMixRate; mixed += 512)
            device.mix(chunk);
        benchmark::DoNotOptimize(chunk.data());
    }
    state.counters["x_realtime"] = benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(MixThirtyTwoVoicesForOneSecond)->Unit(benchmark::kMillisecond);

} // namespace
