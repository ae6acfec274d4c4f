#pragma once
// The one game clock of the program: game seconds since the mission started, advanced once
// per main-loop pass from the tick count and the time compression; the running flag; the
// nested pause count; the time of day with its day phase, which the 3-D views light their
// scenes by; and the random sky variant. The whole program reads the clock from simClock().

#include <cstdint>

namespace q71 {

/// Day phases, as the 3-D views and the scenario header's time-of-day codes use them.
enum DayPhase : std::uint32_t {
    kDayPhaseDay = 1,
    kDayPhaseNight = 2,
    kDayPhaseDusk = 3,
    kDayPhaseDawn = 4,
};

struct SimClock {
    double gameClock = 0.0;           ///< game seconds of the mission
    double clockCopy = 0.0;           ///< the game clock as of the last tick (read by displays)
    double timeCompression = 1.0;     ///< game seconds per real second
    std::uint32_t tickReference = 0;  ///< tick count of the last tick
    std::uint32_t lastTickLength = 0; ///< real milliseconds of the last tick
    double lastFrameStep = 0.0;       ///< game seconds added by the last tick
    std::int32_t pauseCount = 0;      ///< nesting depth of pauses; the world steps only at 0
    bool running = false;             ///< a mission is running
    double timeOfDay = 0.0;           ///< seconds since midnight at the mission area; grows without wrapping
    double timeOfDayBase = 0.0;       ///< time of day at game time 0
    std::uint32_t dayPhase = kDayPhaseNight;
    std::uint32_t seaState = 2;        ///< from the scenario header
    std::uint32_t skyVariant = 0;      ///< 0, 1 or 2, drawn per mission
    double lastStepTime = 0.0;         ///< game time up to which the world has been advanced
    double lastSecondPassTime = 0.0;   ///< game time of the last per-second pass
    double lastNetworkClockTime = 0.0; ///< game time the clock was last sent to the peers
    std::uint32_t peerPauses = 0;      ///< bit p: network player p's pause holds in the pause count
};

/// The clock of the program.
SimClock& simClock();

/// Sets every item to its reset value (the running flag and the network clock time excepted).
void simResetClock();

/// Sets the game clock (and its copy, the step times and the time of day with it) to t seconds.
int simSetGameTime(double t);

/// The time-compression factor.
double simGetTimeCompression();

/// Sets the time-compression factor.
void simSetTimeCompression(double factor);

/// Pauses (true) or resumes (false) the world; pauses nest, and the paused time is not counted.
void simPause(bool pause);

/// A network player paused (true) or resumed (false): each player's pause holds once in the pause
/// count however often he repeats it, until he resumes. True when the count changed.
bool simPeerPause(std::int32_t player, bool pause);

/// True while a network player's pause holds.
bool simPeerPaused();

/// Ends every pause, the network players' too (a mission starts or is loaded).
void simClearPauses();

/// Advances the clock by the real time since the last tick times the compression.
void simClockTick();

/// The start of a mission's day: the time of day and the sky variant.
struct DayStart {
    double timeOfDay = 0.0;
    std::uint32_t skyVariant = 0;
};

/// The day a scenario's time-of-day code starts, its sky variant drawn now; the clock is unchanged.
DayStart simDrawDayStart(std::uint32_t code);

/// Starts the clock's day.
void simStartDay(const DayStart& day);

/// Starts the time of day from a scenario's time-of-day code and draws the sky variant.
void simSetTimeOfDay(std::uint32_t code);

/// Sets the running flag; a new mission starts its clock at 0, the first single mission its seed at 1000.
void simStartRunning();

/// Clears the running flag.
void simStopRunning();

/// The day phase at a time of day (seconds) for a map origin at a latitude (degrees).
std::uint32_t simDayPhaseAt(double timeOfDay, double latitude);

} // namespace q71
