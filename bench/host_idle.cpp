// A mission running with the host screen and ship control shown, which is where a player spends a
// mission: the processor time of one pass of the loop (the idle hook, with the world's step and
// the screens' updates, and the paints it queued), as the mean over ten seconds at compression 1
// and at compression 8, and over the passes that stepped the world. The goal is at most 2 ms.
// The program runs on the headless display with the real clock; its screens are drawn as in a
// real window.

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "frontend/frontend_services.h"
#include "multiplayer/mp_session.h"
#include "platform/display/headless_backend.h"
#include "platform/window/clock.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "stations/geninfo/gen_info.h"

#include "bench_data_set.h"
#include "bench_smoke.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/resource.h>

namespace {

using namespace q71;

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

int g_level = 1;
long g_passes = 0;
long g_stepping = 0;
double g_cpuAtStart = 0.0;
double g_cpu = 0.0;

// The loop's idle hook, counted.
int countedIdle() {
    const double stepped = simClock().lastStepTime;
    const int result = appIdleRun();
    ++g_passes;
    if (simClock().lastStepTime != stepped)
        ++g_stepping;
    return result;
}

void endTenSeconds(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    timerKill(WindowHandle{}, id);
    g_cpu = processorSeconds() - g_cpuAtStart;
    messagePostQuit(0);
}

// Once the login stands: the first single mission starts as the selection starts it, the host
// shows ship control at the level asked, and ten seconds are measured.
void script(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    if (!screenGet(kSlotLogin))
        return;
    timerKill(WindowHandle{}, id);
    screenEnterMainMenu();
    missionState().missionMode = kMissionModeSingle;
    missionState().missionIndex = 0;
    simSetupOwnShip(0);
    if (!simStartMission("Sa1.scn", kMissionModeSingle).ok()) {
        messagePostQuit(1);
        return;
    }
    screenCreateGenInfo();
    screenSwitch(kSlotGenInfo);
    auto* host = dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
    for (int i = 1; host && i < g_level; ++i)
        host->onCommand(31, 0);
    appSetIdleHook(countedIdle);
    g_passes = g_stepping = 0;
    g_cpuAtStart = processorSeconds();
    timerSet(WindowHandle{}, 0, static_cast<std::uint32_t>(bench::measuredMilliseconds(10000)), endTenSeconds);
}

void loopPassWithShipControl(benchmark::State& state) {
    if (!bench::haveDataSet(state))
        return;
    for (auto _ : state) {
        g_level = static_cast<int>(state.range(0));
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        SteadyClock clock;
        HeadlessBackend display(true);
        WindowSystemSession session(display, clock);
        frontEndInstallProgram(&mpShellNetwork());
        timerSet(WindowHandle{}, 0, 50, script);
        appWinMain(SW_SHOWDEFAULT);
        state.counters["ms_per_pass"] = g_passes > 0 ? 1000.0 * g_cpu / static_cast<double>(g_passes) : 0.0;
        state.counters["ms_per_stepping_pass"] =
            g_stepping > 0 ? 1000.0 * g_cpu / static_cast<double>(g_stepping) : 0.0;
        state.counters["passes"] = static_cast<double>(g_passes);
    }
}
BENCHMARK(loopPassWithShipControl)->Arg(1)->Arg(8)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
