#include "framework/widgets/scroller.h"
#include "framework/widgets/scroller_parts.h"
#include "framework/widgets/text_box.h"
#include "platform/window/message_ids.h"
#include "widget_fixture.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace q71 {
namespace {

using test::kBlue;
using test::kGrey;
using test::kRed;
using test::kYellow;
using Reports = std::vector<std::pair<WParam, LParam>>;

constexpr ColorRef kBlack = rgb(0, 0, 0);
constexpr int kId = 77;
// The bars of these tests stand at (100, 100), 16 by 116, with 16-pixel arrows; the thumb
// bitmap is 12 by 20, so it travels from 16 to 80 along the bar.
constexpr int kLeft = 100;
constexpr int kTop = 100;

class Scrollers : public test::WidgetFixture {
protected:
    Scrollers() {
        writeStrip("up.bmp", 16, 16, {kGrey, kYellow, kRed});
        writeStrip("down.bmp", 16, 16, {kGrey, kYellow, kRed});
        writeStrip("thumb.bmp", 12, 20, {kBlue});
    }
    ~Scrollers() override { textBoxSetScrollerFactory(nullptr); }

    Scroller& bar(bool hasThumb = true, const char* thumb = "thumb.bmp") {
        auto* s = new Scroller(mainWindow, kLeft, kTop, 16, 116, false, kId, hasThumb, "", "up.bmp", "down.bmp",
                               thumb, 16, 16);
        s->loadResources();
        s->setRange(1, 10, 0, 30);
        pump();
        received.clear();
        return *s;
    }
    // The positions reported to the parent since the last call.
    std::vector<int> reported() {
        std::vector<int> out;
        for (const auto& r : receivedBy(mainWindow, WM_VSCROLL)) {
            EXPECT_EQ(r.lParam, kId);
            out.push_back(static_cast<int>(r.wParam));
        }
        received.clear();
        return out;
    }
    void press(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, at));
        pump();
    }
    void moveTo(Point at) {
        display.moveMouse(at);
        pump();
    }
    void release(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, at));
        pump();
    }
    // Where the thumb shows on the screen.
    Rect thumbOnScreen() const { return inkBounds({kLeft, kTop, kLeft + 16, kTop + 116}, kBlue); }
};

TEST_F(Scrollers, PositionsStayInTheRangeAndEachChangeIsReported) {
    Scroller& s = bar();
    s.setRange(1, 5, 10, 3);
    EXPECT_EQ(s.getPosition(), 10);
    EXPECT_EQ(s.setPosition(12), 0);
    EXPECT_EQ(s.getPosition(), 10);
    EXPECT_EQ(s.setPosition(10), 1);
    EXPECT_EQ(reported(), (std::vector<int>{10, 10, 10}));

    s.setRange(0, -3, 0, 30);
    s.setPosition(5);
    s.lineDown();
    s.pageUp();
    s.pageUp();
    s.lineUp();
    EXPECT_EQ(reported(), (std::vector<int>{10, 5, 6, 5, 4, 3}));
}

TEST_F(Scrollers, AParentClosingTheBarInAnswerStillLearnsWhetherThePositionWasClamped) {
    Scroller* s = nullptr;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_VSCROLL && s)
            delete std::exchange(s, nullptr);
        return std::nullopt;
    };
    Scroller* moved = &bar();
    s = moved;
    EXPECT_EQ(moved->setPosition(40), 0);
    EXPECT_EQ(s, nullptr);
    moved = &bar();
    s = moved;
    EXPECT_EQ(moved->setPosition(20), 1);
    EXPECT_EQ(s, nullptr);
}

TEST_F(Scrollers, TheThumbStandsForThePositionAlongTheTrack) {
    Scroller& s = bar();
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 116, 114, 136}));
    s.setPosition(30);
    pump();
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 180, 114, 200}));
    s.setPosition(15);
    pump();
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 148, 114, 168}));
    // An empty range keeps it at the start.
    s.setRange(1, 1, 5, 5);
    pump();
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 116, 114, 136}));
}

TEST_F(Scrollers, AProportionalThumbIsAsLongAsTheVisibleShareAndDrawnAsABox) {
    Scroller& s = bar();
    s.setProportional(true);
    EXPECT_EQ(s.thumbLength(), 21); // round (84 * 10 / 40)
    s.setPosition(30);
    EXPECT_EQ(s.thumbOffset(), 116 - 16 - 21);
    pump();
    EXPECT_TRUE(thumbOnScreen().isEmpty());
    s.setRange(1, 10, 0, 0);
    EXPECT_EQ(s.thumbLength(), 84);
    EXPECT_EQ(s.thumbOffset(), 16);
}

TEST_F(Scrollers, AnArrowMovesALinePerClickAndRepeatsWhileHeld) {
    bar();
    const Point down{108, kTop + 110};
    clickAt(down);
    EXPECT_EQ(reported(), (std::vector<int>{1}));
    press(down);
    EXPECT_EQ(screenPixel(down.x, down.y), kYellow);
    run(240);
    EXPECT_TRUE(reported().empty());
    run(20);
    EXPECT_EQ(reported(), (std::vector<int>{2}));
    run(100);
    EXPECT_EQ(reported(), (std::vector<int>{3, 4}));
    release(down);
    EXPECT_EQ(reported(), (std::vector<int>{5}));
    EXPECT_EQ(screenPixel(down.x, down.y), kGrey);
    clickAt({108, kTop + 5});
    EXPECT_EQ(reported(), (std::vector<int>{4}));
}

TEST_F(Scrollers, APressOnTheTrackPagesTowardsItAtTheRelease) {
    Scroller& s = bar();
    const Point below{108, kTop + 60};
    press(below);
    EXPECT_EQ(screenPixel(below.x, below.y), kBlack);
    EXPECT_EQ(screenPixel(108, kTop + 20), kBlue); // the thumb itself is untouched
    EXPECT_TRUE(reported().empty());
    release(below);
    EXPECT_EQ(reported(), (std::vector<int>{10}));
    EXPECT_NE(screenPixel(below.x, below.y), kBlack);

    s.setPosition(30);
    received.clear();
    clickAt({108, kTop + 30});
    EXPECT_EQ(reported(), (std::vector<int>{20}));
    // On the thumb nothing pages: the release ends a drag that went nowhere.
    clickAt({108, kTop + s.thumbOffset() + 5});
    EXPECT_EQ(reported(), (std::vector<int>{20}));
}

TEST_F(Scrollers, WithoutAThumbTheTrackTakesNoClicks) {
    bar(false);
    clickAt({108, kTop + 60});
    EXPECT_TRUE(reported().empty());
    // The grey track without a background bitmap (0xD6D6D6 on the 16-bit screen).
    EXPECT_EQ(screenPixel(108, kTop + 60), rgb(0xD0, 0xD4, 0xD0));
}

TEST_F(Scrollers, DraggingTheThumbReportsAtTheReleaseUnlessTracking) {
    Scroller& s = bar();
    press({108, kTop + 21}); // 5 pixels into the thumb
    moveTo({108, kTop + 50});
    EXPECT_EQ(s.getPosition(), 14); // round ((45 - 16) * 30 / 64)
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 145, 114, 165}));
    moveTo({108, kTop + 300});
    EXPECT_EQ(s.getPosition(), 30);
    EXPECT_TRUE(reported().empty());
    release({108, kTop + 300});
    EXPECT_EQ(reported(), (std::vector<int>{30}));
    EXPECT_FALSE(s.thumb()->isDragging());

    s.setTracking(true);
    press({108, kTop + 85});
    moveTo({108, kTop + 50});
    moveTo({108, kTop - 40});
    EXPECT_EQ(reported(), (std::vector<int>{14, 0}));
    release({108, kTop - 40});
    EXPECT_EQ(reported(), (std::vector<int>{0}));
    EXPECT_EQ(thumbOnScreen(), (Rect{102, 116, 114, 136}));
}

TEST_F(Scrollers, ATextBoxShowsOneWhenItsLinesOverflowAndFollowsIt) {
    textBoxSetScrollerFactory(&makeTextBoxScroller);
    ScrollerLook look{"", "up.bmp", "down.bmp", "thumb.bmp", 16, 16, true};
    auto* box = new TextBox(mainWindow, 0, 0, 200, 116, nullptr, nullptr, true, look);
    for (int i = 0; i < 30; ++i)
        box->addLine(("line " + std::to_string(i)).c_str());
    pump();
    ASSERT_NE(box->scroller(), nullptr);
    auto& shown = dynamic_cast<Scroller&>(box->scroller()->widget());
    EXPECT_EQ(shown.getX(), 200 - 16);
    const int last = box->lineCount() - box->visibleLines();
    box->scrollToEnd();
    EXPECT_EQ(box->firstVisibleLine(), last);
    EXPECT_EQ(shown.thumbOffset(), shown.trackEnd());
    // The decrement arrow scrolls the box a line back.
    clickAt({200 - 8, 5});
    EXPECT_EQ(box->firstVisibleLine(), last - 1);
}

} // namespace
} // namespace q71
