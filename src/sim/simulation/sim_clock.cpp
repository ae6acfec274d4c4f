#include "sim/simulation/sim_clock.h"

#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/time_source.h"

#include <cmath>

namespace q71 {

namespace {
// Beyond these latitudes the sun never climbs far: the whole day is lit as dusk.
constexpr double kPolarLatitude = 72.0;

void updateDayPhase(SimClock& clock) {
    clock.dayPhase = simDayPhaseAt(clock.timeOfDay, missionState().mapOriginLatitude);
}
} // namespace

SimClock& simClock() {
    static SimClock clock;
    return clock;
}

void simResetClock() {
    SimClock& clock = simClock();
    const bool running = clock.running;
    const double lastNetworkClockTime = clock.lastNetworkClockTime;
    const std::uint32_t skyVariant = clock.skyVariant;
    clock = SimClock{};
    clock.running = running;
    clock.lastNetworkClockTime = lastNetworkClockTime;
    clock.skyVariant = skyVariant;
    clock.tickReference = simTickCount();
}

int simSetGameTime(double t) {
    SimClock& clock = simClock();
    clock.gameClock = t;
    clock.clockCopy = t;
    clock.lastStepTime = t;
    clock.lastSecondPassTime = t;
    clock.timeOfDay = t + clock.timeOfDayBase;
    clock.lastFrameStep = 0.0;
    clock.tickReference = simTickCount();
    clock.lastTickLength = 0;
    updateDayPhase(clock);
    return 0;
}

double simGetTimeCompression() {
    return simClock().timeCompression;
}

void simSetTimeCompression(double factor) {
    simClock().timeCompression = factor;
}

void simPause(bool pause) {
    SimClock& clock = simClock();
    if (pause) {
        ++clock.pauseCount;
        clock.lastFrameStep = 0.0;
        return;
    }
    if (--clock.pauseCount < 1) {
        clock.pauseCount = 0;
        clock.tickReference = simTickCount();
    }
}

bool simPeerPause(std::int32_t player, bool pause) {
    SimClock& clock = simClock();
    if (player < 0 || player >= 32)
        return false;
    const std::uint32_t bit = std::uint32_t{1} << player;
    if (((clock.peerPauses & bit) != 0) == pause)
        return false;
    clock.peerPauses ^= bit;
    simPause(pause);
    return true;
}

bool simPeerPaused() {
    return simClock().peerPauses != 0;
}

void simClearPauses() {
    simClock().pauseCount = 0;
    simClock().peerPauses = 0;
}

void simClockTick() {
    SimClock& clock = simClock();
    const std::uint32_t now = simTickCount();
    const std::uint32_t ms = now - clock.tickReference; // unsigned: the counter's wrap is harmless
    clock.tickReference = now;
    clock.lastTickLength = ms;
    const double step = ms * clock.timeCompression * 0.001;
    clock.lastFrameStep = step;
    clock.gameClock += step;
    clock.timeOfDay += step;
    clock.clockCopy = clock.gameClock;
    updateDayPhase(clock);
}

DayStart simDrawDayStart(std::uint32_t code) {
    double start = 0.0; // midnight
    switch (code) {
    case kDayPhaseDay:
        start = 43200.0;
        break;
    case kDayPhaseDusk:
        start = 64800.0;
        break;
    case kDayPhaseDawn:
        start = 21600.0;
        break;
    default:
        break;
    }
    return {start, static_cast<std::uint32_t>(randomNext() % 3)};
}

void simStartDay(const DayStart& day) {
    SimClock& clock = simClock();
    clock.timeOfDay = day.timeOfDay;
    clock.timeOfDayBase = day.timeOfDay;
    clock.skyVariant = day.skyVariant;
    updateDayPhase(clock);
}

void simSetTimeOfDay(std::uint32_t code) {
    simStartDay(simDrawDayStart(code));
}

void simStartRunning() {
    if (missionState().fixedSeedMode())
        randomSeed(1000);
    simClock().running = true;
    if (!missionState().loadedFromSave)
        simSetGameTime(0.0);
}

void simStopRunning() {
    simClock().running = false;
}

std::uint32_t simDayPhaseAt(double timeOfDay, double latitude) {
    if (latitude > kPolarLatitude || latitude < -kPolarLatitude)
        return kDayPhaseDusk;
    const int hour = static_cast<int>(std::fmod(timeOfDay / 3600.0, 24.0));
    if (hour <= 4)
        return kDayPhaseNight;
    if (hour <= 6)
        return kDayPhaseDawn;
    if (hour <= 16)
        return kDayPhaseDay;
    if (hour <= 18)
        return kDayPhaseDusk;
    return kDayPhaseNight;
}

} // namespace q71
