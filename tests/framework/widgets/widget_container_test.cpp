#include "framework/app/full_screen.h"
#include "framework/app/main_cursor.h"
#include "platform/display/cursor_image.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "widget_fixture.h"
#include "widget_probe.h"

#include <functional>
#include <memory>

namespace q71 {
namespace {

using test::kBlue;
using test::kRed;
using test::Probe;
using Log = std::vector<std::string>;

// A probe that runs a test's action when pressed.
class Trap : public Probe {
public:
    using Probe::Probe;
    void onLeftDown(int x, int y) override {
        Probe::onLeftDown(x, y);
        if (action)
            action();
    }
    std::function<void()> action;
};

class Container : public test::WidgetFixture {
protected:
    Container() {
        screen->activate();
        pump();
    }
    // The pointer is already at `at`: the press comes without a move.
    void press(Point at, MouseButton button = MouseButton::Left) {
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, button, at));
        pump();
    }
    void release(Point at, MouseButton button = MouseButton::Left) {
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, button, at));
        pump();
    }
    void moveTo(Point at) {
        display.moveMouse(at);
        pump();
    }
    Log log;
    std::unique_ptr<FullScreen> screen = std::make_unique<FullScreen>("panel", mainWindow, 640, 480, 0, 0);
};

TEST_F(Container, WhereWidgetsOverlapTheFirstAddedTakesTheClick) {
    new Probe(log, "first", screen->window(), {10, 10, 50, 50}, kRed);
    new Probe(log, "second", screen->window(), {30, 30, 70, 70}, kBlue);
    clickAt({40, 40});
    EXPECT_EQ(log, (Log{"first.move 40,40", "first.down 40,40", "first.up 40,40"}));
    EXPECT_EQ(captureGet(), WindowHandle{}) << "the release gives the capture back";
}

TEST_F(Container, AHiddenWidgetIsNeitherClickedNorPainted) {
    auto* hidden = new Probe(log, "hidden", screen->window(), {10, 10, 50, 50}, kRed);
    hidden->hide();
    clickAt({20, 20});
    windowInvalidate(screen->window(), nullptr, false);
    pump();
    EXPECT_TRUE(log.empty());
}

TEST_F(Container, AWidgetHiddenWhileHeldIsReleasedWithoutItsRelease) {
    auto* probe = new Probe(log, "w", screen->window(), {10, 10, 50, 50}, kRed);
    moveTo({20, 20});
    press({20, 20});
    EXPECT_EQ(captureGet(), screen->window());
    probe->hide();
    release({20, 20});
    EXPECT_EQ(log, (Log{"w.move 20,20", "w.down 20,20", "w.state 2"}));
    EXPECT_FALSE(probe->isLeftPressed());
    EXPECT_EQ(captureGet(), WindowHandle{}) << "the release gives the capture back";
}

TEST_F(Container, AWidgetHeldByTheLeftButtonGetsEveryMoveUntilTheRelease) {
    new Probe(log, "held", screen->window(), {10, 10, 50, 50}, kRed);
    new Probe(log, "other", screen->window(), {100, 100, 200, 200}, kBlue);
    moveTo({20, 20});
    press({20, 20});
    moveTo({150, 150});
    moveTo({-5, 300});
    moveTo({150, 150});
    release({150, 150});
    moveTo({160, 160});
    EXPECT_EQ(log, (Log{"held.move 20,20", "held.down 20,20", "held.move 150,150", "held.move -5,300",
                        "held.move 150,150", "held.up 150,150", "other.move 160,160"}));
}

TEST_F(Container, ARightDragHoldsTheCaptureAndEndsWhereverItIsReleased) {
    new Probe(log, "chart", screen->window(), {10, 10, 50, 50}, kRed);
    new Probe(log, "other", screen->window(), {100, 100, 200, 200}, kBlue);
    moveTo({20, 20});
    press({20, 20}, MouseButton::Right);
    EXPECT_EQ(captureGet(), screen->window());
    moveTo({150, 150});
    release({150, 150}, MouseButton::Right);
    EXPECT_EQ(captureGet(), WindowHandle{});
    moveTo({151, 151});
    EXPECT_EQ(log, (Log{"chart.move 20,20", "chart.rdown 20,20", "chart.move 150,150", "other.rup 150,150",
                        "other.move 151,151"}));
}

TEST_F(Container, AMoveOverNoWidgetBringsTheMainCursorBack) {
    new Probe(log, "w", screen->window(), {10, 10, 50, 50}, kRed);
    CursorImage picture;
    picture.width = picture.height = 1;
    picture.argb = {0xFFFFFFFF};
    CursorHandle other = cursorCreate(picture);
    cursorSet(other);
    moveTo({20, 20});
    EXPECT_EQ(cursorGet(), other) << "a widget took the move";
    moveTo({300, 300});
    EXPECT_EQ(cursorGet(), appMainCursor());
}

TEST_F(Container, AWidgetDeletedByItsOwnerLeavesTheContainer) {
    auto* probe = new Probe(log, "w", screen->window(), {10, 10, 50, 50}, kRed);
    probe->setControlId(3);
    probe->startTimer(50);
    EXPECT_EQ(screen->count(), 1);
    delete probe;
    EXPECT_EQ(screen->count(), 0);
    advance(100);
    clickAt({20, 20});
    EXPECT_TRUE(log.empty());
}

TEST_F(Container, APressThatClosesTheWholeScreenEndsCleanly) {
    auto* trap = new Trap(log, "trap", screen->window(), {10, 10, 50, 50}, kRed);
    trap->action = [&] { screen.reset(); };
    clickAt({20, 20});
    EXPECT_EQ(screen, nullptr);
    EXPECT_EQ(log, (Log{"trap.move 20,20", "trap.down 20,20"}));
}

TEST_F(Container, AWidgetTimerNeedsAWindow) {
    FullScreen* raw = screen.get();
    auto* probe = new Probe(log, "w", raw->window(), {10, 10, 50, 50}, kRed);
    probe->setControlId(4);
    probe->startTimer(20);
    EXPECT_NE(probe->timerId(), -1);
    probe->stopTimer();
    windowDestroy(raw->window());
    probe->startTimer(20);
    EXPECT_EQ(probe->timerId(), -1) << "a window that is gone starts nothing";
}

class WindowedWidget : public test::WidgetFixture {
protected:
    // A windowed probe in the main window, painted, with the focus.
    Probe* focusedProbe() {
        auto* probe = new Probe(log, "w", mainWindow, {10, 10, 60, 60}, kRed, true);
        focusSet(probe->window());
        pump();
        log.clear();
        return probe;
    }
    Log log;
};

TEST_F(WindowedWidget, DigitsAndLettersGoToTheDefaultProcedureOtherKeysAreOfferedFirst) {
    auto* probe = focusedProbe();
    display.typeKey('A');
    display.typeKey('7');
    pump();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(receivedBy(mainWindow, WM_KEYDOWN).empty());
    display.typeKey(static_cast<std::uint8_t>(VK_F1 + 1));
    pump();
    EXPECT_EQ(log, (Log{"w.key 113"}));
    EXPECT_EQ(receivedBy(mainWindow, WM_KEYDOWN).size(), 1u) << "an unhandled key goes on to the parent";
    probe->keysHandled = 1;
    display.typeKey(static_cast<std::uint8_t>(VK_F1 + 2));
    pump();
    EXPECT_EQ(receivedBy(mainWindow, WM_KEYDOWN).size(), 1u);
}

TEST_F(WindowedWidget, CharactersNobodyTakesGoToTheParent) {
    focusedProbe();
    display.typeKey('A', 'a');
    pump();
    EXPECT_EQ(log, (Log{"w.char 97"}));
    ASSERT_EQ(receivedBy(mainWindow, WM_CHAR).size(), 1u);
}

TEST_F(WindowedWidget, ItsWindowAndItsObjectEndTogether) {
    auto* first = new Probe(log, "first", mainWindow, {10, 10, 60, 60}, kRed, true);
    auto alive = first->watch();
    windowDestroy(first->window());
    EXPECT_TRUE(alive.expired()) << "the window's end deletes the widget";

    auto* second = new Probe(log, "second", mainWindow, {10, 10, 60, 60}, kRed, true);
    WindowHandle window = second->window();
    delete second;
    EXPECT_FALSE(windowIsValid(window)) << "deleting the widget takes its window";
}

TEST_F(WindowedWidget, TheClassIsThereWhicheverConstructorRunsFirst) {
    BaseWidget plain;
    auto* probe = new Probe(log, "w", mainWindow, {10, 10, 60, 60}, kRed, true);
    EXPECT_TRUE(windowIsValid(probe->window()));
    EXPECT_EQ(windowGetClassName(probe->window()), "BaseWidget");
    EXPECT_EQ(windowObjectAs<BaseWidget>(probe->window()), probe);
}

TEST_F(WindowedWidget, ItPaintsItselfInItsOwnWindow) {
    new Probe(log, "w", mainWindow, {10, 10, 60, 60}, kRed, true);
    pump();
    EXPECT_EQ(log, (Log{"w.paint"}));
    EXPECT_EQ(screenPixel(10, 10), kRed);
    EXPECT_EQ(screenPixel(59, 59), kRed);
}

} // namespace
} // namespace q71
