// A mission running with the host screen and ship control shown, which is where a player spends a
// mission: the processor time of one pass of the loop (the idle hook, with the world's step and
// the screens' updates, and the paints it queued), as the mean over ten seconds at compression 1
// and at compression 8, and over the passes that stepped the world. The goal is at most 2 ms.
// loopPassAtThePeriscope does the same at the periscope station with the periscope raised (each
// pass renders one frame of the optic: render, wash and overlay), from 11 s after the order on.
// The program runs on the headless display with the real clock; its screens are drawn as in a
// real window.

#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/app/shell.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "stations/geninfo/gen_info.h"
#include "tactical/periscope/peri_suite.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/periscope/periscope_screen.h"

#include "bench_program.h"
#include "bench_smoke.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace q71;

using bench::processorSeconds;

int g_level = 1;
int g_station = kStationShipControl;
PeriSuite* g_suite = nullptr;
bool g_opticShown = false;
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
    g_opticShown = g_suite && g_suite->periscope().viewState() == kScopeViewShown;
    messagePostQuit(0);
}

void startTenSeconds(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    if (id != 0)
        timerKill(WindowHandle{}, id);
    g_passes = g_stepping = 0;
    g_cpuAtStart = processorSeconds();
    timerSet(WindowHandle{}, 0, static_cast<std::uint32_t>(bench::measuredMilliseconds(10000)), endTenSeconds);
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
        std::fprintf(stderr, "the mission Sa1.scn did not start\n");
        messagePostQuit(1);
        return;
    }
    screenCreateGenInfo();
    screenSwitch(kSlotGenInfo);
    auto* host = dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
    for (int i = 1; host && i < g_level; ++i)
        host->onCommand(31, 0);
    appSetIdleHook(countedIdle);
    if (host && g_station == kStationPeriscope) {
        host->selectStation(kStationPeriscope);
        g_suite = dynamic_cast<PeriSuite*>(host->child(kStationPeriscope));
        if (g_suite)
            g_suite->periscope().command(kPeriscopeRaiseLower, 2);
        timerSet(WindowHandle{}, 0, 11000, startTenSeconds);
        return;
    }
    startTenSeconds(WindowHandle{}, 0, 0, 0);
}

void loopPass(benchmark::State& state, int station) {
    for (auto _ : state) {
        g_level = static_cast<int>(state.range(0));
        g_station = station;
        if (!bench::runProgram(state, script))
            break;
        state.counters["ms_per_pass"] = g_passes > 0 ? 1000.0 * g_cpu / static_cast<double>(g_passes) : 0.0;
        state.counters["ms_per_stepping_pass"] =
            g_stepping > 0 ? 1000.0 * g_cpu / static_cast<double>(g_stepping) : 0.0;
        state.counters["passes"] = static_cast<double>(g_passes);
        if (station == kStationPeriscope)
            state.counters["optic_shown"] = g_opticShown ? 1.0 : 0.0;
        g_suite = nullptr;
    }
}
void loopPassWithShipControl(benchmark::State& state) {
    loopPass(state, kStationShipControl);
}
BENCHMARK(loopPassWithShipControl)->Arg(1)->Arg(8)->Iterations(1)->Unit(benchmark::kSecond);

void loopPassAtThePeriscope(benchmark::State& state) {
    loopPass(state, kStationPeriscope);
}
BENCHMARK(loopPassAtThePeriscope)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
