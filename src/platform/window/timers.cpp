#include "platform/window/timers.h"

#include "platform/window/message_ids.h"
#include "platform/window/window_state.h"

#include <algorithm>
#include <optional>

namespace q71 {
namespace windowing {
namespace {

constexpr std::uint32_t kMinimumPeriodMs = 10;
constexpr std::uint32_t kMaximumPeriodMs = 0x7FFFFFFF;

TimerRecord* findTimer(WindowHandle window, std::uintptr_t id) {
    for (TimerRecord& t : state().timers) {
        if (t.window == window && t.id == id)
            return &t;
    }
    return nullptr;
}

} // namespace

TimerProc timerCallback(WindowHandle window, std::uintptr_t id) {
    TimerRecord* t = findTimer(window, id);
    return t ? t->callback : nullptr;
}

std::optional<std::uint64_t> nextTimerDue() {
    std::optional<std::uint64_t> due;
    for (const TimerRecord& t : state().timers)
        due = due ? std::min(*due, t.dueMs) : t.dueMs;
    return due;
}

bool takeTimerMessage(Message& out, bool remove) {
    State& s = state();
    std::uint64_t now = s.clock.nowMs();
    TimerRecord* earliest = nullptr;
    for (TimerRecord& t : s.timers) {
        if (t.dueMs <= now && (!earliest || t.dueMs < earliest->dueMs))
            earliest = &t;
    }
    if (!earliest)
        return false;
    out = Message{earliest->window,
                  WM_TIMER,
                  earliest->id,
                  reinterpret_cast<LParam>(earliest->callback),
                  static_cast<std::uint32_t>(now),
                  s.cursorPosition};
    // Periods that passed unseen fold into this one message; the next one counts from now.
    if (remove)
        earliest->dueMs = now + earliest->periodMs;
    return true;
}

void killWindowTimers(WindowHandle window) {
    auto& timers = state().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const TimerRecord& t) { return t.window == window; }),
                 timers.end());
}

} // namespace windowing

using namespace windowing;

std::uintptr_t timerSet(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs, TimerProc callback) {
    State& s = state();
    if (window != WindowHandle{} && !findWindow(window))
        return 0;
    std::uint32_t period = std::clamp(periodMs, kMinimumPeriodMs, kMaximumPeriodMs);
    if (window == WindowHandle{} && (id == 0 || !findTimer(window, id))) {
        do {
            id = s.nextThreadTimerId++;
        } while (id == 0 || findTimer(window, id));
    }
    TimerRecord* t = findTimer(window, id);
    if (!t) {
        s.timers.push_back({window, id});
        t = &s.timers.back();
    }
    t->periodMs = period;
    t->dueMs = s.clock.nowMs() + period;
    t->callback = callback;
    return id;
}

bool timerKill(WindowHandle window, std::uintptr_t id) {
    auto& timers = state().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const TimerRecord& t) { return t.window == window && t.id == id; });
    if (it == timers.end())
        return false;
    timers.erase(it);
    return true;
}

std::uint32_t timerTickCount() {
    return static_cast<std::uint32_t>(state().clock.nowMs());
}

} // namespace q71
