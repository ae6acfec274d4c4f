#include "platform/sound/sound_buffer.h"

#include "platform/sound/mixer_core.h"
#include "platform/sound/sound_playback.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {
// Frames that the mixer may still read past the play position (the interpolation's second
// point and the frame after it), so writers keep off them.
constexpr std::uint32_t kWriteLeadFrames = 2;
} // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<MixerCore> core, std::uint32_t flags, WaveFormat format,
                         std::shared_ptr<std::vector<std::uint8_t>> data)
    : core_(std::move(core)), flags_(flags), format_(std::move(format)), data_(std::move(data)),
      playback_(std::make_unique<SoundPlayback>()) {
    if (isPrimary())
        return;
    SoundPlayback& p = *playback_;
    p.data = data_->data();
    p.frames = static_cast<std::uint32_t>(data_->size() / format_.blockAlign);
    p.channels = format_.channels;
    p.bitsPerSample = format_.bitsPerSample;
    p.frequency = format_.samplesPerSec;
    p.step = soundStepForFrequency(p.frequency);
    std::lock_guard lock(core_->mutex);
    core_->buffers.push_back(this);
}

SoundBuffer::~SoundBuffer() {
    std::lock_guard lock(core_->mutex);
    std::erase(core_->buffers, this);
}

SoundResult SoundBuffer::play(std::uint32_t flags) {
    if (isPrimary())
        return SoundResult::ok; // the primary buffer always mixes
    std::lock_guard lock(core_->mutex);
    playback_->playing = true;
    playback_->looping = (flags & kSoundPlayLooping) != 0;
    return SoundResult::ok;
}

SoundResult SoundBuffer::stop() {
    std::lock_guard lock(core_->mutex);
    playback_->playing = false;
    return SoundResult::ok;
}

SoundResult SoundBuffer::getStatus(std::uint32_t& status) const {
    std::lock_guard lock(core_->mutex);
    const SoundPlayback& p = *playback_;
    status = 0;
    if (p.playing)
        status = kSoundStatusPlaying | (p.looping ? kSoundStatusLooping : 0);
    return SoundResult::ok;
}

SoundResult SoundBuffer::getCurrentPosition(std::uint32_t* play, std::uint32_t* write) const {
    std::lock_guard lock(core_->mutex);
    const SoundPlayback& p = *playback_;
    std::uint32_t playFrame = p.frame;
    std::uint32_t writeFrame = playFrame;
    if (p.playing && p.frames > 0)
        writeFrame = p.looping ? (playFrame + kWriteLeadFrames) % p.frames
                               : std::min(playFrame + kWriteLeadFrames, p.frames - 1);
    if (play)
        *play = playFrame * format_.blockAlign;
    if (write)
        *write = writeFrame * format_.blockAlign;
    return SoundResult::ok;
}

SoundResult SoundBuffer::setVolume(std::int32_t volume) {
    if (!(flags_ & kSoundBufferCtrlVolume))
        return SoundResult::controlUnavailable;
    if (volume < kSoundVolumeMin || volume > kSoundVolumeMax)
        return SoundResult::invalidParam;
    std::lock_guard lock(core_->mutex);
    if (isPrimary()) {
        core_->primaryVolume = volume;
        core_->primaryGain = soundGainForVolume(volume);
    } else {
        playback_->volume = volume;
        playback_->gain = soundGainForVolume(volume);
    }
    return SoundResult::ok;
}

SoundResult SoundBuffer::getVolume(std::int32_t& volume) const {
    if (!(flags_ & kSoundBufferCtrlVolume))
        return SoundResult::controlUnavailable;
    std::lock_guard lock(core_->mutex);
    volume = isPrimary() ? core_->primaryVolume : playback_->volume;
    return SoundResult::ok;
}

SoundResult SoundBuffer::setFrequency(std::uint32_t hertz) {
    if (isPrimary() || !(flags_ & kSoundBufferCtrlFrequency))
        return SoundResult::controlUnavailable;
    if (hertz == kSoundFrequencyOriginal)
        hertz = format_.samplesPerSec;
    if (hertz < kSoundMinFrequency || hertz > kSoundMaxFrequency)
        return SoundResult::invalidParam;
    std::lock_guard lock(core_->mutex);
    playback_->frequency = hertz;
    playback_->step = soundStepForFrequency(hertz);
    return SoundResult::ok;
}

SoundResult SoundBuffer::getFrequency(std::uint32_t& hertz) const {
    if (isPrimary() || !(flags_ & kSoundBufferCtrlFrequency))
        return SoundResult::controlUnavailable;
    std::lock_guard lock(core_->mutex);
    hertz = playback_->frequency;
    return SoundResult::ok;
}

SoundResult SoundBuffer::lock(std::uint32_t offset, std::uint32_t bytes, SoundLockedRegion& region,
                              std::uint32_t flags) {
    region = {};
    if (isPrimary())
        return SoundResult::invalidCall;
    const std::uint32_t size = this->bytes();
    if (flags & kSoundLockFromWriteCursor) {
        if (SoundResult r = getCurrentPosition(nullptr, &offset); r != SoundResult::ok)
            return r;
    }
    if (flags & kSoundLockEntireBuffer)
        bytes = size;
    if (offset >= size || bytes == 0 || bytes > size)
        return SoundResult::invalidParam;
    std::lock_guard lock(core_->mutex);
    if (locked_)
        return SoundResult::invalidCall;
    // The writer gets a copy, handed back by unlock under the lock, so that it never writes
    // into bytes the mixing thread is reading.
    const std::uint32_t first = std::min(bytes, size - offset);
    staging_.resize(bytes);
    std::memcpy(staging_.data(), data_->data() + offset, first);
    std::memcpy(staging_.data() + first, data_->data(), bytes - first);
    locked_ = true;
    lockedOffset_ = offset;
    region.part1 = staging_.data();
    region.bytes1 = first;
    if (bytes > first) {
        region.part2 = staging_.data() + first;
        region.bytes2 = bytes - first;
    }
    return SoundResult::ok;
}

SoundResult SoundBuffer::unlock(const SoundLockedRegion& region) {
    std::lock_guard lock(core_->mutex);
    if (!locked_)
        return SoundResult::invalidCall;
    const std::uint32_t first =
        std::min<std::uint32_t>(static_cast<std::uint32_t>(staging_.size()), bytes() - lockedOffset_);
    if (region.part1 != staging_.data() || region.bytes1 > first || region.bytes2 > staging_.size() - first ||
        (region.bytes2 > 0 && region.part2 != staging_.data() + first))
        return SoundResult::invalidParam;
    std::memcpy(data_->data() + lockedOffset_, staging_.data(), region.bytes1);
    std::memcpy(data_->data(), staging_.data() + first, region.bytes2);
    locked_ = false;
    return SoundResult::ok;
}

SoundResult SoundBuffer::restore() {
    return SoundResult::ok;
}

} // namespace q71
