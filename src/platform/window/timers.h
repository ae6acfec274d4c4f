#pragma once
// Timers: WM_TIMER after each period, made by the queue only when nothing else is pending and
// never more than one pending per timer. Periods below 10 ms run at 10 ms.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

/// Starts or restarts a timer. A window timer is known by (window, id) and the id is returned;
/// a timer without window gets a fresh id unless id names one of them, which is restarted.
/// Returns 0 when the window is invalid.
std::uintptr_t timerSet(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                        TimerProc callback = nullptr);
/// Stops a timer; false when there is none.
bool timerKill(WindowHandle window, std::uintptr_t id);
/// Milliseconds of the window system's clock, wrapping at 2^32.
std::uint32_t timerTickCount();

} // namespace q71
