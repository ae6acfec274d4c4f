#pragma once
// The whole program run by a benchmark that measures it from inside its own loop: on a display
// with the real clock (the headless one draws its screens as a real window would), without sound,
// the benchmark's script called by a timer every 50 ms from the start until it kills that timer,
// and the process's processor time to measure with.

#include "framework/app/shell.h"
#include "frontend/frontend_services.h"
#include "multiplayer/mp_session.h"
#include "platform/display/headless_backend.h"
#include "platform/window/clock.h"
#include "platform/window/timers.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include "bench_data_set.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/resource.h>

namespace q71::bench {

/// The processor time of the process so far, user and system, in seconds.
inline double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// Runs the program on a display until something posts the quit; false (and the benchmark
/// skipped) when the data set is missing or the program ended with an error, which it has said
/// on stderr.
inline bool runProgramOn(benchmark::State& state, DisplayBackend& display, TimerProc script) {
    if (!haveDataSet(state))
        return false;
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SteadyClock clock;
    WindowSystemSession session(display, clock);
    frontEndInstallProgram(&mpShellNetwork());
    timerSet(WindowHandle{}, 0, 50, script);
    if (appWinMain(SW_SHOWDEFAULT) == 0)
        return true;
    state.SkipWithError("the program ended with an error (its message is above)");
    return false;
}

/// The same on the headless display with the real clock.
inline bool runProgram(benchmark::State& state, TimerProc script) {
    HeadlessBackend display(true);
    return runProgramOn(state, display, script);
}

} // namespace q71::bench
