#include "framework/app/full_screen.h"
#include "framework/app/page_screen.h"
#include "framework/app/sub_screen.h"
#include "framework/widgets/widget_fixture.h"
#include "framework/widgets/widget_probe.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_system.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {
namespace {

using test::kGrey;
using test::kRed;
using test::Probe;
using Log = std::vector<std::string>;

// Each screen writes its opens, closes, keys and commands to the log; keys and commands it is
// told to take return 1.
template <class Base> class Logging : public Base {
public:
    template <class... Args>
    Logging(Log& log, std::string tag, Args&&... args)
        : Base(tag, std::forward<Args>(args)...), log_(log), tag_(std::move(tag)) {}

    void open() override { log_.push_back(tag_ + ".open"); }
    void close() override { log_.push_back(tag_ + ".close"); }
    int onKey(int key, int category) override {
        log_.push_back(tag_ + ".key " + std::to_string(key) + "/" + std::to_string(category));
        return key == takesKey ? 1 : 0;
    }
    int onCommand(WParam wParam, LParam lParam) override {
        log_.push_back(tag_ + ".command " + std::to_string(wParam));
        return takesCommands ? 1 : Base::onCommand(wParam, lParam);
    }

    int takesKey = -1;
    bool takesCommands = false;

private:
    Log& log_;
    std::string tag_;
};

using Full = Logging<FullScreen>;
using Sub = Logging<SubScreen>;
using Page = Logging<PageScreen>;

// A full screen with a background it loads when it opens.
class Pictured : public FullScreen {
public:
    Pictured(WindowHandle parent, bool withBackground)
        : FullScreen("pictured", parent, 640, 480, 0, 0), withBackground_(withBackground) {}
    void open() override {
        if (withBackground_)
            background_.load("back.bmp");
    }

private:
    bool withBackground_;
};

class ScreenBases : public test::WidgetFixture {
protected:
    // A full screen `tag` with `subs` sub-screens of two pages each; the current child and pages are 0.
    std::unique_ptr<Full> makeTree(const std::string& tag, int subs) {
        auto full = std::make_unique<Full>(log, tag, mainWindow, 640, 480, 0, 0);
        full->setChildCount(subs);
        for (int s = 0; s < subs; ++s) {
            std::string subTag = tag + std::to_string(s);
            auto sub = std::make_unique<Sub>(log, subTag, full->window(), 540, 420, 0, 0);
            sub->setPageCount(2);
            for (int p = 0; p < 2; ++p)
                sub->setPage(p, std::make_unique<Page>(log, subTag + "p" + std::to_string(p), sub->window(),
                                                       540, 420, 0, 0));
            sub->setCurrentPage(0);
            full->setChild(s, std::move(sub));
        }
        full->openChild(0);
        log.clear();
        return full;
    }
    // makeTree, activated and painted, with the log cleared.
    std::unique_ptr<Full> shownTree(const std::string& tag, int subs) {
        auto full = makeTree(tag, subs);
        full->activate();
        pump();
        log.clear();
        return full;
    }
    Sub& sub(Full& full, int i) { return static_cast<Sub&>(*full.child(i)); }
    Page& page(Full& full, int i, int p) { return static_cast<Page&>(*sub(full, i).page(p)); }

    Log log;
};

TEST_F(ScreenBases, ActivatingOpensAndShowsTheNewTreeThenClosesAndHidesTheOldOne) {
    auto a = makeTree("A", 1);
    auto b = makeTree("B", 1);
    a->activate();
    pump();
    log.clear();
    b->activate();
    pump();
    EXPECT_EQ(log, (Log{"A.close", "A0.close", "A0p0.close", "B.open", "B0.open", "B0p0.open"}));
    EXPECT_FALSE(windowIsVisible(a->window()));
    EXPECT_TRUE(windowIsVisible(page(*b, 0, 0).window()));
    EXPECT_FALSE(windowIsVisible(page(*b, 0, 1).window()));
    EXPECT_EQ(activeFullScreen(), b.get());
    EXPECT_EQ(activeSubScreen(), &sub(*b, 0));
}

TEST_F(ScreenBases, ActivatingTheActiveScreenDoesNothing) {
    auto a = makeTree("A", 1);
    a->activate();
    log.clear();
    a->activate();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(windowIsVisible(a->window()));
}

TEST_F(ScreenBases, SelectingAnotherChildClosesAndHidesTheActiveSubScreen) {
    auto a = makeTree("A", 2);
    a->activate();
    log.clear();
    a->selectChild(1);
    EXPECT_EQ(log, (Log{"A0.close", "A0p0.close", "A1.open", "A1p0.open"}));
    EXPECT_EQ(a->currentChild(), 1);
    EXPECT_EQ(activeSubScreen(), &sub(*a, 1));
    EXPECT_FALSE(windowIsVisible(sub(*a, 0).window()));
    EXPECT_TRUE(windowIsVisible(sub(*a, 1).window()));
    log.clear();
    a->selectChild(1);
    EXPECT_TRUE(log.empty()) << "the active sub-screen shows itself again";
}

TEST_F(ScreenBases, SelectingAPageShowsItAndClosesAndHidesTheCurrentOne) {
    auto a = makeTree("A", 1);
    a->activate();
    log.clear();
    sub(*a, 0).selectPage(1);
    EXPECT_EQ(log, (Log{"A0p1.open", "A0p0.close"}));
    EXPECT_TRUE(windowIsVisible(page(*a, 0, 1).window()));
    EXPECT_FALSE(windowIsVisible(page(*a, 0, 0).window()));
    EXPECT_EQ(sub(*a, 0).currentPage(), 1);
}

TEST_F(ScreenBases, IndicesOutsideTheArraysOrTheCurrentPageChangeNothing) {
    auto a = makeTree("A", 1);
    a->activate();
    log.clear();
    a->openChild(1);
    a->openChild(-1);
    a->selectChild(5);
    sub(*a, 0).selectPage(-1);
    sub(*a, 0).selectPage(2);
    sub(*a, 0).selectPage(0);
    a->deleteChild(3);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(a->currentChild(), 0);
    EXPECT_EQ(sub(*a, 0).currentPage(), 0);
}

TEST_F(ScreenBases, DeletingAChildTakesItsWindowAndTheActiveSubScreenWithIt) {
    auto a = makeTree("A", 1);
    a->activate();
    WindowHandle subWindow = sub(*a, 0).window();
    WindowHandle pageWindow = page(*a, 0, 0).window();
    a->deleteChild(0);
    EXPECT_EQ(a->child(0), nullptr);
    EXPECT_FALSE(windowIsValid(subWindow));
    EXPECT_FALSE(windowIsValid(pageWindow));
    EXPECT_EQ(activeSubScreen(), nullptr);
}

TEST_F(ScreenBases, DestroyingTheActiveScreenClearsTheActiveScreens) {
    auto a = makeTree("A", 1);
    a->activate();
    WindowHandle window = a->window();
    a.reset();
    EXPECT_EQ(activeFullScreen(), nullptr);
    EXPECT_EQ(activeSubScreen(), nullptr);
    EXPECT_FALSE(windowIsValid(window));
}

TEST_F(ScreenBases, AKeyNoScreenTakesClimbsFromThePageToTheMainWindow) {
    auto a = shownTree("A", 1);
    focusSet(page(*a, 0, 0).window());
    display.typeKey(static_cast<std::uint8_t>(VK_F1));
    pump();
    EXPECT_EQ(log, (Log{"A0p0.key 112/1", "A0.key 112/1", "A.key 112/1"}));
    auto keys = receivedBy(mainWindow, WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, VK_F1);
}

TEST_F(ScreenBases, AKeyStopsAtTheScreenThatTakesIt) {
    auto a = shownTree("A", 1);
    sub(*a, 0).takesKey = VK_ESCAPE;
    focusSet(page(*a, 0, 0).window());
    display.typeKey(static_cast<std::uint8_t>(VK_ESCAPE));
    pump();
    // Esc is a special key and a character: both reach the sub-screen, which takes them.
    EXPECT_EQ(log, (Log{"A0p0.key 27/1", "A0.key 27/1", "A0p0.key 27/0", "A0.key 27/0"}));
    EXPECT_TRUE(receivedBy(mainWindow, WM_KEYDOWN).empty());
    EXPECT_TRUE(receivedBy(mainWindow, WM_CHAR).empty());
}

TEST_F(ScreenBases, LettersComeAsCharactersOnlyAndCtrlMakesThemCategoryFive) {
    auto a = shownTree("A", 1);
    focusSet(a->window());
    display.typeKey('A', 'a');
    pump();
    EXPECT_EQ(log, (Log{"A.key 97/0"}));
    EXPECT_TRUE(receivedBy(mainWindow, WM_KEYDOWN).empty());
    ASSERT_EQ(receivedBy(mainWindow, WM_CHAR).size(), 1u);
    log.clear();
    display.typeKey(static_cast<std::uint8_t>(VK_CONTROL), -1, true);
    display.typeKey('B');
    pump();
    EXPECT_EQ(log, (Log{"A.key 17/1", "A.key 2/5"}));
}

TEST_F(ScreenBases, ASubScreenKeepsCommandsAFullScreenPassesThemOn) {
    auto a = shownTree("A", 1);
    messageSend(page(*a, 0, 0).window(), WM_COMMAND, 41, 0);
    EXPECT_EQ(log, (Log{"A0p0.command 41", "A0.command 41"}));
    EXPECT_TRUE(receivedBy(mainWindow, WM_COMMAND).empty());
    log.clear();
    messageSend(a->window(), WM_COMMAND, 42, 0);
    EXPECT_EQ(log, (Log{"A.command 42"}));
    ASSERT_EQ(receivedBy(mainWindow, WM_COMMAND).size(), 1u);
    EXPECT_EQ(receivedBy(mainWindow, WM_COMMAND)[0].wParam, 42u);
}

TEST_F(ScreenBases, AScreenWithoutBackgroundPaintsNothingNotEvenItsWidgets) {
    Pictured screen(mainWindow, false);
    new Probe(log, "w", screen.window(), {10, 10, 50, 50}, kRed);
    screen.activate();
    pump();
    EXPECT_EQ(screenPixel(20, 20), rgb(0, 0, 0));
    EXPECT_TRUE(log.empty());
}

TEST_F(ScreenBases, AScreenPaintsItsBackgroundThenItsWidgetsTheLastAddedOnTop) {
    writeBitmap("back.bmp", 640, 480, 24, [](int, int) { return kGrey; });
    Pictured screen(mainWindow, true);
    new Probe(log, "first", screen.window(), {10, 10, 50, 50}, kRed);
    new Probe(log, "second", screen.window(), {30, 30, 70, 70}, test::kBlue);
    screen.activate();
    pump();
    EXPECT_EQ(log, (Log{"first.paint", "second.paint"}));
    EXPECT_EQ(screenPixel(5, 5), kGrey);
    EXPECT_EQ(screenPixel(15, 15), kRed);
    EXPECT_EQ(screenPixel(40, 40), test::kBlue);
}

// A background whose every pixel tells where it is, to 8 pixels (the screen keeps 5 or 6 bits).
ColorRef backgroundAt(int x, int y) {
    return rgb((x / 8) * 8 % 256, (y / 8) * 8 % 256, 96);
}

TEST_F(ScreenBases, ARepaintOfOneAreaDrawsItAsAWholePaintWouldAndLeavesTheRestOfTheWindowAlone) {
    writeBitmap("back.bmp", 640, 480, 24, backgroundAt);
    Pictured screen(mainWindow, true);
    new Probe(log, "first", screen.window(), {10, 10, 50, 50}, kRed);
    screen.activate();
    pump();
    const ColorRef marker = rgb(0, 252, 0); // 0x07E0 read back
    const auto mark = [&] {
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                screenSurface().row(y)[x] = 0x07E0;
    };
    mark();
    Rect area{20, 20, 60, 60};
    windowInvalidate(screen.window(), &area, false);
    pump();
    EXPECT_EQ(screenPixel(25, 25), kRed);
    EXPECT_EQ(screenPixel(55, 30), backgroundAt(55, 30));
    EXPECT_EQ(screenPixel(59, 59), backgroundAt(59, 59));
    EXPECT_EQ(screenPixel(15, 15), marker);
    EXPECT_EQ(screenPixel(60, 60), marker);

    // A widget added since: the next area shows it where it lies within, and only there.
    new Probe(log, "second", screen.window(), {70, 70, 110, 110}, test::kBlue);
    mark();
    area = {40, 40, 90, 90};
    windowInvalidate(screen.window(), &area, false);
    pump();
    EXPECT_EQ(screenPixel(45, 45), kRed);
    EXPECT_EQ(screenPixel(60, 45), backgroundAt(60, 45));
    EXPECT_EQ(screenPixel(80, 80), test::kBlue);
    EXPECT_EQ(screenPixel(95, 95), marker);
    EXPECT_EQ(screenPixel(30, 30), marker);
}

TEST_F(ScreenBases, WindowlessWidgetsOfOneControlIdEachKeepTheirOwnTimer) {
    FullScreen screen("timed", mainWindow, 640, 480, 0, 0);
    auto* first = new Probe(log, "first", screen.window(), {0, 0, 10, 10}, kRed);
    auto* second = new Probe(log, "second", screen.window(), {20, 0, 30, 10}, kRed);
    first->setControlId(7);
    second->setControlId(7);
    second->startTimer(100);
    first->startTimer(150);
    EXPECT_NE(first->timerId(), second->timerId());
    screen.activate();
    advance(100);
    EXPECT_EQ(log, (Log{"second.tick"}));
    advance(50);
    EXPECT_EQ(log, (Log{"second.tick", "first.tick"})) << "the second's timer did not replace the first's";
}

} // namespace
} // namespace q71
