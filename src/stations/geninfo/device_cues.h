#pragma once
// The sounds of the own boat's moving gear, heard from the host every frame: a mast running up or
// down (and its stop), a towed array or the floating wire paying out or reeling in, swelling back
// when its winch runs against the end and then grinding until the winch is stopped.

#include "sim/services/audio_service.h"

#include <array>
#include <cstdint>

namespace q71 {

class OwnShipMotion;

/// The engine's noise at a commanded speed (knots, either way): silent below 1 knot, else louder
/// and faster with speed up to 50 knots.
struct EngineNoise {
    bool on;
    int volume;  ///< 72 to 127
    double rate; ///< playback rate ratio, 0.5 to 1.5
};
EngineNoise engineNoiseAt(double commandedSpeed);

/// A mast's cue state: 0 up, 1 down, 2 damaged or unknown, 3 raising, 4 lowering.
int mastCueState(std::int32_t ordered, double gameTime, double completionTime);
/// A winch's cue state: 0 paying out, 1 reeling in, 2 not fitted, 3 out to the end, 4 in to the end,
/// 5 stopped.
int winchCueState(double length, double maximum, double direction);

struct MastSamples {
    const char* raise;
    const char* lower;
    const char* end; ///< null: none
    bool loop;
};

struct WinchSamples {
    const char* run;
    const char* stuck;
    const char* end;
};

/// One mast's voice.
class MastCue {
public:
    void step(AudioService& audio, const MastSamples& samples, int state);
    void reset(AudioService& audio);

private:
    SoundVoiceId voice_ = 0;
    int last_ = 1;
};

/// One winch's voice; t is the tick count in ms.
class WinchCue {
public:
    void step(AudioService& audio, const WinchSamples& samples, int state, std::uint32_t t);
    void reset(AudioService& audio);
    int volume() const { return volume_; }

private:
    void replace(AudioService& audio, const char* sample, bool loop);
    void keepOrRestart(AudioService& audio, const char* sample);

    SoundVoiceId voice_ = 0;
    int last_ = 5;
    int volume_ = 127;
    std::int64_t rampTime_ = 0;
};

/// The five masts, the P and S arrays and the floating wire.
class DeviceCues {
public:
    void step(AudioService& audio, OwnShipMotion& boat, double gameTime, std::uint32_t tickMs);
    void reset(AudioService& audio);

private:
    std::array<MastCue, 5> masts_{};
    std::array<WinchCue, 3> winches_{};
};

} // namespace q71
