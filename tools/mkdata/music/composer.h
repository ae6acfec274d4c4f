#pragma once
// A small composer of looping themes: a chord progression in a mode, played by parts in roles
// (bass, pads, melody, ostinato, arpeggio, percussion), each with its General MIDI instrument.
// The same song description always gives the same notes.

#include "mkdata/music/midi_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q71::mkdata {

enum class Role { Bass, Pad, Melody, Ostinato, Arpeggio, Tremolo, Timpani, Drums };

struct Part {
    Role role;
    int program = 0;   ///< General MIDI instrument (0-127); ignored for drums
    int octave = 4;    ///< the octave the part plays around
    int volume = 100;  ///< channel volume (0-127)
    int pan = 64;      ///< 0 left, 64 centre, 127 right
    int fromBar = 0;   ///< the part comes in at this bar
};

struct Song {
    std::string name;
    int beatsPerMinute = 100;
    int beatsPerBar = 4;
    int tonic = 62;                     ///< MIDI key of the mode's first degree
    std::vector<int> mode;              ///< semitones of the seven degrees above the tonic
    std::vector<int> progression;       ///< the chord's degree (0-6) for each bar, repeated
    int bars = 16;
    std::vector<Part> parts;
};

/// The modes the themes are written in.
extern const std::vector<int> kMinor;
extern const std::vector<int> kMajor;
extern const std::vector<int> kDorian;
extern const std::vector<int> kPhrygian;

/// The song as a standard MIDI file that loops seamlessly from its end to its start.
std::vector<std::uint8_t> composeSong(const Song& song);

} // namespace q71::mkdata
