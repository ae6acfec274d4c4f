// The synthesiser on FluidSynth. Only this file of the program sees FluidSynth.
#include "platform/midi/midi_synth.h"

#include "platform/sound/sound_format.h"

#include <fluidsynth.h>

#include <filesystem>

namespace q71 {

namespace {

// Where Debian's packages put a General MIDI SoundFont, the one the music was written for first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

class FluidMidiSynth final : public MidiSynth {
public:
    FluidMidiSynth(fluid_settings_t* settings, fluid_synth_t* synth) : settings_(settings), synth_(synth) {}
    ~FluidMidiSynth() override {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }
    FluidMidiSynth(const FluidMidiSynth&) = delete;
    FluidMidiSynth& operator=(const FluidMidiSynth&) = delete;

    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        int channel = status & 0x0F;
        switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            if (data2)
                fluid_synth_noteon(synth_, channel, data1, data2);
            else
                fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
            break;
        default:
            break;
        }
    }

    void silence() override {
        fluid_synth_all_sounds_off(synth_, -1);
        fluid_synth_system_reset(synth_);
    }

    void render(std::span<std::int16_t> stereo) override {
        int frames = static_cast<int>(stereo.size() / 2);
        fluid_synth_write_s16(synth_, frames, stereo.data(), 0, 2, stereo.data(), 1, 2);
    }

private:
    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
};

} // namespace

std::unique_ptr<MidiSynth> midiOpenSynth() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, nullptr, nullptr); // the program writes no diagnostic log
    for (const char* path : kSoundFonts) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            continue;
        fluid_settings_t* settings = new_fluid_settings();
        if (!settings)
            return nullptr;
        fluid_settings_setnum(settings, "synth.sample-rate", kSoundMixRate);
        fluid_settings_setnum(settings, "synth.gain", 0.5);
        fluid_synth_t* synth = new_fluid_synth(settings);
        if (synth && fluid_synth_sfload(synth, path, 1) != FLUID_FAILED)
            return std::make_unique<FluidMidiSynth>(settings, synth);
        if (synth)
            delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    return nullptr;
}

} // namespace q71
