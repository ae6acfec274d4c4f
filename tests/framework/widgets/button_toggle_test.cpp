#include "framework/app/full_screen.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/group_archive_writer.h"
#include "framework/widgets/button_toggle.h"
#include "support/golden_image.h"
#include "support/temp_dir.h"
#include "widget_fixture.h"

#include <cstring>
#include <filesystem>

#include <memory>
#include <tuple>

namespace q71 {
namespace {

using test::Canvas;
using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kYellow;
using Commands = test::WidgetFixture::Commands;

class ButtonStrip : public test::WidgetFixture {
protected:
    ButtonStrip() {
        screen->activate();
        pump();
    }
    // A four-frame windowless toggle at (10, 10), 20 by 10, with its strip loaded.
    ButtonToggle* fourFrames() {
        writeStrip("x010y010.bmp", 20, 10, {kRed, kGreen, kBlue, kYellow});
        auto* button = new ButtonToggle(screen->window(), 5, "x010y010.bmp", 4, 10, 10, 20, 10, false);
        button->loadResources();
        return button;
    }
    void archiveStrip();
    std::unique_ptr<FullScreen> screen = std::make_unique<FullScreen>("buttons", mainWindow, 640, 480, 0, 0);
};

TEST_F(ButtonStrip, AClickRunsTheFramesForwardEverySixtyMillisecondsThenNotifies) {
    ButtonToggle* button = fourFrames();
    clickAt({15, 15});
    // The first step comes at the shortest timer period.
    advance(10);
    EXPECT_EQ(screenPixel(15, 15), kRed);
    std::vector<ColorRef> seen;
    for (int step = 0; step < 3; ++step) {
        advance(59);
        EXPECT_EQ(screenPixel(15, 15), step == 0 ? kRed : seen.back()) << "nothing moves before 60 ms";
        advance(1);
        seen.push_back(screenPixel(15, 15));
    }
    EXPECT_EQ(seen, (std::vector<ColorRef>{kGreen, kBlue, kYellow}));
    EXPECT_EQ(commands(), (Commands{{5, 1}}));
    EXPECT_EQ(button->getState(), 1);
    EXPECT_EQ(button->frameIndex(), 3);
}

TEST_F(ButtonStrip, ASecondClickRunsThemBackward) {
    ButtonToggle* button = fourFrames();
    clickAt({15, 15});
    run(1000);
    clickAt({15, 15});
    advance(10);
    std::vector<ColorRef> seen{screenPixel(15, 15)};
    for (int step = 0; step < 3; ++step) {
        advance(60);
        seen.push_back(screenPixel(15, 15));
    }
    EXPECT_EQ(seen, (std::vector<ColorRef>{kYellow, kBlue, kGreen, kRed}));
    EXPECT_EQ(commands(), (Commands{{5, 1}, {5, 2}}));
    EXPECT_EQ(button->getState(), 2);
}

TEST_F(ButtonStrip, PressesOutsideTheHitRectangleOrDuringTheRunAreIgnored) {
    ButtonToggle* button = fourFrames();
    button->setHitRect({0, 0, 5, 5});
    clickAt({20, 15});
    run(1000);
    EXPECT_TRUE(commands().empty());
    clickAt({12, 12});
    advance(70);
    EXPECT_TRUE(button->isAnimating());
    clickAt({12, 12});
    run(1000);
    EXPECT_EQ(commands(), (Commands{{5, 1}}));
}

TEST_F(ButtonStrip, ADisabledButtonIgnoresPresses) {
    ButtonToggle* button = fourFrames();
    button->setEnabled(false);
    clickAt({15, 15});
    run(1000);
    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(button->isLeftPressed());
}

TEST_F(ButtonStrip, SettingTheStatePicksAnEndWithoutRunningOrNotifying) {
    ButtonToggle* button = fourFrames();
    button->setState(1);
    EXPECT_EQ(button->currentFrame(), button->frame(3));
    button->setState(7);
    EXPECT_EQ(button->currentFrame(), button->frame(3)) << "other values are only stored";
    EXPECT_EQ(button->getState(), 7);
    button->setState(2);
    EXPECT_EQ(button->currentFrame(), button->frame(0));
    button->setFrame(2);
    EXPECT_EQ(button->frameIndex(), 2);
    run(1000);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonStrip, FreeingTheStripLeavesNothingToDrawUntilItLoadsAgain) {
    ButtonToggle* button = fourFrames();
    button->freeResources();
    EXPECT_TRUE(button->frame(0)->bits.empty());
    button->loadResources();
    EXPECT_FALSE(button->frame(0)->bits.empty());
}

// The strip "x010y010.bmp" (red, green) moved into the group "shared", selected, with the
// archive switch on.
void ButtonStrip::archiveStrip() {
    writeStrip("x010y010.bmp", 20, 10, {kRed, kGreen});
    std::string bytes = test::readFile(art.file("x010y010.bmp"));
    std::string base = art.file("shared");
    ASSERT_EQ(grpBuildBegin(base.c_str()), 1);
    ASSERT_EQ(grpBuildAddMemory("x010y010.bmp", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                static_cast<std::uint32_t>(bytes.size())),
              1);
    ASSERT_TRUE(grpBuildEnd());
    std::filesystem::remove(art.file("x010y010.bmp"));
    grpReset();
    grpSetFolder(art.path().c_str());
    ASSERT_EQ(grpOpenGroup("shared"), 1);
    widgetSetArchiveBitmaps(true);
}

TEST_F(ButtonStrip, ABitmapReadInTheBackgroundIsThereOnceTheBatchIsWaitedFor) {
    archiveStrip();
    // A second group, read from at once while the background read runs (as a station reads its
    // models while its pictures come in).
    const std::string strip = test::readFile(art.file("shared.grp"));
    ASSERT_EQ(grpBuildBegin(art.file("other").c_str()), 1);
    ASSERT_EQ(grpBuildAddMemory("copy.bin", reinterpret_cast<const std::uint8_t*>(strip.data()),
                                static_cast<std::uint32_t>(strip.size())),
              1);
    ASSERT_TRUE(grpBuildEnd());
    WidgetBitmap read, missing, dropped;
    grpInitAsync();
    ASSERT_TRUE(read.startLoad("x010y010.bmp"));
    EXPECT_FALSE(read.loaded()) << "not before the wait";
    EXPECT_FALSE(missing.startLoad("nothing.bmp"));
    ASSERT_TRUE(dropped.startLoad("x010y010.bmp"));
    dropped.free(); // its read is cancelled and waited for
    ASSERT_EQ(grpOpenGroup("other"), 1);
    ResourceRef copy;
    grpRefInit(copy);
    copy.name = "copy.bin";
    ASSERT_TRUE(grpRead(copy, true, true));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.data), copy.size), strip);
    grpRefFree(copy);
    grpWaitAll();
    ASSERT_TRUE(read.finishLoad());
    std::int32_t width = 0;
    std::memcpy(&width, read.header().data() + 4, 4);
    EXPECT_EQ(width, 20);
    EXPECT_FALSE(missing.finishLoad());
    EXPECT_FALSE(dropped.finishLoad());
    EXPECT_FALSE(dropped.loaded());
    read.free();
    widgetSetArchiveBitmaps(false);
    grpFreeAll();
    grpReset();
}

TEST_F(ButtonStrip, AStripComesFromTheGroupArchiveWhenTheSwitchIsOn) {
    archiveStrip();

    auto* button = new ButtonToggle(screen->window(), 5, "x010y010.bmp", 2, 10, 10, 20, 10, false);
    button->loadResources();
    button->setState(1);
    Canvas canvas(40, 30);
    button->drawFrame(*canvas.dc, button->currentFrame()->bits);
    EXPECT_EQ(canvas.at(10, 10), kGreen);
    widgetSetArchiveBitmaps(false);
    grpFreeAll();
    grpReset();
}

using ButtonStripDeathTest = ButtonStrip;

TEST_F(ButtonStripDeathTest, AMissingStripIsFatal) {
    EXPECT_DEATH(
        {
            ButtonToggle button(screen->window(), 5, "missing.bmp", 2, 10, 10, 20, 10, false);
            button.loadResources();
        },
        "");
}

// Strips 17 pixels wide in every depth, bottom-up and top-down: each frame must come out whole.
class StripRows : public ButtonStrip, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(StripRows, EachFrameIsCutAtItsOwnRows) {
    auto [bitCount, topDown] = GetParam();
    const std::vector<ColorRef> colours{kRed, kGreen, kBlue};
    writeStrip("strip.bmp", 17, 6, colours, bitCount, topDown);
    ButtonToggle button(screen->window(), 9, "strip.bmp", 3, 0, 0, 17, 6, false);
    button.loadResources();
    for (int f = 0; f < 3; ++f) {
        Canvas canvas(17, 6, kYellow);
        button.drawFrame(*canvas.dc, button.frame(f)->bits);
        int wrong = 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 17; ++x)
                wrong += canvas.at(x, y) != colours[static_cast<std::size_t>(f)];
        EXPECT_EQ(wrong, 0) << "frame " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, StripRows,
                         ::testing::Combine(::testing::Values(8, 16, 24, 32), ::testing::Bool()));

} // namespace
} // namespace q71
