#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

namespace q71 {
namespace {

using test::HeadlessWindows;

class InputRouting : public HeadlessWindows {
protected:
    void SetUp() override {
        main = makeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 640, 480});
        left = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 320, 480}, main);
        right = makeWindow(WS_CHILD | WS_VISIBLE, {320, 0, 640, 480}, main, 0, "RecorderDbl");
        pump();
        received.clear();
    }
    WindowHandle main{}, left{}, right{};
};

Point pointOf(LParam lParam) {
    return {pointXFromLParam(lParam), pointYFromLParam(lParam)};
}

TEST_F(InputRouting, MouseGoesToTheWindowUnderThePointerInClientCoordinates) {
    display.moveMouse({400, 30});
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Right, {400, 30}));
    pump();
    auto moves = receivedBy(right, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(pointOf(moves[0].lParam), (Point{80, 30}));
    auto downs = receivedBy(right, WM_RBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam & MK_RBUTTON, MK_RBUTTON);
    EXPECT_EQ(cursorGetPosition(), (Point{400, 30}));
    EXPECT_TRUE(keyGetState(VK_RBUTTON) < 0);
}

TEST_F(InputRouting, CaptureTakesAllMouseInputWithSignedCoordinates) {
    captureSet(right);
    display.moveMouse({10, 5});
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, {10, 5}));
    pump();
    EXPECT_TRUE(receivedBy(left, WM_MOUSEMOVE).empty());
    auto moves = receivedBy(right, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(pointOf(moves[0].lParam), (Point{-310, 5}));
    EXPECT_EQ(receivedBy(right, WM_LBUTTONUP).size(), 1u);
    EXPECT_TRUE(receivedBy(right, WM_SETCURSOR).empty()); // no cursor question while captured
    EXPECT_EQ(captureGet(), right);
    captureRelease();
    display.moveMouse({10, 6});
    pump();
    EXPECT_EQ(receivedBy(left, WM_MOUSEMOVE).size(), 1u);
}

TEST_F(InputRouting, ConsecutiveMovesFoldIntoTheLastOne) {
    for (int x = 0; x < 50; ++x)
        display.moveMouse({x, 10});
    pump();
    auto moves = receivedBy(left, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(pointOf(moves[0].lParam), (Point{49, 10}));
}

TEST_F(InputRouting, DoubleClicksOnlyForClassesThatAskAndOnlyWhenCloseInTimeAndPlace) {
    display.click({400, 100});
    display.click({401, 101});
    display.click({100, 100});
    display.click({100, 100});
    pump();
    EXPECT_EQ(receivedBy(right, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(receivedBy(right, WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(receivedBy(left, WM_LBUTTONDOWN).size(), 2u);
    EXPECT_TRUE(receivedBy(left, WM_LBUTTONDBLCLK).empty());
    received.clear();
    display.click({400, 100});
    pump();
    clock.advance(501);
    display.click({400, 100});
    display.click({420, 100});
    pump();
    EXPECT_EQ(receivedBy(right, WM_LBUTTONDOWN).size(), 3u);
    EXPECT_TRUE(receivedBy(right, WM_LBUTTONDBLCLK).empty());
}

TEST_F(InputRouting, SetCursorAsksTheParentFirstThenUsesTheClassCursor) {
    CursorImage dot{1, 1, {0, 0}, {0xFF00FF00u}};
    CursorHandle custom = cursorCreate(dot);
    ASSERT_NE(custom, CursorHandle{});
    EXPECT_EQ(cursorCreate({2, 2, {0, 0}, {1}}), CursorHandle{}); // pixels missing
    classRegister({"Pointed", 0, windowDefaultProc, custom});
    WindowHandle pointed = windowCreate(0, "Pointed", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, left);

    cursorSet(cursorArrow());
    display.moveMouse({10, 10});
    pump();
    // The question went to the window under the pointer's parents, from the nearest up.
    std::vector<WindowHandle> asked;
    for (const auto& r : received) {
        if (r.message == WM_SETCURSOR) {
            asked.push_back(r.window);
            EXPECT_EQ(loWord(static_cast<std::uintptr_t>(r.lParam)), static_cast<int>(HTCLIENT));
            EXPECT_EQ(hiWord(static_cast<std::uintptr_t>(r.lParam)), static_cast<int>(WM_MOUSEMOVE));
        }
    }
    EXPECT_EQ(asked, (std::vector<WindowHandle>{left, main}));
    EXPECT_EQ(cursorGet(), custom);
    EXPECT_EQ(display.cursor()->argb[0], 0xFF00FF00u);

    // A parent that answers stops the class cursor.
    cursorSet(cursorArrow());
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        return r.message == WM_SETCURSOR && r.window == left ? std::optional<LResult>(1) : std::nullopt;
    };
    display.moveMouse({11, 10});
    pump();
    EXPECT_EQ(cursorGet(), cursorArrow());
    (void)pointed;
}

TEST_F(InputRouting, FocusMovesWithKillAndSetMessagesAndKeysFollowIt) {
    focusSet(left);
    received.clear();
    EXPECT_EQ(focusSet(right), left);
    auto kill = receivedBy(left, WM_KILLFOCUS);
    auto set = receivedBy(right, WM_SETFOCUS);
    ASSERT_EQ(kill.size(), 1u);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(kill[0].wParam, static_cast<WParam>(right));
    EXPECT_EQ(set[0].wParam, static_cast<WParam>(left));
    display.typeKey('A', 'a');
    pump();
    EXPECT_EQ(receivedBy(right, WM_KEYDOWN).size(), 1u);
    auto chars = receivedBy(right, WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wParam, static_cast<WParam>('a'));
    EXPECT_EQ(receivedBy(right, WM_KEYUP).size(), 1u);
    EXPECT_TRUE(receivedBy(left, WM_KEYDOWN).empty());
}

TEST_F(InputRouting, TheWheelTurnsForTheFocusWindowAndClimbsToItsParent) {
    focusSet(left);
    received.clear();
    display.turnWheel({400, 30}, -2);
    pump();
    auto atFocus = receivedBy(left, WM_MOUSEWHEEL);
    ASSERT_EQ(atFocus.size(), 1u);
    EXPECT_EQ(static_cast<std::int16_t>(hiWord(atFocus[0].wParam)), -2 * WHEEL_DELTA);
    EXPECT_EQ(pointOf(atFocus[0].lParam), (Point{400, 30})); // screen coordinates
    EXPECT_TRUE(receivedBy(right, WM_MOUSEWHEEL).empty());
    // The recording window leaves it to the default procedure, which hands it to the parent.
    EXPECT_EQ(receivedBy(main, WM_MOUSEWHEEL).size(), 1u);
}

TEST_F(InputRouting, AltCharactersClimbFromTheFocusWindowAndPlainOnesStay) {
    focusSet(left);
    received.clear();
    display.inject(InputEvent::keyOf(InputKind::KeyDown, VK_LMENU));
    display.typeKey('B', 'b');
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LMENU));
    pump();
    ASSERT_EQ(receivedBy(left, WM_SYSCHAR).size(), 1u);
    // The recording window leaves it to the default procedure, which hands it to the parent.
    auto climbed = receivedBy(main, WM_SYSCHAR);
    ASSERT_EQ(climbed.size(), 1u);
    EXPECT_EQ(climbed[0].wParam, static_cast<WParam>('b'));
    EXPECT_TRUE(receivedBy(main, WM_SYSKEYDOWN).empty()) << "only the character climbs";

    received.clear();
    display.typeKey('B', 'b');
    pump();
    EXPECT_EQ(receivedBy(left, WM_CHAR).size(), 1u);
    EXPECT_TRUE(receivedBy(main, WM_CHAR).empty()) << "typing stays with the focus window";
}

TEST_F(InputRouting, AClickOnANonActivatingPopupLeavesActivationAndFocusAlone) {
    focusSet(left);
    WindowHandle list = makeWindow(WS_POPUP | WS_VISIBLE, {100, 100, 200, 200}, main, WS_EX_NOACTIVATE);
    received.clear();
    display.click({150, 150});
    pump();
    EXPECT_EQ(receivedBy(list, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(windowGetActive(), main);
    EXPECT_EQ(focusGet(), left);
}

TEST_F(InputRouting, ModifierStateAndAutoRepeatReachTheMessages) {
    focusSet(left);
    received.clear();
    display.inject(InputEvent::keyOf(InputKind::KeyDown, VK_LCONTROL));
    display.inject(InputEvent::keyOf(InputKind::KeyDown, 'Q', 'q'));
    display.inject(InputEvent::keyOf(InputKind::KeyDown, 'Q', 'q')); // auto-repeat
    pump();
    EXPECT_TRUE(keyGetState(VK_CONTROL) < 0);
    EXPECT_TRUE(keyGetState(VK_LCONTROL) < 0);
    EXPECT_FALSE(keyGetState(VK_SHIFT) < 0);
    auto downs = receivedBy(left, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].wParam, VK_CONTROL); // the generic key, as Windows reports it
    EXPECT_EQ(downs[1].lParam & (1 << 30), 0);
    EXPECT_NE(downs[2].lParam & (1 << 30), 0); // repeat: the key was already down
    auto chars = receivedBy(left, WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, 17u);
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LCONTROL));
    display.inject(InputEvent::keyOf(InputKind::KeyDown, VK_LMENU));
    display.inject(InputEvent::keyOf(InputKind::KeyDown, 'X', 'x'));
    pump();
    EXPECT_FALSE(keyGetState(VK_CONTROL) < 0);
    auto sysChars = receivedBy(left, WM_SYSCHAR);
    ASSERT_EQ(sysChars.size(), 1u);
    EXPECT_EQ(sysChars[0].wParam, static_cast<WParam>('x'));
    EXPECT_NE(receivedBy(left, WM_SYSKEYDOWN)[1].lParam & (1 << 29), 0);
}

TEST_F(InputRouting, WithoutFocusKeysGoToTheActiveWindowAsSystemKeys) {
    focusSet({});
    received.clear();
    EXPECT_EQ(windowGetActive(), main);
    display.typeKey('Q', 'q');
    pump();
    EXPECT_EQ(receivedBy(main, WM_SYSKEYDOWN).size(), 1u);
    EXPECT_EQ(receivedBy(main, WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(receivedBy(main, WM_SYSKEYUP).size(), 1u);
}

TEST_F(InputRouting, DestroyingTheFocusWindowGivesTheFocusToItsParent) {
    focusSet(left);
    received.clear();
    windowDestroy(left);
    EXPECT_EQ(focusGet(), main);
    EXPECT_EQ(receivedBy(main, WM_SETFOCUS).size(), 1u);
}

TEST_F(InputRouting, DisabledWindowsGetNoInputAndTheirChildrenPassClicksUp) {
    windowEnable(right, false);
    EXPECT_FALSE(windowIsEnabled(right));
    display.click({400, 100});
    pump();
    EXPECT_TRUE(receivedBy(right, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(receivedBy(main, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(focusSet(right), WindowHandle{}); // a disabled window cannot take the focus
    windowEnable(main, false);
    received.clear();
    display.click({100, 100});
    display.typeKey('A', 'a');
    pump();
    EXPECT_TRUE(received.empty());
}

TEST_F(InputRouting, SettingThePointerPositionMovesAndReports) {
    cursorSetPosition({500, 400});
    EXPECT_EQ(cursorGetPosition(), (Point{500, 400}));
    pump();
    auto moves = receivedBy(right, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(pointOf(moves[0].lParam), (Point{180, 400}));
    cursorSetPosition({-20, 9000});
    EXPECT_EQ(cursorGetPosition(), (Point{0, 479}));
}

TEST_F(InputRouting, AWindowThatAsksHearsOnceThatThePointerLeftItForAnotherOrThatItHid) {
    display.moveMouse({400, 30});
    pump();
    EXPECT_FALSE(pointerTrackLeave(left)) << "the pointer is not over it";
    ASSERT_TRUE(pointerTrackLeave(right));
    received.clear();
    display.moveMouse({410, 40}); // still over it
    pump();
    EXPECT_TRUE(receivedBy(right, WM_MOUSELEAVE).empty());
    received.clear();
    display.moveMouse({100, 30});
    pump();
    EXPECT_EQ(receivedBy(right, WM_MOUSELEAVE).size(), 1u);
    EXPECT_TRUE(receivedBy(left, WM_MOUSELEAVE).empty());
    EXPECT_EQ(sequence({WM_MOUSELEAVE, WM_MOUSEMOVE}), (std::vector<std::uint32_t>{WM_MOUSELEAVE, WM_MOUSEMOVE}))
        << "the window left hears it before the next one hears the pointer";
    // Once: without asking again it hears nothing more.
    for (Point at : {Point{420, 30}, Point{100, 30}}) {
        display.moveMouse(at);
        pump();
    }
    EXPECT_EQ(receivedBy(right, WM_MOUSELEAVE).size(), 1u);

    // A window asking hears it when an ancestor hides with the pointer over it.
    ASSERT_TRUE(pointerTrackLeave(left));
    received.clear();
    windowShow(main, SW_HIDE);
    pump();
    EXPECT_EQ(receivedBy(left, WM_MOUSELEAVE).size(), 1u);
}

} // namespace
} // namespace q71
