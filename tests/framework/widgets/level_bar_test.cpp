#include "framework/widgets/level_bar.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "support/golden_image.h"
#include "widget_fixture.h"

#include <cmath>

namespace q71 {
namespace {

// A bar that counts its paints.
class CountedBar : public LevelBar {
public:
    using LevelBar::LevelBar;
    void paint(PaintRecord& record) override {
        ++paints;
        LevelBar::paint(record);
    }
    int paints = 0;
};

class LevelBars : public test::WidgetFixture {
protected:
    CountedBar* bar(double fraction, int width = 100) {
        auto* b = new CountedBar(mainWindow, 20, 20, width, 16, fraction);
        pump();
        return b;
    }
};

TEST_F(LevelBars, TheBarMovesInStepsOfItsWidth) {
    CountedBar* b = bar(0.0);
    EXPECT_EQ(b->barLength(), 0);
    b->setLevel(0.0199);
    EXPECT_EQ(b->barLength(), 0) << "just below the first of 50 steps";
    b->setLevel(0.02);
    EXPECT_EQ(b->barLength(), 2);
    b->setLevel(0.0399);
    EXPECT_EQ(b->barLength(), 2);
    b->setLevel(0.37);
    EXPECT_EQ(b->barLength(), 36);
    b->setSteps(4);
    EXPECT_EQ(b->barLength(), 25);
}

TEST_F(LevelBars, LevelsOutsideZeroToOneShowAnEmptyOrFullBar) {
    CountedBar* b = bar(-0.5);
    EXPECT_EQ(b->barLength(), 0);
    b->setLevel(7.0);
    EXPECT_EQ(b->barLength(), 100);
    EXPECT_EQ(b->level(), 1.0);
    b->setBorderWidth(3);
    EXPECT_EQ(b->barLength(), 94) << "the border takes its width on both sides";
    b->setLevel(std::nan(""));
    EXPECT_EQ(b->barLength(), 0) << "a level that is no number shows an empty bar";
    EXPECT_EQ(bar(std::nan(""))->barLength(), 0);
}

TEST_F(LevelBars, OnlyAChangeOfTheLengthRepaintsAndAtOnceUnlessAsked) {
    CountedBar* b = bar(0.1);
    int before = b->paints;
    b->setLevel(0.11);
    pump();
    EXPECT_EQ(b->paints, before) << "the same length in pixels";
    b->setLevel(0.3);
    EXPECT_EQ(b->paints, before + 1);
    b->setLevel(0.5, true);
    EXPECT_EQ(b->paints, before + 1);
    pump();
    EXPECT_EQ(b->paints, before + 2);
}

TEST_F(LevelBars, ARaisedBarOverASunkenBackgroundInsideABorder) {
    CountedBar* b = bar(0.6, 120);
    b->setBorderWidth(1);
    b->setBarColour(rgb(200, 120, 24));
    test::Canvas shown(124, 20);
    auto display = createDisplayDC();
    bitBlt(*shown.dc, 0, 0, 124, 20, display.get(), 18, 18, kSrcCopy);
    EXPECT_TRUE(test::matchesGoldenIn("tests/framework/widgets/golden", *shown.bitmap, "level_bar_60"));
}

} // namespace
} // namespace q71
