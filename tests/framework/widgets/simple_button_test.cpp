#include "framework/app/full_screen.h"
#include "framework/widgets/button_group.h"
#include "framework/widgets/simple_button.h"
#include "widget_fixture.h"

#include <functional>
#include <memory>

namespace q71 {
namespace {

using test::kBlue;
using test::kGrey;
using test::kYellow;
using Commands = test::WidgetFixture::Commands;

// A screen that runs a test's action on each command it is given, then passes it on.
class Reacting : public FullScreen {
public:
    explicit Reacting(WindowHandle parent) : FullScreen("reacting", parent, 640, 480, 0, 0) {}
    int onCommand(WParam wParam, LParam lParam) override {
        if (action)
            action(wParam, lParam);
        return 0;
    }
    std::function<void(WParam, LParam)> action;
};

class Buttons : public test::WidgetFixture {
protected:
    Buttons() {
        // Up grey, down blue, disabled yellow.
        writeStrip("x100y100.bmp", 30, 20, {kGrey, kBlue, kYellow});
        writeStrip("x200y100.bmp", 30, 20, {kGrey, kBlue});
        screen->activate();
        pump();
    }
    // A windowless button of the three-frame strip at (100, 100) (or the two-frame one at x 200).
    SimpleButton* button(int kind, int id = 11, int x = 100, int frames = 3) {
        std::string name = x == 100 ? "x100y100.bmp" : "x200y100.bmp";
        auto* b = new SimpleButton(screen->window(), id, x, 100, 30, 20, name, frames, kind, false);
        b->loadResources();
        return b;
    }
    void pressAt(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, at));
        pump();
    }
    void releaseAt(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, at));
        pump();
    }
    std::unique_ptr<Reacting> screen = std::make_unique<Reacting>(mainWindow);
};

TEST_F(Buttons, APushButtonSaysZeroOnceAtTheReleaseWhereverThePointerIs) {
    SimpleButton* push = button(SimpleButton::kPush);
    pressAt({110, 110});
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(screenPixel(110, 110), kBlue);
    EXPECT_EQ(push->getState(), 1);
    releaseAt({300, 300});
    EXPECT_EQ(commands(), (Commands{{11, 0}}));
    EXPECT_EQ(screenPixel(110, 110), kGrey);
    EXPECT_EQ(push->getState(), 2);
}

TEST_F(Buttons, AToggleSaysOneAndTwoOnAlternatePresses) {
    button(SimpleButton::kToggle);
    clickAt({110, 110});
    EXPECT_EQ(screenPixel(110, 110), kBlue);
    clickAt({110, 110});
    EXPECT_EQ(screenPixel(110, 110), kGrey);
    EXPECT_EQ(commands(), (Commands{{11, 1}, {11, 2}}));
}

TEST_F(Buttons, ALatchSaysOneAtItsFirstPressOnly) {
    SimpleButton* latch = button(SimpleButton::kLatch);
    clickAt({110, 110});
    clickAt({110, 110});
    clickAt({110, 110});
    EXPECT_EQ(commands(), (Commands{{11, 1}}));
    EXPECT_EQ(latch->getState(), 1);
    EXPECT_EQ(screenPixel(110, 110), kBlue);
}

TEST_F(Buttons, AHeldButtonRepeatsAfterItsFirstDelayThenEveryInterval) {
    button(SimpleButton::kPush)->setAutoRepeat(250, 50);
    pressAt({110, 110});
    run(240);
    EXPECT_TRUE(commands().empty());
    run(10);
    EXPECT_EQ(commands().size(), 1u);
    run(100);
    EXPECT_EQ(commands().size(), 3u);
    releaseAt({110, 110});
    EXPECT_EQ(commands(), (Commands{{11, 0}, {11, 0}, {11, 0}, {11, 0}}));
    run(200);
    EXPECT_EQ(commands().size(), 4u) << "the release stops the repeat";
}

TEST_F(Buttons, ARepeatThatClosesTheScreenEndsCleanly) {
    button(SimpleButton::kPush)->setAutoRepeat(100, 50);
    screen->action = [&](WParam, LParam) { screen.reset(); };
    pressAt({110, 110});
    run(200);
    EXPECT_EQ(screen, nullptr);
    EXPECT_EQ(commands().size(), 1u) << "the repeat ended with its button";
}

TEST_F(Buttons, ADisabledThreeFrameButtonShowsItsDisabledFrameAndIgnoresPresses) {
    SimpleButton* b = button(SimpleButton::kToggle);
    b->setEnabled(false);
    pump();
    b->invalidate(nullptr, false);
    EXPECT_EQ(b->currentFrame(), b->frame(2));
    clickAt({110, 110});
    EXPECT_TRUE(commands().empty());
    b->setEnabled(true);
    EXPECT_EQ(b->currentFrame(), b->frame(0));
    SimpleButton* two = button(SimpleButton::kToggle, 12, 200, 2);
    two->setEnabled(false);
    EXPECT_EQ(two->currentFrame(), two->frame(0)) << "two frames have no disabled look";
}

TEST_F(Buttons, SettingTheStateShowsTheFrameAtOnce) {
    SimpleButton* b = button(SimpleButton::kLatch);
    b->setState(1);
    EXPECT_EQ(screenPixel(110, 110), kBlue);
    b->setState(2);
    EXPECT_EQ(screenPixel(110, 110), kGrey);
    EXPECT_TRUE(commands().empty());
}

TEST_F(Buttons, InAGroupPressingASecondMemberRaisesTheFirst) {
    ButtonGroup group(2);
    SimpleButton* first = button(SimpleButton::kLatch, 1, 100);
    SimpleButton* second = button(SimpleButton::kLatch, 2, 200, 2);
    EXPECT_EQ(group.add(first), 1);
    EXPECT_EQ(group.add(second), 1);
    EXPECT_EQ(group.add(first), 0) << "the group is full";
    clickAt({110, 110});
    clickAt({210, 110});
    EXPECT_EQ(first->getState(), 2);
    EXPECT_EQ(second->getState(), 1);
    EXPECT_EQ(screenPixel(110, 110), kGrey);
    EXPECT_EQ(screenPixel(210, 110), kBlue);
    EXPECT_EQ(group.selected(), 1);
    EXPECT_EQ(commands(), (Commands{{1, 1}, {2, 1}}));
}

TEST_F(Buttons, AGroupSelectsByIndexAndClears) {
    ButtonGroup group(2);
    SimpleButton* first = button(SimpleButton::kLatch, 1, 100);
    SimpleButton* second = button(SimpleButton::kLatch, 2, 200, 2);
    group.add(first);
    group.add(second);
    group.selectIndex(0);
    group.selectIndex(1);
    EXPECT_EQ(first->getState(), 2);
    EXPECT_EQ(second->getState(), 1);
    group.selectIndex(5);
    EXPECT_EQ(group.selected(), 1) << "no member 5";
    group.clearSelection();
    EXPECT_EQ(second->getState(), 2);
    EXPECT_EQ(group.selected(), -1);
    EXPECT_TRUE(commands().empty()) << "selecting by program tells nobody";
}

TEST_F(Buttons, AGroupAndItsButtonsMayGoInEitherOrder) {
    SimpleButton* first = button(SimpleButton::kLatch, 1, 100);
    SimpleButton* second = button(SimpleButton::kLatch, 2, 200, 2);
    {
        // The group goes first; its buttons still work, alone.
        ButtonGroup group(2);
        group.add(first);
        group.add(second);
        group.selectIndex(0);
    }
    clickAt({210, 110});
    EXPECT_EQ(second->getState(), 1);
    EXPECT_EQ(first->getState(), 1) << "no group raises it any more";

    // A button goes first; the group keeps the other at its index.
    ButtonGroup group(2);
    group.add(first);
    group.add(second);
    group.selectIndex(0);
    delete first;
    EXPECT_EQ(group.member(0), nullptr);
    EXPECT_EQ(group.selected(), -1);
    group.selectIndex(0);
    group.loadAll();
    group.selectIndex(1);
    EXPECT_EQ(group.selected(), 1);
    group.clearSelection();
    EXPECT_EQ(second->getState(), 2);
}

} // namespace
} // namespace q71
