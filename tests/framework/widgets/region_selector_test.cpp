#include "framework/widgets/region_selector.h"
#include "switch_fixture.h"

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using Commands = test::WidgetFixture::Commands;

class Regions : public test::SwitchFixture {
protected:
    Regions() { writeStrip("regions.bmp", 60, 20, {kRed, kGreen, kBlue}); }
    // Three regions side by side at (200, 100), the middle one also covering the right one's top.
    RegionSelector* selector() {
        auto* s = new RegionSelector(screen->window(), 41, 200, 100, 60, 20, "regions.bmp", 3,
                                     SimpleButton::kPush, 4);
        s->setRegion(0, 0, 0, 20, 20);
        s->setRegion(1, 20, 0, 50, 10);
        s->setRegion(2, 40, 0, 60, 20);
        s->loadResources();
        return s;
    }
};

TEST_F(Regions, AClickSelectsTheFirstRegionHoldingItShowsItsFrameAndReports) {
    RegionSelector* s = selector();
    clickAt({245, 115});
    EXPECT_EQ(screenPixel(201, 101), kBlue);
    clickAt({245, 105}); // in both the middle and the right region: the middle comes first
    EXPECT_EQ(screenPixel(201, 101), kGreen);
    EXPECT_EQ(commands(), (Commands{{41, 2}, {41, 1}}));
    EXPECT_EQ(s->getState(), 1);
    EXPECT_EQ(s->selected(), 1);
}

TEST_F(Regions, ClicksOutsideEveryRegionOrWhileDisabledDoNothing) {
    RegionSelector* s = selector();
    clickAt({230, 115}); // below the middle region; the fourth region is empty
    s->setEnabled(false);
    clickAt({205, 105});
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(s->selected(), 0);
    EXPECT_EQ(s->currentFrame(), s->frame(0)) << "the last frame is a region's, not a disabled look";
}

TEST_F(Regions, ASelectedFrameIsDrawnAtOnceAndShownAgainWhenTheStripIsReadAgain) {
    RegionSelector* s = selector();
    s->selectFrame(2);
    EXPECT_EQ(screenPixel(201, 101), kBlue);
    s->selectFrame(3);
    EXPECT_EQ(s->selected(), 2) << "no such frame";
    s->freeResources();
    s->loadResources();
    EXPECT_EQ(s->currentFrame(), s->frame(2));
    EXPECT_TRUE(commands().empty());
}

} // namespace
} // namespace q71
