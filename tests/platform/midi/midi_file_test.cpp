#include "midi_test_support.h"
#include "platform/midi/midi_file.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::midiFile;
using test::midiTrack;

TEST(MidiFileParsing, RunningStatusAndDeltaTimes) {
    // 96 ticks per quarter at the default 120 per minute: a tick is 5208.33 microseconds.
    auto file = midiFile(0, 96, {midiTrack({0x00, 0xC0, 0x05,         // program 5
                                            0x00, 0x90, 60, 100,      // note on
                                            0x60, 64, 90,             // 96 ticks later, running status
                                            0x81, 0x40, 0x80, 60, 0,  // 192 ticks later: note off
                                            0x00, 0xFF, 0x2F, 0x00})}); // end of track
    MidiSong song;
    std::string error;
    ASSERT_TRUE(midiParseFile(file, song, error)) << error;
    ASSERT_EQ(song.events.size(), 4u);
    EXPECT_EQ(song.events[0].status, 0xC0);
    EXPECT_EQ(song.events[0].data1, 5);
    EXPECT_EQ(song.events[2].status, 0x90);
    EXPECT_EQ(song.events[2].data1, 64);
    EXPECT_EQ(song.events[2].atMicros, 500000u);
    EXPECT_EQ(song.events[3].atMicros, 1500000u);
    EXPECT_EQ(song.lengthMicros, 1500000u);
}

TEST(MidiFileParsing, TracksMergeUnderTheTempoOfTheFirst) {
    // Track 0 sets 60 per minute after one quarter; track 1 plays a note at 0, 1 and 2 quarters.
    auto file = midiFile(1, 480,
                         {midiTrack({0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, // 480: 1,000,000 per quarter
                                     0x00, 0xFF, 0x2F, 0x00}),
                          midiTrack({0x00, 0x91, 40, 80, 0x83, 0x60, 0x91, 41, 80, 0x83, 0x60, 0x91, 42, 80,
                                     0x00, 0xF0, 0x02, 0x7E, 0xF7, // system exclusive, read past
                                     0x00, 0xFF, 0x01, 0x02, 'h', 'i', 0x00, 0xFF, 0x2F, 0x00})});
    MidiSong song;
    std::string error;
    ASSERT_TRUE(midiParseFile(file, song, error)) << error;
    ASSERT_EQ(song.events.size(), 3u);
    EXPECT_EQ(song.events[0].atMicros, 0u);
    EXPECT_EQ(song.events[1].atMicros, 500000u);
    EXPECT_EQ(song.events[2].atMicros, 1500000u);
}

TEST(MidiFileParsing, FramesPerSecondDivision) {
    // 25 frames of 40 ticks: a tick is a millisecond.
    auto file = midiFile(0, 0xE728, {midiTrack({0x87, 0x68, 0x90, 60, 1, 0x00, 0xFF, 0x2F, 0x00})});
    MidiSong song;
    std::string error;
    ASSERT_TRUE(midiParseFile(file, song, error)) << error;
    EXPECT_EQ(song.events[0].atMicros, 1000000u);
}

TEST(MidiFileParsing, DamagedFilesAreRefusedWithAReason) {
    auto refused = [](const test::MidiBytes& bytes) {
        MidiSong song;
        std::string error;
        bool ok = midiParseFile(bytes, song, error);
        return !ok && !error.empty() && song.events.empty();
    };
    EXPECT_TRUE(refused({'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}));
    EXPECT_TRUE(refused(midiFile(3, 96, {})));
    EXPECT_TRUE(refused(midiFile(0, 0, {})));
    EXPECT_TRUE(refused(midiFile(0, 96, {midiTrack({0x00, 0x90, 60})}))) << "an event cut short";
    EXPECT_TRUE(refused(midiFile(0, 96, {midiTrack({0x00, 60, 100})}))) << "data without a status";
    EXPECT_TRUE(refused(midiFile(0, 96, {midiTrack({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 1, 1})})));
    EXPECT_TRUE(refused(midiFile(0, 96, {midiTrack({0x00, 0xF2, 1, 1})}))) << "a system message";
    EXPECT_TRUE(refused(midiFile(0, 96, {midiTrack({0x00, 0xFF, 0x01, 0x40, 'x'})}))) << "meta past the end";
    auto cut = midiFile(0, 96, {midiTrack({0x00, 0x90, 60, 100})});
    cut.resize(cut.size() - 2);
    EXPECT_TRUE(refused(cut)) << "a track chunk longer than the file";
    // One tick a quarter note of 16.8 s: the longest delta time is 142 years later.
    EXPECT_TRUE(refused(midiFile(0, 1, {midiTrack({0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF, // tempo
                                                   0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100})})))
        << "a song longer than a day";
}

} // namespace
} // namespace q71
