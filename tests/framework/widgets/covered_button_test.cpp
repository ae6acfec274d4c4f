#include "framework/widgets/covered_button.h"
#include "framework/widgets/widget_bitmap.h"
#include "recording_sound.h"
#include "switch_fixture.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kGrey;
using test::kRed;
using test::kYellow;
using Commands = test::WidgetFixture::Commands;

class Covered : public test::SwitchFixture {
protected:
    // Shut red, half open green, open blue, pressed yellow, disabled grey.
    Covered() { writeStrip("cover.bmp", 40, 40, {kRed, kGreen, kBlue, kYellow, kGrey}); }
    // A loaded button at (x, 100), 40 by 40; its handle is the top 20 rows.
    CoveredButton* button(int id = 21, int x = 100) {
        auto* b = new CoveredButton(screen->window(), id, "cover.bmp", 5, x, 100, 40, 40, false);
        b->loadResources();
        b->setClickSound("click.wav", 0);
        return b;
    }
    // The colours shown at a point after each of `steps` waits of `ms` (the first wait is 10 ms).
    std::vector<ColorRef> watchFrames(Point at, int steps, std::uint64_t ms = 100) {
        std::vector<ColorRef> seen;
        for (int i = 0; i < steps; ++i) {
            advance(i == 0 ? 10 : ms);
            seen.push_back(screenPixel(at.x, at.y));
        }
        return seen;
    }
    int clicks() const { return static_cast<int>(std::count(sound.log.begin(), sound.log.end(), "play")); }
    test::RecordingSound sound;
};

TEST_F(Covered, TheFirstClickOnlyLiftsTheCoverAndTheNextPressesTheButtonAndLetsTheCoverFall) {
    CoveredButton* b = button();
    clickAt({120, 130});
    EXPECT_EQ(watchFrames({120, 130}, 3), (std::vector<ColorRef>{kRed, kGreen, kBlue}));
    EXPECT_EQ(commands(), (Commands{{21, 10}}));
    EXPECT_EQ(b->getState(), CoveredButton::kOpen);
    EXPECT_EQ(clicks(), 0);

    clickAt({120, 130});
    EXPECT_EQ(watchFrames({120, 130}, 5), (std::vector<ColorRef>{kBlue, kYellow, kBlue, kGreen, kRed}));
    EXPECT_EQ(commands(), (Commands{{21, 10}, {21, 1}}));
    EXPECT_EQ(b->getState(), CoveredButton::kClosed);
    EXPECT_EQ(clicks(), 1);
}

TEST_F(Covered, AClickOnTheOpenCoversHandleShutsItAgain) {
    CoveredButton* b = button();
    clickAt({120, 130});
    run(500);
    clickAt({120, 105});
    EXPECT_EQ(watchFrames({120, 130}, 3), (std::vector<ColorRef>{kBlue, kGreen, kRed}));
    EXPECT_EQ(commands(), (Commands{{21, 10}, {21, 11}}));
    EXPECT_EQ(b->getState(), CoveredButton::kClosed);
    clickAt({120, 105});
    run(500);
    EXPECT_EQ(commands().back(), (std::pair<WParam, LParam>{21, 10})) << "shut, it opens again";
}

TEST_F(Covered, ClicksDuringARunAreIgnored) {
    button();
    clickAt({120, 130});
    advance(110);
    clickAt({120, 105});
    run(500);
    clickAt({120, 130});
    advance(110);
    clickAt({120, 105});
    run(1000);
    EXPECT_EQ(commands(), (Commands{{21, 10}, {21, 1}}));
}

TEST_F(Covered, WithABlinkCountTheButtonBlinksBeforeItReportsAndRestsShut) {
    CoveredButton* b = button();
    b->setBlinkCount(3);
    clickAt({120, 130});
    run(500);
    clickAt({120, 130});
    run(500);
    EXPECT_EQ(b->getState(), CoveredButton::kBlinking);
    EXPECT_EQ(commands().size(), 1u);
    // Shut, disabled look, then at the blink count it rests shut.
    EXPECT_EQ(watchFrames({120, 130}, 3, 500), (std::vector<ColorRef>{kRed, kGrey, kRed}));
    EXPECT_EQ(commands(), (Commands{{21, 10}, {21, 1}}));
    EXPECT_EQ(b->getState(), CoveredButton::kClosed);
    clickAt({120, 130});
    run(500);
    EXPECT_EQ(commands().back(), (std::pair<WParam, LParam>{21, 10})) << "after blinking it opens again";
}

TEST_F(Covered, DisablingShowsTheDisabledLookStopsAnyRunAndIgnoresClicks) {
    CoveredButton* b = button();
    clickAt({120, 130});
    advance(110);
    b->setEnabled(false);
    EXPECT_EQ(b->currentFrame(), b->frame(4));
    clickAt({120, 130});
    run(1000);
    EXPECT_TRUE(commands().empty());
    b->setEnabled(true);
    EXPECT_EQ(b->currentFrame(), b->frame(0));
    EXPECT_EQ(b->getState(), CoveredButton::kClosed);
    clickAt({120, 130});
    run(500);
    EXPECT_EQ(commands(), (Commands{{21, 10}}));
}

TEST_F(Covered, TwoButtonsPressedOneAfterTheOtherEachRunTheirOwnPress) {
    button(21, 100);
    WidgetBitmap strip;
    ASSERT_TRUE(strip.load("cover.bmp"));
    auto* second =
        new CoveredButton(screen->window(), 22, 5, 200, 100, 40, 40, strip.header(), strip.bits(), false);
    second->setClickSound("click.wav", 0);
    clickAt({120, 130});
    clickAt({220, 130});
    run(500);
    // The first is on its way back up when the second is pressed.
    clickAt({120, 130});
    advance(10);
    advance(100);
    advance(40);
    clickAt({220, 130});
    advance(10);
    advance(100);
    EXPECT_EQ(screenPixel(220, 130), kYellow);
    run(1000);
    EXPECT_EQ(commands(), (Commands{{21, 10}, {22, 10}, {21, 1}, {22, 1}}));
    EXPECT_EQ(clicks(), 2);
}

} // namespace
} // namespace q71
