#include "framework/widgets/rocker.h"
#include "recording_sound.h"
#include "switch_fixture.h"

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using Commands = test::WidgetFixture::Commands;

class Rockers : public test::SwitchFixture {
protected:
    // First side red, middle green, second side blue.
    Rockers() { writeStrip("rocker.bmp", 40, 20, {kRed, kGreen, kBlue}); }
    // A loaded rocker at (100, 100), 40 by 20, repeating after 300 ms and then every 100 ms.
    Rocker* rocker(int orientation, bool windowed = false) {
        auto* r = new Rocker(screen->window(), 4, "rocker.bmp", 3, 100, 100, 40, 20, orientation, 300, 100,
                             windowed);
        r->loadResources();
        r->setClickSound("click.wav", 0);
        return r;
    }
    test::RecordingSound sound;
};

TEST_F(Rockers, HoldingASideReportsAtOnceAfterTheFirstDelayAndThenEveryIntervalUntilTheRelease) {
    Rocker* r = rocker(Rocker::kLeftRight);
    EXPECT_EQ(r->currentFrame(), r->frame(1)) << "a loaded rocker rests in the middle";
    press({105, 110});
    EXPECT_EQ(commands(), (Commands{{4, 0}}));
    EXPECT_EQ(screenPixel(120, 110), kRed);
    EXPECT_EQ(sound.log.back(), "play");
    run(290);
    EXPECT_EQ(commands().size(), 1u);
    run(10);
    EXPECT_EQ(commands().size(), 2u);
    run(200);
    EXPECT_EQ(commands(), (Commands{{4, 0}, {4, 0}, {4, 0}, {4, 0}}));
    release({300, 300});
    EXPECT_EQ(screenPixel(120, 110), kGreen);
    run(1000);
    EXPECT_EQ(commands().size(), 4u) << "nothing after the release";
}

TEST_F(Rockers, TheHalvesSplitAcrossOrDownTheRockerByItsOrientation) {
    rocker(Rocker::kLeftRight);
    clickAt({120, 101}); // the right half, though near the top
    Rocker* upright = rocker(Rocker::kTopBottom, true);
    upright->moveTo(200, 100);
    press({239, 105}); // the top half, though near the right
    EXPECT_EQ(screenPixel(220, 110), kRed);
    EXPECT_EQ(upright->pressedSide(), 0);
    release({239, 105});
    clickAt({201, 110});
    EXPECT_EQ(commands(), (Commands{{4, 1}, {4, 0}, {4, 1}}));
    EXPECT_EQ(screenPixel(220, 110), kGreen);
}

TEST_F(Rockers, ADisabledRockerIgnoresPresses) {
    Rocker* r = rocker(Rocker::kLeftRight);
    r->setEnabled(false);
    press({105, 110});
    run(500);
    release({105, 110});
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(r->currentFrame(), r->frame(1));
}

TEST_F(Rockers, ARockerHiddenWhileHeldStopsRepeating) {
    Rocker* r = rocker(Rocker::kLeftRight);
    press({105, 110});
    r->hide();
    release({105, 110});
    run(1000);
    EXPECT_EQ(commands(), (Commands{{4, 0}}));
    EXPECT_EQ(r->currentFrame(), r->frame(1));
}

} // namespace
} // namespace q71
