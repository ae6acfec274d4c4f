#pragma once
// Standard MIDI files: the header chunk, then one chunk per track of delta-timed events. The
// parser merges the tracks into one list of channel messages timed in microseconds, following
// every tempo change. Everything else (system exclusive data, meta events other than tempo and
// the end of a track) is read past.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71 {

/// One channel message: status 0x80-0xEF and its data bytes (data2 is 0 for one-byte messages).
struct MidiEvent {
    std::uint64_t atMicros = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

struct MidiSong {
    std::vector<MidiEvent> events; ///< in time order; events of one time keep their file order
    std::uint64_t lengthMicros = 0; ///< to the last event or end of track, whichever is later
};

/// The most events a song may hold, against files that would exhaust memory.
inline constexpr std::size_t kMaxMidiEvents = 1 << 21;
/// The longest song, in microseconds: a day.
inline constexpr double kMaxMidiSongMicros = 24.0 * 3600 * 1e6;

/// Reads a file of format 0 or 1 (format 2, a set of separate songs, gives its first track).
/// False with a reason for anything malformed; the song is then left empty.
bool midiParseFile(std::span<const std::uint8_t> bytes, MidiSong& song, std::string& error);

} // namespace q71
