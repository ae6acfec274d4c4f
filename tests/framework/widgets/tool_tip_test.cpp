#include "framework/app/full_screen.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/tool_tip.h"
#include "platform/display/cursor_image.h"
#include "platform/window/cursors.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "widget_fixture.h"
#include "widget_probe.h"

#include <algorithm>
#include <memory>

namespace q71 {
namespace {

using test::kRed;
using test::Probe;

class ToolTips : public test::WidgetFixture {
protected:
    ToolTips() {
        screen->activate();
        pump();
        CursorImage picture;
        picture.width = picture.height = 1;
        picture.argb = {0xFF00FF00};
        hand = cursorCreate(picture);
    }
    ~ToolTips() override { HotSpot::enableToolTips(true); }
    HotSpot* spot(Rect rect, const char* text = "Cap") {
        return new HotSpot(screen->window(), 1, text, hand, rect, true);
    }
    void moveTo(Point at) {
        display.moveMouse(at);
        pump();
    }
    static bool showing(ToolTip& tip) { return tip.isShown() && windowIsVisible(tip.window()); }

    std::unique_ptr<FullScreen> screen = std::make_unique<FullScreen>("tips", mainWindow, 640, 480, 0, 0);
    CursorHandle hand{};
    std::vector<std::string> log;
};

TEST_F(ToolTips, ATipPopsUpAfterItsDelayAndGoesAfterItsDisplayTime) {
    HotSpot* s = spot({100, 100, 200, 120});
    moveTo({150, 110});
    EXPECT_EQ(cursorGet(), hand);
    EXPECT_EQ(HotSpot::current(), s);
    run(1490);
    EXPECT_FALSE(showing(s->toolTip()));
    run(10);
    EXPECT_TRUE(showing(s->toolTip()));
    Rect tip = s->toolTip().screenRect();
    EXPECT_EQ(tip.right, 150) << "the tip's right edge stands at the pointer";
    EXPECT_EQ(tip.top, 112);
    run(2990);
    EXPECT_TRUE(showing(s->toolTip()));
    run(10);
    EXPECT_FALSE(s->isToolTipShown());
    EXPECT_FALSE(windowIsValid(s->toolTip().window())) << "a hidden tip has no window";
}

TEST_F(ToolTips, LeavingBeforeTheDelayShowsNothing) {
    HotSpot* s = spot({100, 100, 200, 120});
    moveTo({150, 110});
    run(1000);
    moveTo({300, 300});
    run(1000);
    EXPECT_FALSE(s->isToolTipShown());
    EXPECT_EQ(HotSpot::current(), nullptr);
    EXPECT_FALSE(s->isInside());
}

TEST_F(ToolTips, EnteringAnotherHotSpotLeavesTheFirst) {
    HotSpot* first = spot({100, 100, 200, 120});
    HotSpot* second = spot({100, 200, 200, 220});
    moveTo({150, 110});
    run(1500);
    ASSERT_TRUE(first->isToolTipShown());
    moveTo({150, 210});
    EXPECT_FALSE(first->isToolTipShown());
    EXPECT_FALSE(first->isInside());
    EXPECT_EQ(HotSpot::current(), second);
}

TEST_F(ToolTips, SwitchedOffHotSpotsNeitherPopUpNorSetTheirCursor) {
    HotSpot::enableToolTips(false);
    HotSpot* s = spot({100, 100, 200, 120});
    moveTo({150, 110});
    run(2000);
    EXPECT_FALSE(s->isToolTipShown());
    EXPECT_NE(cursorGet(), hand);
    s->trackMouse(150, 110);
    EXPECT_EQ(cursorGet(), hand) << "tracking still sets the cursor";
    run(2000);
    EXPECT_FALSE(s->isToolTipShown());
}

TEST_F(ToolTips, ATipStaysOnTheScreen) {
    ToolTip left(mainWindow, nullptr, nullptr, "Immersion");
    left.show(5, 50);
    EXPECT_EQ(left.screenRect().left, 2);
    ToolTip low(mainWindow, nullptr, nullptr, "Immersion");
    low.show(300, 475);
    EXPECT_EQ(low.screenRect().bottom, 479);
    EXPECT_EQ(low.screenRect().right, 300);
}

TEST_F(ToolTips, AnEmptyTextNeverMakesAWindow) {
    ToolTip tip(mainWindow, nullptr, nullptr, "");
    tip.startDelayed({0, 0, 640, 480});
    tip.show(100, 100);
    run(2000);
    EXPECT_EQ(tip.window(), WindowHandle{});
    EXPECT_FALSE(tip.isShown());
}

TEST_F(ToolTips, EachFurtherLineAddsALineAndOnePixel) {
    ToolTip one(mainWindow, nullptr, nullptr, "Cap");
    ToolTip two(mainWindow, nullptr, nullptr, "Cap\nVitesse");
    ToolTip wide(mainWindow, nullptr, nullptr, "Vitesse");
    int line = two.screenRect().height() - one.screenRect().height() - 1;
    EXPECT_GT(line, 5);
    EXPECT_EQ(one.screenRect().height(), line + 5);
    EXPECT_EQ(two.screenRect().width(), wide.screenRect().width()) << "as wide as its widest line";
}

TEST_F(ToolTips, MovingOverTheTipHidesIt) {
    ToolTip tip(mainWindow, nullptr, nullptr, "Relèvement");
    tip.show(300, 200);
    ASSERT_TRUE(showing(tip));
    Rect at = tip.screenRect();
    moveTo({at.left + 2, at.top + 2});
    EXPECT_FALSE(tip.isShown());
}

TEST_F(ToolTips, AHotSpotShowsItsTipAndPutsThePointerAtItsMiddle) {
    HotSpot* s = spot({100, 100, 200, 120});
    s->showToolTip();
    EXPECT_TRUE(showing(s->toolTip()));
    EXPECT_EQ(s->toolTip().screenRect().right, 150);
    EXPECT_EQ(s->toolTip().screenRect().top, 112);
    s->hideToolTip();
    EXPECT_FALSE(s->isToolTipShown());
    s->centreCursor();
    pump();
    EXPECT_EQ(cursorGetPosition(), (Point{150, 110}));
    EXPECT_TRUE(s->isInside()) << "the move there entered it";
    s->leave();
    s->popUpToolTip();
    run(1500);
    EXPECT_TRUE(s->isToolTipShown());
}

TEST_F(ToolTips, AWidgetsOwnTipFollowsThePointerOverIt) {
    auto* probe = new Probe(log, "w", screen->window(), {300, 300, 340, 320}, kRed);
    probe->setToolTip("Distance");
    moveTo({310, 310});
    run(1500);
    EXPECT_TRUE(probe->hotSpot()->isToolTipShown());
    moveTo({400, 400});
    EXPECT_FALSE(probe->hotSpot()->isToolTipShown());
    EXPECT_FALSE(probe->hotSpot()->isInside());
}

TEST_F(ToolTips, AWindowedWidgetsTipCoversItsOwnWindow) {
    auto* probe = new Probe(log, "w", screen->window(), {300, 300, 340, 320}, kRed, true);
    probe->setToolTip("Distance");
    moveTo({335, 315});
    run(1500);
    EXPECT_TRUE(probe->hotSpot()->isToolTipShown());
}

TEST_F(ToolTips, ARightPressOnAWindowedWidgetShowsItsTipUntilTheRelease) {
    auto* probe = new Probe(log, "w", screen->window(), {300, 300, 340, 320}, kRed, true);
    auto tip = std::make_unique<ToolTip>(probe->window(), nullptr, nullptr, "Barre");
    ToolTip& shown = *tip;
    probe->setRightClickTip(std::move(tip));
    display.moveMouse({310, 310});
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Right, {310, 310}));
    pump();
    EXPECT_NE(std::find(log.begin(), log.end(), "w.rdown 10,10"), log.end());
    EXPECT_TRUE(showing(shown));
    EXPECT_EQ(shown.screenRect().right, 310);
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Right, {310, 310}));
    pump();
    EXPECT_NE(std::find(log.begin(), log.end(), "w.rup 10,10"), log.end());
    EXPECT_FALSE(shown.isShown());
}

} // namespace
} // namespace q71
