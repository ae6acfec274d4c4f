// The music of the generated data set: every track the program names is there and is a song
// of some length that plays from its first beat.
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "platform/midi/midi_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace q71 {
namespace {

std::vector<std::uint8_t> readTrack(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    std::FILE* f = fileOpen(locationDataRoot() + "/midi/" + name, "rb");
    if (!f)
        return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;)
        bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return bytes;
}

TEST(DataSetMusic, EveryNamedTrackIsASongThatLoops) {
    // The main menu's theme (named "prog.mid" and "Prog.mid") and the in-mission rotation.
    for (const char* name : {"prog.mid", "Prog.mid", "Sail.mid", "SAndD.mid", "Mean.mid", "OstiNATO.mid",
                             "Tense.mid", "Manic.mid", "Escort.mid", "Grinder.mid"}) {
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> bytes = readTrack(name);
        ASSERT_FALSE(bytes.empty());
        MidiSong song;
        std::string error;
        ASSERT_TRUE(midiParseFile(bytes, song, error)) << error;
        EXPECT_GE(song.lengthMicros, 30'000'000u);
        EXPECT_LE(song.lengthMicros, 180'000'000u);
        ASSERT_FALSE(song.events.empty());
        bool soundsAtOnce = false;
        for (const MidiEvent& e : song.events)
            soundsAtOnce |= (e.status & 0xF0) == 0x90 && e.atMicros == 0;
        EXPECT_TRUE(soundsAtOnce) << "a loop starts on its first beat";
        EXPECT_LE(song.events.back().atMicros, song.lengthMicros) << "nothing plays past the loop point";
    }
}

} // namespace
} // namespace q71
