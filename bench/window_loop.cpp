// The message loop when there is nothing to do, which is most of every frame of the game:
// the cost of one empty pass with 200 windows, and the processor time an idle loop takes over
// ten seconds of real time (the goal is a few per cent of one core).

#include "platform/display/headless_backend.h"
#include "platform/window/default_proc.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include "bench_smoke.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <sys/resource.h>

namespace {

using namespace q71;

// A main window with 9 screens of 21 widgets each, and the timers that widgets keep running.
void buildWindows() {
    classRegister({"BenchWindow", CS_DBLCLKS, windowDefaultProc});
    WindowHandle main = windowCreate(WS_EX_TOPMOST, "BenchWindow", "main",
                                     WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 480, {});
    int count = 1;
    for (int s = 0; s < 9; ++s) {
        WindowHandle screen =
            windowCreate(0, "BenchWindow", "", WS_CHILD | (s == 0 ? WS_VISIBLE : 0) | WS_CLIPCHILDREN, 0, 0,
                         640, 480, main);
        ++count;
        for (int w = 0; w < 21 && count < 200; ++w, ++count) {
            WindowHandle widget = windowCreate(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, (w % 7) * 90,
                                               (w / 7) * 150, 80, 140, screen);
            if (w % 7 == 0)
                timerSet(widget, static_cast<std::uintptr_t>(w + 1), 150);
        }
    }
}

// Runs the program's loop once: a message is dispatched, or the (empty) idle hook runs.
bool loopPass() {
    Message m;
    if (!messagePeek(m, PeekMode::Remove))
        return false;
    messageTranslate(m);
    messageDispatch(m);
    return true;
}

void emptyPassWith200Windows(benchmark::State& state) {
    FakeClock clock;
    HeadlessBackend display;
    WindowSystemSession session(display, clock);
    buildWindows();
    while (loopPass()) {
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(loopPass());
}
BENCHMARK(emptyPassWith200Windows);

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void idleLoopForTenSeconds(benchmark::State& state) {
    SteadyClock clock;
    HeadlessBackend display(true);
    WindowSystemSession session(display, clock);
    buildWindows();
    for (auto _ : state) {
        double cpuBefore = processorSeconds();
        auto start = std::chrono::steady_clock::now();
        long passes = 0;
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(q71::bench::measuredMilliseconds(10000))) {
            loopPass();
            ++passes;
        }
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["cpu_percent_of_one_core"] = 100.0 * (processorSeconds() - cpuBefore) / wall;
        state.counters["passes_per_second"] = static_cast<double>(passes) / wall;
    }
}
BENCHMARK(idleLoopForTenSeconds)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
