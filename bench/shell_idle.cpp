// The program waiting in its main menu, which is where a player spends the time between
// missions: the processor time of one idle pass of the loop (the idle hook with the network
// poll, the simulation's step and the screens' updates), and of the whole process over ten
// seconds in the main menu (the goal is a few per cent of one core). The program runs on the
// headless display with the real clock; its screens are drawn as in a real window.

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"

#include "bench_program.h"
#include "bench_smoke.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

using namespace q71;

using bench::processorSeconds;

// What runs once the main menu shows; it ends the program when done.
std::function<void()> inTheMainMenu;

// The benchmark's hand in the loop: once the start-up has made the login, the player goes
// straight to the main menu, with the idle hook that the end of the intro movie installs, and
// then the measurement runs.
void script(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    if (screenCurrentIndex() != kSlotMainMenu) {
        if (screenGet(kSlotLogin)) {
            screenEnterMainMenu();
            appSetIdleHook(appIdleRun);
        }
        return;
    }
    timerKill(WindowHandle{}, id);
    inTheMainMenu();
}

// Runs the whole program until the measurement has ended it; false (and the benchmark skipped)
// when it cannot start.
bool runProgram(benchmark::State& state, std::function<void()> measurement) {
    inTheMainMenu = std::move(measurement);
    return bench::runProgram(state, script);
}

void idlePassInTheMainMenu(benchmark::State& state) {
    runProgram(state, [&state] {
        // The normal idle hook, which the loop calls whenever its queue is empty (the loop's own
        // wait for the next frame is in the ten seconds below).
        for (auto _ : state)
            benchmark::DoNotOptimize(appIdleRun());
        messagePostQuit(0);
    });
}
BENCHMARK(idlePassInTheMainMenu);

// The ten seconds in the main menu: the processor time and the real time they took.
struct TenSeconds {
    double cpuAtStart = 0.0;
    std::chrono::steady_clock::time_point start;
    double cpu = 0.0;
    double wall = 0.0;
} tenSeconds;

void endTenSeconds(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    timerKill(WindowHandle{}, id);
    tenSeconds.cpu = processorSeconds() - tenSeconds.cpuAtStart;
    tenSeconds.wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - tenSeconds.start).count();
    messagePostQuit(0);
}

void processInTheMainMenuForTenSeconds(benchmark::State& state) {
    for (auto _ : state) {
        // The loop goes on as it would for a player; a timer ends the measurement.
        const bool ran = runProgram(state, [] {
            tenSeconds.cpuAtStart = processorSeconds();
            tenSeconds.start = std::chrono::steady_clock::now();
            timerSet(WindowHandle{}, 0, static_cast<std::uint32_t>(bench::measuredMilliseconds(10000)), endTenSeconds);
        });
        if (!ran)
            break;
        state.counters["cpu_percent_of_one_core"] = 100.0 * tenSeconds.cpu / tenSeconds.wall;
    }
}
BENCHMARK(processInTheMainMenuForTenSeconds)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
