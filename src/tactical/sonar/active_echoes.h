#pragma once
// The echo picture of the active display, painted row by row behind the ping front as it
// travels out at 774 yards a second: reverberation from the surface and the bottom, the noise
// of the sea, and the echoes the ping row holds. An echo louder than everything round it lets
// the bow array's active-sonar trackers that follow its source report it, and sounds the
// ping's return once per tick.

#include "tactical/sonar/active_state.h"

namespace q71 {

class DisplayNoise;
class LevelDib;
struct SoundSample;

/// What one tick of the echo timer did.
struct EchoTick {
    bool painted = false;      ///< rows were painted: the overlay and label need refreshing
    bool cursorPulled = false; ///< a new scale pulled the cursor range in
    bool frontPassed = false;  ///< the front is beyond the scale
    bool idle = false;         ///< no ping yet
};

class ActiveEchoes {
public:
    ActiveEchoes(ActiveSonarState& state, LevelDib& picture, DisplayNoise& noise)
        : state_(state), picture_(picture), noise_(noise) {}

    /// A transmit: the own boat's depth and the water under it; painting starts again from range 0.
    void transmit();
    /// One tick of the echo timer.
    EchoTick tick();
    /// The sample played when an echo is reported (null: silent).
    void setReturnSound(SoundSample* sample) { returnSound_ = sample; }
    int lowestPainted() const { return lowestPainted_; }

private:
    void paintRow(int y);

    ActiveSonarState& state_;
    LevelDib& picture_;
    DisplayNoise& noise_;
    SoundSample* returnSound_ = nullptr;
    int lowestPainted_ = kActiveBottom;
    bool returnPlayed_ = false;
};

/// The own boat's ping interval word for a scale: the period of repeated pings, 0 for a single ping.
void activeSetPingInterval(const ActiveSonarState& state, double scale);
/// The same, and a repeated ping made due at once (its ping time set back by the interval, which
/// the state remembers until the sonar has sent it).
void activeArmPing(ActiveSonarState& state, double scale);

} // namespace q71
