#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

#include <thread>

namespace q71 {
namespace {

using test::HeadlessWindows;
using MessageOrder = HeadlessWindows;

TEST_F(MessageOrder, PostedThenQuitThenInputThenPaintThenTimer) {
    WindowHandle w = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    pump();
    received.clear();
    timerSet(w, 5, 10);
    clock.advance(10);
    windowInvalidate(w, nullptr, false);
    display.moveMouse({10, 10});
    messagePost(w, WM_USER, 1, 0);
    messagePostQuit(3);

    Message m;
    std::vector<std::uint32_t> order;
    while (messagePeek(m, PeekMode::Remove) && order.size() < 10) {
        order.push_back(m.message);
        if (m.message != WM_QUIT)
            messageDispatch(m);
    }
    EXPECT_EQ(order, (std::vector<std::uint32_t>{WM_USER, WM_QUIT, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageOrder, PaintIsMadeWhileTheUpdateRegionStaysAndStopsWhenValidated) {
    WindowHandle w = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    pump();
    int paints = 0;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        // Leaving the first paint unvalidated makes it come again.
        if (r.message == WM_PAINT && ++paints == 1)
            return 0;
        return std::nullopt;
    };
    windowInvalidate(w, nullptr, false);
    pump();
    EXPECT_EQ(paints, 2);
    Message m;
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
}

TEST_F(MessageOrder, NoRemoveLeavesTheMessageForTheNextPeek) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    messagePost(w, WM_USER + 7, 0, 0);
    timerSet(w, 1, 10);
    clock.advance(20);
    Message m;
    ASSERT_TRUE(messagePeek(m, PeekMode::NoRemove));
    EXPECT_EQ(m.message, WM_USER + 7u);
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(m.message, WM_USER + 7u);
    ASSERT_TRUE(messagePeek(m, PeekMode::NoRemove));
    EXPECT_EQ(m.message, WM_TIMER);
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
}

TEST_F(MessageOrder, MessagesForDestroyedWindowsAreDropped) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    messagePost(w, WM_USER, 0, 0);
    windowDestroy(w);
    EXPECT_FALSE(messagePost(w, WM_USER, 0, 0));
    Message m;
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
}

TEST_F(MessageOrder, PostFromAnotherThreadArrives) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i)
            messagePost(w, WM_USER, static_cast<WParam>(i), 0);
        messagePostQuit(0);
    });
    poster.join();
    pump();
    auto got = receivedBy(w, WM_USER);
    ASSERT_EQ(got.size(), 100u);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].wParam, i);
    EXPECT_TRUE(quitRead);
}

TEST_F(MessageOrder, QuitWaitsForPostedMessagesAndCarriesTheCode) {
    WindowHandle w = makeWindow(WS_POPUP, {0, 0, 10, 10});
    messagePostQuit(42);
    messagePost(w, WM_USER, 0, 0);
    Message m;
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(m.message, WM_USER);
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 42u);
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
}

TEST_F(MessageOrder, RegisteredNamesGiveStableNumbers) {
    std::uint32_t a = messageRegister("WM_MPADDTOMSGLIST");
    std::uint32_t b = messageRegister("WM_MPADDTOSERVERLIST");
    EXPECT_GE(a, kFirstRegisteredMessage);
    EXPECT_NE(a, b);
    EXPECT_EQ(messageRegister("wm_mpaddtomsglist"), a);
    EXPECT_EQ(messageRegister(""), 0u);
}

TEST_F(MessageOrder, ReentrantSendNestsInsideTheHandler) {
    WindowHandle a = makeWindow(WS_POPUP, {0, 0, 10, 10});
    WindowHandle b = makeWindow(WS_POPUP, {0, 0, 10, 10});
    received.clear();
    std::vector<std::string> trace;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message != WM_USER)
            return std::nullopt;
        trace.push_back("enter " + std::to_string(r.wParam));
        if (r.wParam < 3) {
            LResult inner = messageSend(r.wParam % 2 ? a : b, WM_USER, r.wParam + 1, 0);
            EXPECT_EQ(inner, static_cast<LResult>(r.wParam + 2));
        }
        trace.push_back("leave " + std::to_string(r.wParam));
        return static_cast<LResult>(r.wParam + 1);
    };
    EXPECT_EQ(messageSend(a, WM_USER, 0, 0), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"enter 0", "enter 1", "enter 2", "enter 3", "leave 3",
                                               "leave 2", "leave 1", "leave 0"}));
    EXPECT_EQ(messageSend(WindowHandle{0x12345}, WM_USER, 0, 0), 0);
}

} // namespace
} // namespace q71
