#include "sim/simulation/time_source.h"

#include <chrono>
#include <ctime>

namespace q71 {

namespace {
class SystemTimeSource final : public SimTimeSource {
public:
    std::uint32_t tickCount() override {
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
