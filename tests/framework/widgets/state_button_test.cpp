#include "framework/widgets/state_button.h"
#include "switch_fixture.h"

#include <vector>

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using Commands = test::WidgetFixture::Commands;

class StateButtons : public test::SwitchFixture {
protected:
    StateButtons() { writeStrip("states.bmp", 30, 20, {kRed, kGreen, kBlue}); }
    StateButton* button(bool userFlag) {
        auto* b = new StateButton(screen->window(), 31, "states.bmp", 3, 100, 100, 30, 20, userFlag);
        b->loadResources();
        return b;
    }
};

TEST_F(StateButtons, EachClickShowsTheNextFrameAtOnceAndWrapsAfterTheLast) {
    StateButton* b = button(true);
    EXPECT_EQ(b->getState(), 0);
    std::vector<ColorRef> seen;
    for (int i = 0; i < 4; ++i) {
        clickAt({110, 110});
        seen.push_back(screenPixel(110, 110));
    }
    EXPECT_EQ(seen, (std::vector<ColorRef>{kGreen, kBlue, kRed, kGreen}));
    EXPECT_EQ(commands(), (Commands{{31, 1}, {31, 2}, {31, 0}, {31, 1}}));
    EXPECT_EQ(b->getState(), 1);
    run(500);
    EXPECT_EQ(b->frameIndex(), 1) << "no animation runs";
}

TEST_F(StateButtons, WithoutTheUserFlagOnlyTheProgramSetsTheFrame) {
    StateButton* b = button(false);
    clickAt({110, 110});
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(b->frameIndex(), 0);
    b->setFrameIndex(2);
    EXPECT_EQ(b->getState(), 2);
    b->setFrameIndex(3);
    b->setFrameIndex(-1);
    EXPECT_EQ(b->frameIndex(), 2);
    // Reading the strip again keeps the frame of the state.
    b->freeResources();
    b->loadResources();
    EXPECT_EQ(b->currentFrame(), b->frame(2));
}

} // namespace
} // namespace q71
