#include "platform/sound/sound_device.h"

#include "platform/sound/mixer_core.h"
#include "platform/sound/sound_playback.h"

#include <algorithm>
#include <new>

namespace q71 {

SoundDevice::SoundDevice() : core_(std::make_shared<MixerCore>()) {}

SoundDevice::~SoundDevice() {
    output_.reset(); // stop pulling before anything else goes
}

SoundResult SoundDevice::createBuffer(const SoundBufferDesc& desc, std::unique_ptr<SoundBuffer>& buffer) {
    buffer.reset();
    if (desc.flags & kSoundBufferPrimary) {
        if (desc.bytes != 0 || desc.format)
            return SoundResult::invalidParam;
        buffer.reset(new SoundBuffer(core_, desc.flags, {}, nullptr));
        return SoundResult::ok;
    }
    if (!desc.format)
        return SoundResult::invalidParam;
    if (!waveFormatIsPlayable(*desc.format))
        return SoundResult::badFormat;
    if (desc.bytes < std::max<std::uint32_t>(4, desc.format->blockAlign) || desc.bytes > kSoundMaxBufferBytes)
        return SoundResult::invalidParam;
    try {
        auto data = std::make_shared<std::vector<std::uint8_t>>(desc.bytes, waveFormatSilence(*desc.format));
        buffer.reset(new SoundBuffer(core_, desc.flags, *desc.format, std::move(data)));
    } catch (const std::bad_alloc&) {
        return SoundResult::outOfMemory;
    }
    return SoundResult::ok;
}

SoundResult SoundDevice::duplicateBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& buffer) {
    buffer.reset();
    if (original.isPrimary() || original.core_ != core_)
        return SoundResult::invalidCall;
    buffer.reset(new SoundBuffer(core_, original.flags_, original.format_, original.data_));
    std::lock_guard lock(core_->mutex);
    buffer->playback_->volume = original.playback_->volume;
    buffer->playback_->gain = original.playback_->gain;
    buffer->playback_->frequency = original.playback_->frequency;
    buffer->playback_->step = original.playback_->step;
    return SoundResult::ok;
}

void SoundDevice::attachRenderer(SoundRenderer& renderer) {
    std::lock_guard lock(core_->renderMutex);
    if (std::find(core_->renderers.begin(), core_->renderers.end(), &renderer) == core_->renderers.end())
        core_->renderers.push_back(&renderer);
}

void SoundDevice::detachRenderer(SoundRenderer& renderer) {
    std::lock_guard lock(core_->renderMutex);
    std::erase(core_->renderers, &renderer);
}

void SoundDevice::mix(std::span<std::int16_t> stereo) {
    std::lock_guard mixLock(mixMutex_);
    const std::size_t frames = stereo.size() / kSoundMixChannels;
    accumulator_.assign(frames * kSoundMixChannels, 0);
    {
        std::lock_guard lock(core_->mutex);
        for (SoundBuffer* buffer : core_->buffers)
            soundMixPlayback(*buffer->playback_, accumulator_.data(), frames, core_->primaryGain);
        core_->framesMixed += frames;
    }
    {
        // Renderers run outside the buffers' lock, so a slow synthesiser never holds up a caller.
        std::lock_guard lock(core_->renderMutex);
        for (SoundRenderer* renderer : core_->renderers) {
            rendered_.assign(frames * kSoundMixChannels, 0);
            renderer->render(rendered_);
            for (std::size_t i = 0; i < rendered_.size(); ++i)
                accumulator_[i] += rendered_[i];
        }
    }
    for (std::size_t i = 0; i < accumulator_.size(); ++i)
        stereo[i] = static_cast<std::int16_t>(std::clamp(accumulator_[i], -32768, 32767));
    std::fill(stereo.begin() + static_cast<std::ptrdiff_t>(accumulator_.size()), stereo.end(), 0);
}

std::uint64_t SoundDevice::framesMixed() const {
    std::lock_guard lock(core_->mutex);
    return core_->framesMixed;
}

void SoundDevice::setOutput(std::unique_ptr<SoundOutput> output) {
    output_.reset();
    output_ = std::move(output);
}

} // namespace q71
