#pragma once
// Standard MIDI files built byte by byte for the tests, and a synthesiser that records what it
// is told and sounds a constant level while any note is on.

#include "platform/midi/midi_synth.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace q71::test {

using MidiBytes = std::vector<std::uint8_t>;

inline void putBigEndian(MidiBytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

/// A track chunk around the given event bytes (deltas included).
inline MidiBytes midiTrack(std::initializer_list<std::uint8_t> events) {
    MidiBytes t = {'M', 'T', 'r', 'k'};
    putBigEndian(t, static_cast<std::uint32_t>(events.size()), 4);
    t.insert(t.end(), events);
    return t;
}

/// A whole file: the header chunk, then the tracks.
inline MidiBytes midiFile(int format, int division, std::initializer_list<MidiBytes> tracks) {
    MidiBytes f = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    putBigEndian(f, static_cast<std::uint32_t>(format), 2);
    putBigEndian(f, static_cast<std::uint32_t>(tracks.size()), 2);
    putBigEndian(f, static_cast<std::uint32_t>(division), 2);
    for (const MidiBytes& t : tracks)
        f.insert(f.end(), t.begin(), t.end());
    return f;
}

struct SentMessage {
    std::uint64_t frame;
    std::uint8_t status, data1, data2;
};

class RecordingSynth final : public MidiSynth {
public:
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        sent.push_back({frame, status, data1, data2});
        if ((status & 0xF0) == 0x90 && data2)
            ++notesOn;
        else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90)
            --notesOn;
    }
    void silence() override {
        ++silenced;
        notesOn = 0;
    }
    void render(std::span<std::int16_t> stereo) override {
        for (std::int16_t& s : stereo)
            s = notesOn > 0 ? 10000 : 0;
        frame += stereo.size() / 2;
    }

    std::vector<SentMessage> sent;
    std::uint64_t frame = 0;
    int notesOn = 0;
    int silenced = 0;
};

} // namespace q71::test
