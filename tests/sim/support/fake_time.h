#pragma once
// A time source for tests: the tick count and the time of day move only when the test says so.
// Installed for its lifetime; the system's source comes back when it goes.

#include "sim/simulation/time_source.h"

namespace q71::test {

class FakeTimeSource final : public SimTimeSource {
public:
    FakeTimeSource() { simSetTimeSource(this); }
    ~FakeTimeSource() override { simSetTimeSource(nullptr); }
    FakeTimeSource(const FakeTimeSource&) = delete;
    FakeTimeSource& operator=(const FakeTimeSource&) = delete;

    std::uint32_t tickCount() override { return ticks; }
    std::int64_t timeOfDay() override { return seconds; }

    std::uint32_t ticks = 0;
    std::int64_t seconds = 0;
};

} // namespace q71::test
