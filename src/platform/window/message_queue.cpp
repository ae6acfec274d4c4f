#include "platform/window/message_queue.h"

#include "platform/window/message_ids.h"
#include "platform/window/text_compare.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_state.h"
#include "platform/window/window_system.h"

namespace q71 {
namespace windowing {

std::uint32_t messageTime() {
    return static_cast<std::uint32_t>(state().clock.nowMs());
}

namespace {

bool takePosted(Message& out, bool remove) {
    State& s = state();
    std::lock_guard lock(s.queueLock);
    // Messages for windows destroyed since they were posted are dropped here.
    while (!s.posted.empty()) {
        const Message& front = s.posted.front();
        if (front.window == WindowHandle{} || findWindow(front.window)) {
            out = front;
            if (remove)
                s.posted.pop_front();
            return true;
        }
        s.posted.pop_front();
    }
    return false;
}

bool takeQuit(Message& out, bool remove) {
    State& s = state();
    std::lock_guard lock(s.queueLock);
    if (!s.quitPosted)
        return false;
    out = Message{{}, WM_QUIT, static_cast<WParam>(s.quitCode), 0, messageTime(), s.cursorPosition};
    if (remove)
        s.quitPosted = false;
    return true;
}

bool takeAny(Message& out, bool remove) {
    return takePosted(out, remove) || takeQuit(out, remove) || takeInputMessage(out, remove) ||
           takePaintMessage(out) || takeTimerMessage(out, remove);
}

} // namespace
} // namespace windowing

using namespace windowing;

bool messagePost(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (!windowSystemRunning() || (window != WindowHandle{} && !windowIsValid(window)))
        return false;
    State& s = state();
    Message queued{window, message, wParam, lParam, messageTime(), {}};
    if (onMainThread())
        queued.point = s.cursorPosition;
    {
        std::lock_guard lock(s.queueLock);
        s.posted.push_back(queued);
    }
    s.backend.wake();
    return true;
}

void messagePostQuit(int exitCode) {
    State& s = state();
    {
        std::lock_guard lock(s.queueLock);
        s.quitPosted = true;
        s.quitCode = exitCode;
    }
    s.backend.wake();
}

LResult messageSend(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    WindowRecord* w = findWindow(window);
    if (!w || !w->procedure)
        return 0;
    return w->procedure(window, message, wParam, lParam);
}

bool messagePeek(Message& message, PeekMode mode) {
    bool remove = mode == PeekMode::Remove;
    readDeviceEvents();
    if (takeAny(message, remove))
        return true;
    waitWhileIdle();
    readDeviceEvents();
    return takeAny(message, remove);
}

bool messageTranslate(const Message& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_KEYUP &&
        message.message != WM_SYSKEYUP)
        return false;
    if (message.charMessage != 0)
        messagePost(message.window, message.charMessage, message.character, message.lParam);
    return true;
}

LResult messageDispatch(const Message& message) {
    if (message.message == WM_TIMER && message.lParam != 0) {
        // The callback is looked up again rather than taken from lParam, so a stray or stale
        // WM_TIMER never calls through a pointer that is not a live timer's.
        if (TimerProc callback = timerCallback(message.window, message.wParam))
            callback(message.window, WM_TIMER, message.wParam, messageTime());
        return 0;
    }
    return messageSend(message.window, message.message, message.wParam, message.lParam);
}

std::uint32_t messageRegister(std::string_view name) {
    auto& names = state().registeredMessages;
    if (name.empty())
        return 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (equalNoCase(names[i], name))
            return kFirstRegisteredMessage + static_cast<std::uint32_t>(i);
    }
    if (kFirstRegisteredMessage + names.size() > 0xFFFF)
        return 0;
    names.emplace_back(name);
    return kFirstRegisteredMessage + static_cast<std::uint32_t>(names.size() - 1);
}

} // namespace q71
