#include "platform/display/headless_backend.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "support/headless_windows.h"

#include <chrono>
#include <thread>

namespace q71 {
namespace {

using test::HeadlessWindows;
using FramePacing = HeadlessWindows;

TEST_F(FramePacing, ADrawnFrameIsShownOncePerDisplayFrame) {
    Message m;
    screenSurface().markChanged();
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(display.framesShown(), 1);
    EXPECT_FALSE(screenSurface().changed);
    screenSurface().markChanged();
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove)); // too soon after the last frame
    EXPECT_EQ(display.framesShown(), 1);
    clock.advance(16);
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(display.framesShown(), 2);
    clock.advance(100);
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove)); // nothing new drawn: nothing shown
    EXPECT_EQ(display.framesShown(), 2);
}

// On the real clock: an idle peek sleeps up to a frame, but input or a post ends the sleep.
TEST(FramePacingRealTime, IdlePeekSleepsAboutAFrameAndWakesForAPost) {
    SteadyClock clock;
    HeadlessBackend display(true);
    WindowSystemSession session(display, clock);
    Message m;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(messagePeek(m, PeekMode::Remove));
    auto slept = std::chrono::steady_clock::now() - start;
    EXPECT_GE(slept, std::chrono::milliseconds(10));

    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        messagePostQuit(1);
    });
    bool got = false;
    for (int i = 0; i < 100 && !got; ++i)
        got = messagePeek(m, PeekMode::Remove);
    poster.join();
    EXPECT_TRUE(got);
    EXPECT_EQ(m.wParam, 1u);
}

} // namespace
} // namespace q71
