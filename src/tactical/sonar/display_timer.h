#pragma once
// The timer of a sonar display: started at the display's first paint after its page opened and
// killed when the page closes, so that a closed page never draws.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

class DisplayTimer {
public:
    DisplayTimer(std::uintptr_t id, std::uint32_t periodMs) : id_(id), period_(periodMs) {}

    /// Starts the timer on a window unless it runs; true when it was started now.
    bool start(WindowHandle window);
    /// Kills the timer if it runs.
    void stop(WindowHandle window);
    bool running() const { return running_; }
    std::uintptr_t id() const { return id_; }

private:
    std::uintptr_t id_;
    std::uint32_t period_;
    bool running_ = false;
};

} // namespace q71
