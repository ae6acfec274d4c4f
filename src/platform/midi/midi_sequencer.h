#pragma once
// Plays a song on a synthesiser in step with the sound it renders: each render call advances
// the song by exactly the frames it asks for, sending every message that falls due on the frame
// where it falls. So the music keeps the pace of the sound device, real or driven by hand.

#include "platform/midi/midi_file.h"
#include "platform/midi/midi_synth.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// Where a song stands, with the numbers of the music library the game was written against.
enum class MidiStatus : int { Done = 2, Playing = 4, Stopped = 8 };

class MidiSequencer {
public:
    /// The synthesiser may be null: the song then runs its course in silence.
    explicit MidiSequencer(MidiSynth* synth) : synth_(synth) {}

    /// Takes a song, done and at its start.
    void load(MidiSong song);
    /// Plays from the top.
    void start();
    /// Pauses where it stands; notes end.
    void stop();
    /// Plays on from where it was stopped.
    void resume();
    /// Done, back at the start; notes end.
    void end();
    /// How many times the song plays: 0 for ever, n for n times.
    void setLoopCount(int count) { loopCount_ = count < 0 ? 0 : count; }
    MidiStatus status() const { return status_; }

    /// Renders the next frames and advances the song by as many; true when the song came to its
    /// end (its last pass over) during these frames.
    bool render(std::span<std::int16_t> stereo);

private:
    void rewind();
    std::uint64_t frameOf(std::uint64_t micros) const;

    MidiSynth* synth_;
    MidiSong song_;
    std::vector<std::uint64_t> eventFrames_;
    std::uint64_t lengthFrames_ = 0;
    std::size_t next_ = 0;
    std::uint64_t position_ = 0; ///< frames into the current pass
    int loopCount_ = 1;
    int passesDone_ = 0;
    MidiStatus status_ = MidiStatus::Done;
};

} // namespace q71
