#include "media/movie/movie_audio_out.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace q71 {

MovieAudioOut::MovieAudioOut(SoundDevice* device) : device_(device) {}

MovieAudioOut::~MovieAudioOut() { close(); }

bool MovieAudioOut::open() {
    if (!device_)
        return true; // the silent clock needs nothing
    WaveFormat format = waveFormatPcm(22050, 2, 16);
    SoundBufferDesc desc{kSoundBufferCtrlVolume, kMovieAudioBufferBytes, &format};
    if (device_->createBuffer(desc, buffer_) != SoundResult::ok)
        return false;
    return buffer_->play(kSoundPlayLooping) == SoundResult::ok;
}

void MovieAudioOut::startService() {
    if (service_.joinable())
        return;
    stopping_ = false;
    service_ = std::thread([this] {
        while (!stopping_.load()) {
            tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
}

void MovieAudioOut::close() {
    stopping_ = true;
    if (service_.joinable())
        service_.join();
    if (buffer_)
        buffer_->stop();
    buffer_.reset();
}

void MovieAudioOut::queue(std::vector<std::int16_t> block) {
    // A block the buffer could never take would stop the sound, and the pictures with it: such
    // blocks go in pieces of half the buffer.
    constexpr std::size_t kLargest = kMovieAudioBufferBytes / 4; // samples in half the buffer
    std::lock_guard lock(queueLock_);
    for (std::size_t at = 0; at < block.size(); at += kLargest) {
        if (at == 0 && block.size() <= kLargest) {
            blocks_.push_back(std::move(block));
            return;
        }
        auto first = block.begin() + static_cast<std::ptrdiff_t>(at);
        blocks_.emplace_back(first, first + static_cast<std::ptrdiff_t>(std::min(kLargest, block.size() - at)));
    }
}

std::size_t MovieAudioOut::queued() const {
    std::lock_guard lock(queueLock_);
    return blocks_.size();
}

bool MovieAudioOut::playedOut() const { return queued() == 0 && bytesPlayed_.load() >= bytesWritten_.load(); }

void MovieAudioOut::writeAt(std::uint64_t position, const std::uint8_t* bytes, std::uint32_t count) {
    if (!buffer_ || count == 0)
        return;
    SoundLockedRegion region;
    if (buffer_->lock(static_cast<std::uint32_t>(position % kMovieAudioBufferBytes), count, region) !=
        SoundResult::ok)
        return;
    std::memcpy(region.part1, bytes, region.bytes1);
    if (region.part2)
        std::memcpy(region.part2, bytes + region.bytes1, region.bytes2);
    buffer_->unlock(region);
}

void MovieAudioOut::fillSilence(std::uint64_t from, std::uint32_t count) {
    static const std::vector<std::uint8_t> kSilence(kMovieAudioBufferBytes, 0);
    writeAt(from, kSilence.data(), count);
}

void MovieAudioOut::tick() {
    if (inTick_.exchange(true))
        return; // the pass before is still running
    std::uint32_t position;
    if (buffer_) {
        std::uint32_t status = 0;
        buffer_->getStatus(status);
        if ((status & kSoundStatusBufferLost) && buffer_->restore() != SoundResult::ok) {
            lost_ = true;
            inTick_ = false;
            return;
        }
        buffer_->getCurrentPosition(&position, nullptr);
    } else {
        silentPosition_ = (silentPosition_ + kSilentClockStep) % kMovieAudioBufferBytes;
        position = silentPosition_;
    }
    const std::uint64_t played = bytesPlayed_ += (position + kMovieAudioBufferBytes - lastPosition_) % kMovieAudioBufferBytes;
    lastPosition_ = position;
    // Sound that ran dry: writing starts again where playing stands, over silence.
    std::uint64_t written = std::max(bytesWritten_.load(), played);

    for (;;) {
        std::vector<std::int16_t> block;
        {
            std::lock_guard lock(queueLock_);
            std::uint64_t room = kMovieAudioBufferBytes - (written - played);
            if (blocks_.empty() || blocks_.front().size() * 2 > room)
                break;
            block = std::move(blocks_.front());
            blocks_.pop_front();
        }
        std::uint32_t bytes = static_cast<std::uint32_t>(block.size() * 2);
        writeAt(written, reinterpret_cast<const std::uint8_t*>(block.data()), bytes);
        written += bytes;
        ++played_;
    }
    bytesWritten_ = written;
    // What is not yet written plays as silence rather than as the sound of a turn ago.
    fillSilence(written, static_cast<std::uint32_t>(kMovieAudioBufferBytes - (written - played)));
    inTick_ = false;
}

} // namespace q71
