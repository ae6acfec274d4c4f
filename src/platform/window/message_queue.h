#pragma once
// The message queue of the main thread. Posted messages come first, then WM_QUIT, then input
// from the device, then WM_PAINT for windows with something to paint, then WM_TIMER for due
// timers; so "the queue is empty" means what a loop with an idle hook expects. When the queue
// is empty and nothing new was drawn, a peek waits up to one display frame for input or the
// next timer before it says so, so that idle loops do not burn a processor; this changes the
// pace of a loop, never the order of its messages.

#include "platform/window/window_types.h"

#include <cstdint>
#include <string_view>

namespace q71 {

enum class PeekMode { NoRemove, Remove };

/// Queues a message for a window (or for the thread with no window); safe from any thread and
/// wakes a waiting loop. False when the window does not exist.
bool messagePost(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
/// Asks the loop to end: WM_QUIT (wParam = exit code) is read once no posted message is left; safe from any
/// thread.
void messagePostQuit(int exitCode);
/// Calls the window's procedure at once and returns its result; 0 for an invalid window. Main thread.
LResult messageSend(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
/// Takes (or only looks at) the next message; false when the queue is empty.
bool messagePeek(Message& message, PeekMode mode);
/// Turns a key-down into its character message (posted to the same window); true for key messages.
bool messageTranslate(const Message& message);
/// Delivers a message to its window's procedure, or runs the callback of a timer; returns the result.
LResult messageDispatch(const Message& message);
/// A message number for a name, the same for the same name (any letter case) during the run; 0 when none is
/// left.
std::uint32_t messageRegister(std::string_view name);

} // namespace q71
