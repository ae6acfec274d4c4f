#pragma once
// What plays MIDI channel messages as sound: FluidSynth with the General MIDI SoundFont, or,
// without a SoundFont, nothing at all.

#include <cstdint>
#include <memory>
#include <span>

namespace q71 {

class MidiSynth {
public:
    virtual ~MidiSynth() = default;
    /// Plays one channel message (status 0x80-0xEF).
    virtual void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    /// Ends every note on every channel and sets the controllers back.
    virtual void silence() = 0;
    /// Writes the next interleaved stereo frames of sound at the mix rate.
    virtual void render(std::span<std::int16_t> stereo) = 0;
};

/// FluidSynth on the first General MIDI SoundFont found (Debian's TimGM6mb first), rendering at
/// the sound device's rate; null when no SoundFont can be loaded.
std::unique_ptr<MidiSynth> midiOpenSynth();

} // namespace q71
