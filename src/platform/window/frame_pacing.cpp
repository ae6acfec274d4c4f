// The pace of an empty queue. The game's loop never waits by itself: it peeks and, when the queue
// is empty, runs its idle hook, over and over. Here an empty peek either shows the frame that was
// drawn (at most once per display frame) or, when nothing new was drawn, sleeps until input
// arrives, a timer falls due or one display frame has passed. Messages come in the same order
// either way; only the pace changes.

#include "platform/window/window_state.h"

#include <algorithm>

namespace q71::windowing {

void waitWhileIdle() {
    State& s = state();
    ScreenSurface& surface = s.backend.surface();
    auto frame = static_cast<std::uint64_t>(s.backend.frameInterval().count());
    std::uint64_t now = s.clock.nowMs();
    std::uint64_t nextFrame = s.lastPresentMs + frame;
    bool drawn = surface.changed.load(std::memory_order_acquire);
    if (drawn && now >= nextFrame) {
        s.backend.present();
        s.lastPresentMs = now;
        return;
    }
    std::uint64_t until = drawn ? nextFrame : now + frame;
    if (auto due = nextTimerDue())
        until = std::min(until, std::max(*due, now));
    if (until > now)
        s.backend.waitForEvents(std::chrono::milliseconds(until - now));
    now = s.clock.nowMs();
    if (surface.changed.load(std::memory_order_acquire) && now >= s.lastPresentMs + frame) {
        s.backend.present();
        s.lastPresentMs = now;
    }
}

} // namespace q71::windowing
