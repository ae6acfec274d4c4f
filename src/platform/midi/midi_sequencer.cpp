#include "platform/midi/midi_sequencer.h"

#include "platform/sound/sound_format.h"

#include <algorithm>

namespace q71 {

std::uint64_t MidiSequencer::frameOf(std::uint64_t micros) const {
    return static_cast<std::uint64_t>(static_cast<double>(micros) * kSoundMixRate / 1e6);
}

void MidiSequencer::load(MidiSong song) {
    if (synth_)
        synth_->silence();
    song_ = std::move(song);
    eventFrames_.clear();
    eventFrames_.reserve(song_.events.size());
    for (const MidiEvent& e : song_.events)
        eventFrames_.push_back(frameOf(e.atMicros));
    lengthFrames_ = std::max<std::uint64_t>(frameOf(song_.lengthMicros), 1);
    rewind();
    status_ = MidiStatus::Done;
}

void MidiSequencer::rewind() {
    next_ = 0;
    position_ = 0;
}

void MidiSequencer::start() {
    if (synth_)
        synth_->silence();
    rewind();
    passesDone_ = 0;
    status_ = MidiStatus::Playing;
}

void MidiSequencer::stop() {
    if (status_ != MidiStatus::Playing)
        return;
    if (synth_)
        synth_->silence();
    status_ = MidiStatus::Stopped;
}

void MidiSequencer::resume() {
    if (status_ == MidiStatus::Stopped)
        status_ = MidiStatus::Playing;
}

void MidiSequencer::end() {
    if (synth_)
        synth_->silence();
    rewind();
    status_ = MidiStatus::Done;
}

bool MidiSequencer::render(std::span<std::int16_t> stereo) {
    bool ended = false;
    std::size_t frames = stereo.size() / 2;
    std::size_t done = 0;
    while (done < frames) {
        std::size_t chunk = frames - done;
        if (status_ == MidiStatus::Playing) {
            while (next_ < song_.events.size() && eventFrames_[next_] <= position_) {
                const MidiEvent& e = song_.events[next_++];
                if (synth_)
                    synth_->send(e.status, e.data1, e.data2);
            }
            if (position_ >= lengthFrames_) {
                ++passesDone_;
                if (loopCount_ == 0 || passesDone_ < loopCount_) {
                    rewind(); // the next pass begins on this very frame
                    continue;
                }
                status_ = MidiStatus::Done;
                rewind();
                ended = true;
                continue;
            }
            std::uint64_t until = lengthFrames_;
            if (next_ < song_.events.size())
                until = std::min(until, eventFrames_[next_]);
            chunk = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, until - position_));
            position_ += chunk;
        }
        // Silence goes on rendering too, so that notes die away after a stop or the end.
        if (synth_)
            synth_->render(stereo.subspan(done * 2, chunk * 2));
        done += chunk;
    }
    return ended;
}

} // namespace q71
