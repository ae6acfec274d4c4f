#pragma once
// Where the simulation reads real time: the millisecond tick count that drives the game
// clock and the time of day that seeds a mission's random sequence. Both come from the
// system (the tick count from the window system's clock while it runs) unless a test or
// benchmark installs its own source, so that runs can be pinned.

#include <cstdint>

namespace q71 {

class SimTimeSource {
public:
    virtual ~SimTimeSource() = default;
    /// Milliseconds since an arbitrary start; wraps after 49.7 days like any 32-bit tick count.
    virtual std::uint32_t tickCount() = 0;
    /// Seconds since 1970 (time(0)).
    virtual std::int64_t timeOfDay() = 0;
};

/// Installs a time source (not owned); null restores the system's.
void simSetTimeSource(SimTimeSource* source);

/// The tick count of the installed source.
std::uint32_t simTickCount();

/// The time of day of the installed source, in seconds since 1970.
std::int64_t simTimeOfDaySeconds();

} // namespace q71
