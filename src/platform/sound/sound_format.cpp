#include "platform/sound/sound_format.h"

namespace q71 {

WaveFormat waveFormatPcm(std::uint32_t samplesPerSec, std::uint16_t channels, std::uint16_t bitsPerSample) {
    WaveFormat format;
    format.formatTag = kWaveFormatPcm;
    format.channels = channels;
    format.samplesPerSec = samplesPerSec;
    format.bitsPerSample = bitsPerSample;
    format.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    format.avgBytesPerSec = samplesPerSec * format.blockAlign;
    return format;
}

bool waveFormatIsPlayable(const WaveFormat& format) {
    return format.formatTag == kWaveFormatPcm && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.blockAlign == format.channels * format.bitsPerSample / 8 &&
           format.samplesPerSec >= kSoundMinFrequency && format.samplesPerSec <= kSoundMaxFrequency;
}

std::uint8_t waveFormatSilence(const WaveFormat& format) {
    return format.bitsPerSample == 8 ? 128 : 0;
}

} // namespace q71
