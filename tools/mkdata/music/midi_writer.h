#pragma once
// Standard MIDI files written from notes and controls placed at absolute ticks.

#include <cstdint>
#include <vector>

namespace q71::mkdata {

/// One track: events are placed in any order and sorted when the track is written.
class MidiTrackWriter {
public:
    void note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length);
    void program(std::uint32_t tick, int channel, int program);
    void controller(std::uint32_t tick, int channel, int controller, int value);
    /// A tempo change in beats per minute (a meta event).
    void tempo(std::uint32_t tick, int beatsPerMinute);
    /// The track's end, where a loop of the song starts again; no event may come after it.
    void end(std::uint32_t tick) { endTick_ = tick; }

    /// The "MTrk" chunk.
    std::vector<std::uint8_t> chunk() const;

private:
    struct Event {
        std::uint32_t tick;
        int order; ///< note-offs before note-ons of the same tick, then the order of placing
        std::vector<std::uint8_t> bytes;
    };
    void add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

    std::vector<Event> events_;
    std::uint32_t endTick_ = 0;
};

/// A format 1 file of the tracks at `ticksPerQuarter`.
std::vector<std::uint8_t> midiFileBytes(const std::vector<MidiTrackWriter>& tracks, int ticksPerQuarter);

} // namespace q71::mkdata
