#include "framework/widgets/animated_switch.h"
#include "framework/widgets/widget_bitmap.h"
#include "recording_sound.h"
#include "switch_fixture.h"

#include <vector>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

// A run of five frames (0 red to 4 grey) and an extra white frame, the disabled look.
const std::vector<ColorRef> kFrames{test::kRed,    test::kGreen, test::kBlue,
                                    test::kYellow, test::kGrey,  rgb(248, 248, 248)};

class Switches : public test::SwitchFixture {
protected:
    Switches() {
        writeStrip("switch.bmp", 30, 20, kFrames);
        strip.load("switch.bmp");
    }
    AnimatedSwitch* animated(bool notifyOnPress) {
        auto* s = new AnimatedSwitch(screen->window(), "switch.bmp", 61, 100, 100, 30, 20, 6, strip.header(),
                                     strip.bits(), true, notifyOnPress, false);
        s->setClickSound("click.wav", 0);
        return s;
    }
    // The colours the switch shows over `ms`, each change once.
    std::vector<ColorRef> watch(std::uint64_t ms) {
        std::vector<ColorRef> seen;
        for (std::uint64_t t = 0; t < ms; t += 10) {
            advance(10);
            if (seen.empty() || seen.back() != screenPixel(110, 110))
                seen.push_back(screenPixel(110, 110));
        }
        return seen;
    }
    ColorRef frame(int i) const { return kFrames[static_cast<std::size_t>(i)]; }
    test::RecordingSound sound;
    WidgetBitmap strip;
};

TEST_F(Switches, ARunGoesUpFlickersBetweenTheTopTwoFramesAndReportsOne) {
    AnimatedSwitch* s = animated(false);
    clickAt({110, 110});
    EXPECT_EQ(commands(), (Commands{{61, 3}}));
    EXPECT_EQ(sound.log.back(), "play");
    // Frame 0 goes at once, 1 and 2 stay 250 ms, 3 and the top stay 500 ms.
    std::vector<ColorRef> seen = watch(10 + 10 + 250 + 250 + 500 * 6);
    EXPECT_EQ(seen, (std::vector<ColorRef>{frame(0), frame(1), frame(2), frame(3), frame(4), frame(3),
                                           frame(4), frame(3), frame(4)}));
    EXPECT_EQ(commands(), (Commands{{61, 3}, {61, 1}}));
    EXPECT_EQ(s->getState(), 1);
    EXPECT_EQ(s->phase(), 0);
    EXPECT_EQ(s->currentFrame(), s->frame(4));
}

TEST_F(Switches, WithoutNotifyOnPressItIgnoresClicksOnceUp) {
    AnimatedSwitch* s = animated(false);
    clickAt({110, 110});
    run(5000);
    clickAt({110, 110});
    run(5000);
    EXPECT_EQ(commands(), (Commands{{61, 3}, {61, 1}}));
    EXPECT_EQ(s->currentFrame(), s->frame(4));
}

TEST_F(Switches, WithNotifyOnPressTheNextRunFlickersAtTheTopRunsDownAndReportsZero) {
    AnimatedSwitch* s = animated(true);
    clickAt({110, 110});
    run(5000);
    clickAt({110, 110});
    std::vector<ColorRef> seen = watch(6000);
    EXPECT_EQ(seen, (std::vector<ColorRef>{frame(4), frame(3), frame(4), frame(3), frame(4), frame(3),
                                           frame(4), frame(3), frame(2), frame(1), frame(0)}));
    EXPECT_EQ(commands(), (Commands{{61, 3}, {61, 1}, {61, 3}, {61, 0}}));
    EXPECT_EQ(s->getState(), 2);
    EXPECT_EQ(s->phase(), 1);
}

TEST_F(Switches, ClicksDuringARunAreIgnored) {
    animated(true);
    clickAt({110, 110});
    run(300);
    clickAt({110, 110});
    run(5000);
    EXPECT_EQ(commands(), (Commands{{61, 3}, {61, 1}}));
}

TEST_F(Switches, AStartedAnimationClicksAndRunsWithoutReportingAPress) {
    AnimatedSwitch* s = animated(false);
    s->startAnimation();
    EXPECT_EQ(sound.log.back(), "play");
    run(5000);
    EXPECT_EQ(commands(), (Commands{{61, 1}}));
}

TEST_F(Switches, PositionsShowTheEndsOfTheRunAndDisablingShowsTheExtraFrame) {
    AnimatedSwitch* s = animated(false);
    s->setPosition(1);
    EXPECT_EQ(s->currentFrame(), s->frame(4)) << "the top of the run, not the extra frame";
    EXPECT_EQ(s->getState(), 1);
    s->setState(2);
    EXPECT_EQ(s->currentFrame(), s->frame(0));
    clickAt({110, 110});
    run(300);
    s->setEnabled(false);
    EXPECT_EQ(s->currentFrame(), s->frame(5));
    clickAt({110, 110});
    run(5000);
    EXPECT_EQ(commands(), (Commands{{61, 3}})) << "disabling stops the run";
    s->setEnabled(true);
    EXPECT_EQ(s->currentFrame(), s->frame(0));
    EXPECT_EQ(s->getState(), 2);
    EXPECT_EQ(s->phase(), 1);
}

} // namespace
} // namespace q71
