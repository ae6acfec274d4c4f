#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

#include <algorithm>

namespace q71 {
namespace {

using test::HeadlessWindows;

class ModalLoops : public HeadlessWindows {
protected:
    void SetUp() override {
        main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
        screen = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
        pump();
        received.clear();
    }
    // A box owned through the screen, ended by Enter.
    WindowHandle makeBox() {
        WindowHandle box = makeWindow(WS_POPUP | WS_VISIBLE, {200, 200, 400, 300}, screen);
        onMessage = [box](const test::Received& r) -> std::optional<LResult> {
            if (r.window == box && r.message == WM_KEYDOWN && r.wParam == VK_RETURN)
                modalLoopEnd(box, 6);
            return std::nullopt;
        };
        return box;
    }
    WindowHandle main{}, screen{};
};

TEST_F(ModalLoops, OwnerIsDisabledWhileTheBoxRunsAndTheAnswerIsReturned) {
    WindowHandle box = makeBox();
    bool ownerEnabledDuring = true;
    modalScriptPush([&](WindowHandle modal) {
        EXPECT_EQ(modal, box);
        ownerEnabledDuring = windowIsEnabled(main);
        display.click({100, 100}); // on the disabled owner: goes nowhere
        display.typeKey(VK_RETURN);
    });
    EXPECT_EQ(modalLoopRun(box, screen), 6);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(windowIsEnabled(main));
    EXPECT_TRUE(receivedBy(screen, WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(receivedBy(main, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(modalLoopDepth(), 0);
}

TEST_F(ModalLoops, PaintsTimersAndInputOfEveryWindowRunInsideTheLoop) {
    WindowHandle box = makeBox();
    timerSet(screen, 1, 100);
    windowInvalidate(screen, nullptr, false);
    // Each answer runs when the loop has nothing left to do.
    modalScriptPush([&](WindowHandle) { clock.advance(100); });
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_RETURN); });
    modalLoopRun(box, screen);
    EXPECT_EQ(receivedBy(screen, WM_PAINT).size(), 1u);
    EXPECT_EQ(receivedBy(screen, WM_TIMER).size(), 1u);
    EXPECT_EQ(receivedBy(box, WM_KEYDOWN).size(), 1u);
}

TEST_F(ModalLoops, TheFilterSeesEachMessageFirstAndMayKeepItFromItsWindow) {
    WindowHandle box = makeBox();
    std::vector<std::uint32_t> filtered;
    modalScriptPush([&](WindowHandle) {
        display.typeKey(VK_ESCAPE);
        display.typeKey('A', 'a');
    });
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_RETURN); });
    auto filter = [&](const Message& m) {
        filtered.push_back(m.message);
        return m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE;
    };
    EXPECT_EQ(modalLoopRun(box, screen, filter), 6);
    EXPECT_NE(std::find(filtered.begin(), filtered.end(), WM_KEYDOWN), filtered.end());
    auto keys = receivedBy(box, WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 2u); // Esc was kept by the filter and never translated
    EXPECT_EQ(keys[0].wParam, static_cast<WParam>('A'));
    EXPECT_EQ(keys[1].wParam, VK_RETURN);
    auto chars = receivedBy(box, WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wParam, static_cast<WParam>('a'));
}

TEST_F(ModalLoops, LoopsNestAndEachRestoresWhatItDisabled) {
    WindowHandle outer = makeWindow(WS_POPUP | WS_VISIBLE, {100, 100, 500, 400}, main);
    WindowHandle inner = makeWindow(WS_POPUP | WS_VISIBLE, {150, 150, 300, 250}, outer);
    std::vector<int> depths;
    modalScriptPush([&](WindowHandle modal) {
        EXPECT_EQ(modal, outer);
        depths.push_back(modalLoopDepth());
        modalScriptPush([&](WindowHandle innerModal) {
            EXPECT_EQ(innerModal, inner);
            depths.push_back(modalLoopDepth());
            EXPECT_FALSE(windowIsEnabled(outer));
            EXPECT_FALSE(windowIsEnabled(main));
            modalLoopEnd(inner, 2);
        });
        EXPECT_EQ(modalLoopRun(inner, outer), 2);
        EXPECT_TRUE(windowIsEnabled(outer));
        EXPECT_FALSE(windowIsEnabled(main));
        modalLoopEnd(outer, 1);
    });
    EXPECT_EQ(modalLoopRun(outer, main), 1);
    EXPECT_EQ(depths, (std::vector<int>{1, 2}));
    EXPECT_TRUE(windowIsEnabled(main));
}

TEST_F(ModalLoops, DestroyingTheBoxEndsTheLoop) {
    WindowHandle box = makeBox();
    modalScriptPush([&](WindowHandle modal) { windowDestroy(modal); });
    EXPECT_EQ(modalLoopRun(box, screen), 0);
    EXPECT_FALSE(windowIsValid(box));
    EXPECT_TRUE(windowIsEnabled(main));
}

TEST_F(ModalLoops, QuitEndsTheLoopAndIsPostedAgainForTheOuterLoop) {
    WindowHandle box = makeBox();
    modalScriptPush([&](WindowHandle) { messagePostQuit(5); });
    modalLoopRun(box, screen);
    EXPECT_EQ(modalLoopDepth(), 0);
    Message m;
    ASSERT_TRUE(messagePeek(m, PeekMode::Remove));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 5u);
}

TEST_F(ModalLoops, ABoxNoScriptAnswersFailsAtOnce) {
    WindowHandle box = makeBox();
    std::vector<WindowHandle> unanswered;
    modalScriptSetUnansweredHandler([&](WindowHandle modal) { unanswered.push_back(modal); });
    EXPECT_EQ(modalLoopRun(box, screen), 0);
    EXPECT_EQ(unanswered, std::vector<WindowHandle>{box});
    EXPECT_TRUE(windowIsEnabled(main));
}

} // namespace
} // namespace q71
