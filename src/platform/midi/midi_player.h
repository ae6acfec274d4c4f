#pragma once
// The music player of the platform, in place of a MIDI library: one sequence at a time, played
// by the synthesiser into the sound device's mix, with a master volume. When a sequence comes to
// its end the end handler runs on the mixing thread, which is where it is told to post its
// notification from.

#include "platform/midi/midi_sequencer.h"
#include "platform/midi/midi_synth.h"
#include "platform/sound/sound_device.h"

#include <functional>
#include <memory>
#include <mutex>
#include <span>

namespace q71 {

class MidiPlayer final : public SoundRenderer {
public:
    /// A player for the synthesiser (null: every song plays in silence), not yet on a device.
    explicit MidiPlayer(std::unique_ptr<MidiSynth> synth);
    ~MidiPlayer() override;
    MidiPlayer(const MidiPlayer&) = delete;
    MidiPlayer& operator=(const MidiPlayer&) = delete;

    /// Plays into this device's mix from now on; the device must outlive the player or be left
    /// with detach() first.
    void attach(SoundDevice& device);
    /// Leaves the device; the song no longer advances.
    void detach();
    bool attached() const { return device_ != nullptr; }

    /// Takes a standard MIDI file as the sequence (done, at its start); false when it is malformed.
    bool loadSequence(std::span<const std::uint8_t> file);
    void start();
    void stop();
    void resume();
    void end();
    /// 0 plays for ever, n plays n times.
    void setLoopCount(int count);
    MidiStatus status() const;

    /// Master volume 0-127 (clamped); 127 at first.
    void setMasterVolume(int volume);
    int masterVolume() const;

    /// What runs, on the mixing thread, each time a sequence comes to its end by itself.
    void setEndHandler(std::function<void()> handler);

    void render(std::span<std::int16_t> stereo) override;

private:
    mutable std::mutex mutex_;
    std::unique_ptr<MidiSynth> synth_;
    MidiSequencer sequencer_;
    int volume_ = 127;
    std::function<void()> endHandler_;
    SoundDevice* device_ = nullptr;
};

} // namespace q71
