#include "sim/simulation/time_source.h"

#include "platform/window/timers.h"
#include "platform/window/window_system.h"

#include <chrono>
#include <ctime>

namespace q71 {

namespace {
class SystemTimeSource final : public SimTimeSource {
public:
    // The window system's tick count when it runs, so that the game clock and the timers keep one
    // time (a headless run moving its clock by hand moves both); the steady clock otherwise.
    std::uint32_t tickCount() override {
        if (windowSystemRunning())
            return timerTickCount();
        auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    std::int64_t timeOfDay() override { return static_cast<std::int64_t>(std::time(nullptr)); }
};

SystemTimeSource systemTimeSource;
SimTimeSource* installedSource = &systemTimeSource;
} // namespace

void simSetTimeSource(SimTimeSource* source) {
    installedSource = source ? source : &systemTimeSource;
}

std::uint32_t simTickCount() {
    return installedSource->tickCount();
}

std::int64_t simTimeOfDaySeconds() {
    return installedSource->timeOfDay();
}

} // namespace q71
