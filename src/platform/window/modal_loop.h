#pragma once
// Nested modal loops for message boxes and dialogs. While one runs, the owner's top-level
// window is disabled; paints, timers and input of every window are dispatched, but the
// program's idle hook never runs, since only the outer loop calls it.
//
// A backend without a user (the headless one) cannot wait for someone to answer a box: each
// time a modal loop there runs out of messages, the next scripted answer is run (it may inject
// input, move a fake clock or end the loop); with no answer left, the unanswered handler is
// called and the loop ends at once with result 0.

#include "platform/window/window_types.h"

#include <functional>

namespace q71 {

/// Takes a message before it is translated and dispatched; true when it handled the message.
using ModalMessageFilter = std::function<bool(const Message& message)>;

/// Runs a nested loop until modalLoopEnd is called for the modal window or the window is
/// destroyed; the owner's top-level window is disabled meanwhile. Each message read is offered to
/// the filter first (a dialog's keyboard navigation). Returns the end result (0 when the window
/// was destroyed first). A WM_QUIT read inside ends the loop and is posted again.
LResult modalLoopRun(WindowHandle modalWindow, WindowHandle owner, const ModalMessageFilter& filter = {});
/// Ends the modal loop of a window with a result; false when no loop runs for it.
bool modalLoopEnd(WindowHandle modalWindow, LResult result);
/// How many modal loops are running, one inside the other.
int modalLoopDepth();

/// Adds an answer for the next headless modal loop that runs out of messages.
void modalScriptPush(std::function<void(WindowHandle modalWindow)> answer);
/// Called when a headless modal loop needs an answer and none is scripted (default: a message on
/// stderr and abort, so a test fails at once instead of waiting).
void modalScriptSetUnansweredHandler(std::function<void(WindowHandle modalWindow)> handler);

} // namespace q71
