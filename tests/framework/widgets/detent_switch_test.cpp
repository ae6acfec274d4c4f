#include "framework/widgets/detent_switch.h"
#include "recording_sound.h"
#include "switch_fixture.h"

#include <vector>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

// Nine frames of distinct colours, frame i redder and less blue than frame i - 1.
std::vector<ColorRef> nineColours() {
    std::vector<ColorRef> colours;
    for (int i = 0; i < 9; ++i)
        colours.push_back(rgb(24 * i + 8, 0, 248 - 24 * i));
    return colours;
}

// A knob whose detents lie at 270, 315, 0, 45 and 90 degrees (left, up-left, up, up-right,
// right), and which logs the turns it starts.
class LoggingKnob : public DetentSwitch {
public:
    using DetentSwitch::DetentSwitch;
    void onTurnStart(int detent) override { started.push_back(detent); }
    std::vector<int> started;
};

class Knob : public test::SwitchFixture {
protected:
    Knob() { writeStrip("knob.bmp", 48, 30, nineColours()); }
    // A loaded knob, windowless at (100, 100) or windowed at (300, 200); the pivot is at (24, 15).
    LoggingKnob* knob(bool windowed = false) {
        auto* k = new LoggingKnob(screen->window(), 7, "knob.bmp", windowed ? 300 : 100, windowed ? 200 : 100,
                                  48, 30, 9, 270, 180, 5, windowed);
        k->loadResources();
        return k;
    }
    ColorRef shown() const { return screenPixel(101, 101); }
    test::RecordingSound sound;
};

TEST_F(Knob, APressRightOfThePivotTurnsFrameByFrameToTheLastDetentThenClicksAndReports) {
    LoggingKnob* k = knob();
    EXPECT_EQ(sound.log, (std::vector<std::string>{"prepare switch.wav"}));
    clickAt({145, 115});
    EXPECT_EQ(k->started, (std::vector<int>{4}));
    EXPECT_EQ(k->targetFrame(), 8);
    std::vector<ColorRef> seen;
    for (int tick = 0; tick < 9; ++tick) {
        advance(60);
        seen.push_back(shown());
    }
    EXPECT_EQ(seen, nineColours());
    EXPECT_EQ(commands(), (Commands{{7, 4}}));
    EXPECT_EQ(sound.log.back(), "restart");
    EXPECT_EQ(k->getState(), 4);

    // Back the other way: left of the pivot is the first detent.
    clickAt({101, 115});
    run(1000);
    EXPECT_EQ(shown(), nineColours().front());
    EXPECT_EQ(commands(), (Commands{{7, 4}, {7, 0}}));
}

TEST_F(Knob, EachDirectionPicksTheDetentWhoseSpanHoldsIt) {
    LoggingKnob* k = knob();
    // Up, up-left, up-right, then below: past either end of the range it stops at the nearer end.
    for (Point at : {Point{124, 100}, Point{101, 100}, Point{147, 100}, Point{147, 129}, Point{101, 129}})
        clickAt(at);
    EXPECT_EQ(k->started, (std::vector<int>{2, 1, 3, 4, 0}));
}

TEST_F(Knob, PressesInTheDeadZoneRoundThePivotDoNothing) {
    LoggingKnob* k = knob();
    k->setPosition(3);
    clickAt({124 + 12, 115 + 7});
    run(500);
    EXPECT_TRUE(k->started.empty());
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(k->frameIndex(), 6);
}

TEST_F(Knob, DraggingRoundThePivotRetargetsTheTurn) {
    LoggingKnob* k = knob();
    press({124, 100});
    display.moveMouse({146, 101});
    display.moveMouse({146, 103});
    release({146, 103});
    run(1000);
    EXPECT_EQ(k->started, (std::vector<int>{2, 3})) << "a move within the same detent starts nothing";
    EXPECT_EQ(commands(), (Commands{{7, 3}}));
}

TEST_F(Knob, APositionShowsItsFrameAtOnceAndPositionsOutsideTheDetentsAreRefused) {
    LoggingKnob* k = knob();
    k->setPosition(2);
    EXPECT_EQ(k->frameIndex(), 4);
    EXPECT_EQ(k->getState(), 2);
    k->setPosition(5);
    k->setPosition(-1);
    EXPECT_EQ(k->frameIndex(), 4);
    EXPECT_EQ(k->currentFrame(), k->frame(4));
    // Reading the strip again keeps the position.
    k->freeResources();
    k->loadResources();
    EXPECT_EQ(k->frameIndex(), 4);
    EXPECT_TRUE(commands().empty());
}

TEST_F(Knob, WithARadiusTheAngleComesFromTheHeightAlone) {
    LoggingKnob* k = knob();
    k->setRadius(20);
    clickAt({101, 115}); // level with the pivot: 90 degrees, whichever side
    clickAt({124, 129}); // far below: past the radius, straight down
    EXPECT_EQ(k->started, (std::vector<int>{4, 4}));
}

TEST_F(Knob, AWindowedKnobMeasuresFromItsOwnCorner) {
    LoggingKnob* k = knob(true);
    clickAt({345, 215});
    run(1000);
    EXPECT_EQ(k->started, (std::vector<int>{4}));
    EXPECT_EQ(commands(), (Commands{{7, 4}}));
    EXPECT_EQ(screenPixel(301, 201), nineColours().back());
}

TEST_F(Knob, AKnobOfOneDetentAndNoRangeStaysAtItsFirstFrame) {
    auto* single = new DetentSwitch(screen->window(), 1, "knob.bmp", 100, 100, 48, 30, 9, 0, 0, 1, false);
    single->loadResources();
    clickAt({145, 115});
    run(200);
    EXPECT_EQ(single->frameIndex(), 0);
    EXPECT_EQ(commands(), (Commands{{1, 0}}));
}

} // namespace
} // namespace q71
