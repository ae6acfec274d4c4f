// Standard MIDI files: the header, track chunks, running status, meta and system exclusive events.
#include "platform/midi/midi_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    q71::MidiSong song;
    std::string error;
    q71::midiParseFile({data, size}, song, error);
    return 0;
}
