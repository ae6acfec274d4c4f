#include "framework/app/full_screen.h"
#include "framework/widgets/read_out_strips.h"
#include "widget_fixture.h"

#include <filesystem>
#include <limits>
#include <memory>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

constexpr int kId = 60;

// The colour of frame i of the test strips: every frame its own.
ColorRef frameColour(int i) {
    return rgb(8 * (i + 1), 4 * (i + 1), 248 - 8 * i);
}

// A screen with a black background, so that its windowless widgets are painted.
class Panel : public FullScreen {
public:
    explicit Panel(WindowHandle parent) : FullScreen("panel", parent, 640, 480, 0, 0) {}
    void open() override { background_.load("panel.bmp"); }
};

class ReadOuts : public test::WidgetFixture {
protected:
    ReadOuts() {
        std::vector<ColorRef> colours;
        for (int i = 0; i < 22; ++i)
            colours.push_back(frameColour(i));
        writeStrip("smallnum.bmp", 10, 10, colours);
        writeStrip("numerals.bmp", 13, 13, colours);
        writeBitmap("panel.bmp", 640, 480, 16, [](int, int) { return rgb(0, 0, 0); });
        screen->activate();
        pump();
    }
    SmallReadOut* small(int digits, bool editable = false, bool limits = false) {
        auto* r = new SmallReadOut(screen->window(), kId, 100, 100, digits, editable, limits);
        r->loadResources();
        return r;
    }
    // The frames shown in the cells, read back from the screen.
    std::vector<int> shown(const ReadOut& r) {
        pump();
        std::vector<int> frames;
        for (int i = 0; i < r.digitCount(); ++i) {
            const ColorRef c = screenPixel(r.getX() + i * r.getHeight() + 5, r.getY() + 5);
            int found = -1;
            for (int f = 0; f < 22; ++f)
                if (frameColour(f) == c)
                    found = f;
            frames.push_back(found);
        }
        return frames;
    }
    void press(Point at, MouseButton button) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, button, at));
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, button, at));
        pump();
    }
    static constexpr int kBlank = ReadOut::kBlank;
    std::unique_ptr<Panel> screen = std::make_unique<Panel>(mainWindow);
};

TEST_F(ReadOuts, AValueShowsFromTheRightWithLeadingZerosAndItsSignDropped) {
    SmallReadOut* r = small(4);
    EXPECT_EQ(r->getWidth(), 40);
    EXPECT_EQ(r->getHeight(), 10);
    r->setValue(-42);
    EXPECT_EQ(shown(*r), (std::vector<int>{0, 0, 4, 2}));
    EXPECT_EQ(r->getValue(), 42);
    r->setValue(123456);
    EXPECT_EQ(r->getValue(), 3456) << "higher digits are dropped";
    r->setValue(std::numeric_limits<int>::min());
    EXPECT_EQ(r->getValue(), 3648);
    r->setLit(false);
    EXPECT_EQ(shown(*r), (std::vector<int>{14, 17, 15, 19})) << "unlit digits use the second look";
}

TEST_F(ReadOuts, DigitsOutsideTheirRangeAreRefusedAndABlankMakesTheValueUnknown) {
    SmallReadOut* r = small(3);
    EXPECT_EQ(r->setDigit(3, 1), 0);
    EXPECT_EQ(r->setDigit(-1, 1), 0);
    EXPECT_EQ(r->setDigit(0, 11), 0);
    EXPECT_EQ(r->setDigit(0, -1), 0);
    EXPECT_EQ(r->setDigit(0, 7), 1);
    EXPECT_EQ(r->getValue(), 700);
    EXPECT_EQ(r->setDigit(1, kBlank), 1);
    EXPECT_EQ(r->getValue(), -1);
    r->clear();
    EXPECT_EQ(shown(*r), (std::vector<int>{kBlank, kBlank, kBlank}));
}

TEST_F(ReadOuts, ClicksCountADigitUpAndDownAndCommitTwoSecondsAfterTheLast) {
    SmallReadOut* r = small(3, true);
    r->setValue(90);
    press({125, 105}, MouseButton::Left);
    EXPECT_EQ(r->digit(2), 1);
    press({115, 105}, MouseButton::Left);
    EXPECT_EQ(r->digit(1), 0) << "9 counts up to 0";
    press({105, 105}, MouseButton::Right);
    EXPECT_EQ(r->digit(0), 9) << "0 counts down to 9";
    EXPECT_EQ(shown(*r), (std::vector<int>{9, 0, 1}));
    run(1990);
    EXPECT_TRUE(commands().empty());
    press({105, 105}, MouseButton::Right);
    run(1990);
    EXPECT_TRUE(commands().empty()) << "each click starts the wait again";
    run(20);
    EXPECT_EQ(commands(), (Commands{{kId, 801}}));
    run(3000);
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(ReadOuts, ACommitWithABlankDigitSaysNothingAndBlanksTheReadout) {
    SmallReadOut* r = small(2, true);
    r->setDigit(0, kBlank);
    press({115, 105}, MouseButton::Left);
    run(2010);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(shown(*r), (std::vector<int>{kBlank, kBlank}));
}

TEST_F(ReadOuts, ADigitWithALimitWrapsAtItsLimit) {
    SmallReadOut* r = small(2, true, true);
    r->setDigitLimit(1, 5);
    r->setDigit(1, 4);
    press({115, 105}, MouseButton::Left);
    EXPECT_EQ(r->digit(1), 5);
    press({115, 105}, MouseButton::Left);
    EXPECT_EQ(r->digit(1), 0);
    press({115, 105}, MouseButton::Right);
    EXPECT_EQ(r->digit(1), 5);
    press({105, 105}, MouseButton::Right);
    EXPECT_EQ(r->digit(0), 9) << "the other digit keeps 9";
    r->setDigitLimit(0, 40);
    r->setDigit(0, 9);
    press({105, 105}, MouseButton::Left);
    EXPECT_EQ(r->digit(0), 0) << "a limit is never beyond 9";
    r->clear();
    press({115, 105}, MouseButton::Right);
    EXPECT_EQ(r->digit(1), 5) << "a blank counts down to the limit, not past it";
    r->clear();
    press({105, 105}, MouseButton::Right);
    EXPECT_EQ(r->digit(0), 9);
}

TEST_F(ReadOuts, AReadOnlyReadoutIgnoresClicks) {
    SmallReadOut* r = small(2);
    press({105, 105}, MouseButton::Left);
    press({105, 105}, MouseButton::Right);
    run(2010);
    EXPECT_EQ(r->getValue(), 0);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ReadOuts, ReadoutsOfAKindShareOneStripFreedWithTheLast) {
    auto first = std::make_unique<SmallReadOut>(screen->window(), 1, 10, 10, 2, false, false);
    auto second = std::make_unique<SmallReadOut>(screen->window(), 2, 10, 30, 2, false, false);
    auto large = std::make_unique<LargeReadOut>(screen->window(), 3, 10, 50, 2, false, false);
    EXPECT_EQ(large->getHeight(), 13);
    EXPECT_EQ(large->getWidth(), 26);
    first->loadResources();
    std::filesystem::remove(art.path() / "smallnum.bmp");
    second->loadResources(); // would be fatal if it read the file again
    EXPECT_EQ(SmallReadOut::strip().users, 2);
    EXPECT_FALSE(LargeReadOut::strip().bitmap.loaded());
    second->setValue(37);
    EXPECT_EQ(shown(*second), (std::vector<int>{3, 7}));
    first.reset();
    EXPECT_TRUE(SmallReadOut::strip().bitmap.loaded());
    second->freeResources();
    EXPECT_TRUE(SmallReadOut::strip().bitmap.loaded()) << "freeing only forgets the strip";
    second.reset();
    EXPECT_FALSE(SmallReadOut::strip().bitmap.loaded());
    EXPECT_EQ(SmallReadOut::strip().users, 0);
}

} // namespace
} // namespace q71
