#include "midi_test_support.h"
#include "platform/midi/midi_sequencer.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// One note from 0 to 0.5 s, another from 0.5 to 1 s: 22,050 frames in all.
MidiSong twoNotes() {
    MidiSong song;
    song.events = {{0, 0x90, 60, 100}, {500000, 0x80, 60, 0}, {500000, 0x90, 62, 100}, {1000000, 0x80, 62, 0}};
    song.lengthMicros = 1000000;
    return song;
}

void renderFrames(MidiSequencer& sequencer, std::size_t frames, int* ends = nullptr) {
    std::vector<std::int16_t> buffer(2 * 1000);
    while (frames > 0) {
        std::size_t n = std::min<std::size_t>(frames, 1000);
        if (sequencer.render(std::span(buffer.data(), n * 2)) && ends)
            ++*ends;
        frames -= n;
    }
}

TEST(MidiSequencing, MessagesGoOutOnTheirFrames) {
    test::RecordingSynth synth;
    MidiSequencer sequencer(&synth);
    sequencer.load(twoNotes());
    EXPECT_EQ(sequencer.status(), MidiStatus::Done);
    sequencer.start();
    EXPECT_EQ(sequencer.status(), MidiStatus::Playing);
    int ends = 0;
    renderFrames(sequencer, 30000, &ends);
    ASSERT_EQ(synth.sent.size(), 4u);
    EXPECT_EQ(synth.sent[0].frame, 0u);
    EXPECT_EQ(synth.sent[1].frame, 11025u);
    EXPECT_EQ(synth.sent[2].frame, 11025u);
    EXPECT_EQ(synth.sent[3].frame, 22050u);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(sequencer.status(), MidiStatus::Done);
}

TEST(MidiSequencing, StopHoldsThePlaceAndResumeGoesOn) {
    test::RecordingSynth synth;
    MidiSequencer sequencer(&synth);
    sequencer.load(twoNotes());
    sequencer.start();
    renderFrames(sequencer, 5000);
    sequencer.stop();
    EXPECT_EQ(sequencer.status(), MidiStatus::Stopped);
    EXPECT_EQ(synth.notesOn, 0) << "the held note ends";
    renderFrames(sequencer, 50000);
    EXPECT_EQ(synth.sent.size(), 1u) << "nothing is sent while stopped";
    sequencer.resume();
    renderFrames(sequencer, 6026); // what falls due on a call's last frame goes out on the next
    ASSERT_EQ(synth.sent.size(), 3u);
    EXPECT_EQ(synth.sent[1].frame, 5000u + 50000 + 6025) << "the song went on from where it stood";
}

TEST(MidiSequencing, LoopCountsAndEndlessLoops) {
    test::RecordingSynth synth;
    MidiSequencer sequencer(&synth);
    sequencer.load(twoNotes());
    sequencer.setLoopCount(2);
    sequencer.start();
    int ends = 0;
    renderFrames(sequencer, 22050 * 2 - 1, &ends);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(synth.sent.size(), 7u);
    EXPECT_EQ(synth.sent[4].frame, 22050u) << "the second pass starts where the first ends";
    renderFrames(sequencer, 10, &ends);
    EXPECT_EQ(synth.sent.size(), 8u);
    EXPECT_EQ(ends, 1);

    sequencer.setLoopCount(0);
    sequencer.start();
    renderFrames(sequencer, 22050 * 10, &ends);
    EXPECT_EQ(ends, 1) << "an endless loop never ends";
    EXPECT_EQ(sequencer.status(), MidiStatus::Playing);
    sequencer.end();
    EXPECT_EQ(sequencer.status(), MidiStatus::Done);
    std::size_t sent = synth.sent.size();
    renderFrames(sequencer, 30000, &ends);
    EXPECT_EQ(synth.sent.size(), sent);
    EXPECT_EQ(ends, 1) << "ending a sequence is not its natural end";
}

TEST(MidiSequencing, ASilentSequencerKeepsTime) {
    MidiSequencer sequencer(nullptr);
    sequencer.load(twoNotes());
    sequencer.start();
    int ends = 0;
    renderFrames(sequencer, 22049, &ends);
    EXPECT_EQ(ends, 0);
    renderFrames(sequencer, 2, &ends);
    EXPECT_EQ(ends, 1);
}

} // namespace
} // namespace q71
