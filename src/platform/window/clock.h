#pragma once
// The millisecond clock of timers, message times and the tick count. The window system reads
// time only through this interface, so tests run on a clock they move by hand.

#include <atomic>
#include <chrono>
#include <cstdint>

namespace q71 {

class Clock {
public:
    virtual ~Clock() = default;
    /// Milliseconds since an arbitrary start; never goes back.
    virtual std::uint64_t nowMs() const = 0;
};

/// The real clock (the steady clock of the system).
class SteadyClock final : public Clock {
public:
    std::uint64_t nowMs() const override {
        auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
};

/// A clock that stands still until told to move.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::uint64_t startMs = 0) : now_(startMs) {}
    std::uint64_t nowMs() const override { return now_.load(); }
    /// Moves the clock forward.
    void advance(std::uint64_t ms) { now_ += ms; }

private:
    std::atomic<std::uint64_t> now_;
};

} // namespace q71
