#include "platform/midi/midi_player.h"

#include <algorithm>

namespace q71 {

MidiPlayer::MidiPlayer(std::unique_ptr<MidiSynth> synth) : synth_(std::move(synth)), sequencer_(synth_.get()) {}

MidiPlayer::~MidiPlayer() { detach(); }

void MidiPlayer::attach(SoundDevice& device) {
    if (device_ == &device)
        return;
    detach();
    device_ = &device;
    device.attachRenderer(*this);
}

void MidiPlayer::detach() {
    if (device_)
        device_->detachRenderer(*this);
    device_ = nullptr;
}

bool MidiPlayer::loadSequence(std::span<const std::uint8_t> file) {
    MidiSong song;
    std::string error;
    if (!midiParseFile(file, song, error))
        return false;
    std::lock_guard lock(mutex_);
    sequencer_.load(std::move(song));
    return true;
}

void MidiPlayer::start() {
    std::lock_guard lock(mutex_);
    sequencer_.start();
}

void MidiPlayer::stop() {
    std::lock_guard lock(mutex_);
    sequencer_.stop();
}

void MidiPlayer::resume() {
    std::lock_guard lock(mutex_);
    sequencer_.resume();
}

void MidiPlayer::end() {
    std::lock_guard lock(mutex_);
    sequencer_.end();
}

void MidiPlayer::setLoopCount(int count) {
    std::lock_guard lock(mutex_);
    sequencer_.setLoopCount(count);
}

MidiStatus MidiPlayer::status() const {
    std::lock_guard lock(mutex_);
    return sequencer_.status();
}

void MidiPlayer::setMasterVolume(int volume) {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(volume, 0, 127);
}

int MidiPlayer::masterVolume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

void MidiPlayer::setEndHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    endHandler_ = std::move(handler);
}

void MidiPlayer::render(std::span<std::int16_t> stereo) {
    std::function<void()> ended;
    {
        std::lock_guard lock(mutex_);
        if (sequencer_.render(stereo))
            ended = endHandler_;
        // The volume scales like the channels' volume controllers: as its square.
        const int gain = volume_ * volume_; // of 127 * 127
        for (std::int16_t& s : stereo)
            s = static_cast<std::int16_t>(s * gain / (127 * 127));
    }
    if (ended)
        ended();
}

} // namespace q71
