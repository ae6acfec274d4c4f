#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

namespace q71 {
namespace {

using test::HeadlessWindows;
using Timers = HeadlessWindows;

std::vector<std::uintptr_t> callbackIds;
void recordCallback(WindowHandle, std::uint32_t message, std::uintptr_t id, std::uint32_t) {
    if (message == WM_TIMER)
        callbackIds.push_back(id);
}

TEST_F(Timers, WindowTimersReturnTheCallersIdAndFireEachPeriod) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    EXPECT_EQ(timerSet(w, 7130, 100), 7130u);
    EXPECT_EQ(timerSet(w, 0x20, 50), 0x20u);
    clock.advance(99);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 1u); // the 50 ms one
    clock.advance(1);
    pump();
    // The 50 ms timer counts its next period from when its message was taken (at 99).
    auto fired = receivedBy(w, WM_TIMER);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0].wParam, 0x20u);
    EXPECT_EQ(fired[1].wParam, 7130u);
    EXPECT_EQ(timerSet(WindowHandle{0x999999}, 1, 10), 0u);
}

TEST_F(Timers, MissedPeriodsFoldIntoOneMessage) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    timerSet(w, 1, 10);
    clock.advance(1000);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 1u);
    clock.advance(9);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 1u);
    clock.advance(1);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 2u);
}

TEST_F(Timers, SettingAgainReplacesAndShortPeriodsRunAtTenMilliseconds) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    timerSet(w, 3, 1000);
    clock.advance(900);
    timerSet(w, 3, 1); // restarted: now due after 10 ms, not 1
    clock.advance(9);
    pump();
    EXPECT_TRUE(receivedBy(w, WM_TIMER).empty());
    clock.advance(1);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 1u);
    EXPECT_TRUE(timerKill(w, 3));
    EXPECT_FALSE(timerKill(w, 3));
    clock.advance(5000);
    pump();
    EXPECT_EQ(receivedBy(w, WM_TIMER).size(), 1u);
}

TEST_F(Timers, CallbacksRunFromDispatchAndThreadTimersGetTheirOwnIds) {
    callbackIds.clear();
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    timerSet(w, 2200, 150, recordCallback);
    std::uintptr_t a = timerSet({}, 0, 20, recordCallback);
    std::uintptr_t b = timerSet({}, 0, 20, recordCallback);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(timerSet({}, a, 40, recordCallback), a); // restarts its own timer
    clock.advance(150);
    Message m;
    std::vector<std::uintptr_t> seen;
    while (messagePeek(m, PeekMode::Remove)) {
        EXPECT_EQ(m.message, WM_TIMER);
        seen.push_back(m.wParam);
        EXPECT_TRUE(callbackIds.size() < seen.size());
        messageDispatch(m);
    }
    EXPECT_EQ(callbackIds.size(), 3u);
    EXPECT_TRUE(receivedBy(w, WM_TIMER).empty()); // the callback, not the window, got it
}

TEST_F(Timers, TimersOfADestroyedWindowStopAndStaleMessagesDoNothing) {
    callbackIds.clear();
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    timerSet(w, 9, 10, recordCallback);
    clock.advance(10);
    Message m;
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    timerKill(w, 9);
    messageDispatch(m); // the timer is gone: its callback must not run
    EXPECT_TRUE(callbackIds.empty());
    timerSet(w, 9, 10);
    windowDestroy(w);
    clock.advance(100);
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
}

TEST_F(Timers, TickCountFollowsTheClock) {
    std::uint32_t before = timerTickCount();
    clock.advance(1234);
    EXPECT_EQ(timerTickCount() - before, 1234u);
}

} // namespace
} // namespace q71
