#include "media/movie/movie_player.h"

#include "movie_test_support.h"
#include "platform/gdi/window_dc.h"
#include "platform/sound/sound_device.h"
#include "platform/window/message_ids.h"
#include "platform/window/window_system.h"
#include "support/headless_windows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace q71 {
namespace {

using namespace std::chrono_literals;
using SteadyTime = std::chrono::steady_clock;

class MoviePlayer : public test::HeadlessWindows {
protected:
    void SetUp() override {
        window = makeWindow(0x10000000 /*WS_VISIBLE*/, {0, 0, 640, 480});
        ASSERT_EQ(init_movie_player(window, &device, nullptr), 0);
        ASSERT_EQ(set_display_mode(640, 480, 16), 1);
        ASSERT_EQ(init_display(), 0);
        ASSERT_EQ(open_movie(window), 0);
    }
    void TearDown() override { close_movie_player(); }

    std::string movie(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return dir.write(name, std::string(bytes.begin(), bytes.end()));
    }
    /// The frame the screen shows now (its top-left pixel).
    int shownFrame() {
        std::lock_guard lock(screenSurface().lock);
        return test::frameNumberOf(screenSurface().pixels[0]);
    }
    /// Waits (pumping messages) until the condition holds or the time is up.
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 3000ms) {
        auto until = SteadyTime::now() + limit;
        while (!condition()) {
            if (SteadyTime::now() > until)
                return false;
            pump();
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }
    bool ended() { return !receivedBy(window, WM_COMMAND).empty(); }
    /// Plays the device forward by the sound of `frames` movie frames, a little at a time.
    void playSound(double frames) {
        int steps = static_cast<int>(frames * 10);
        for (int i = 0; i < steps; ++i) {
            std::vector<std::int16_t> out(147 * 2);
            device.mix(out);
            std::this_thread::sleep_for(1ms);
        }
    }

    SoundDevice device;
    WindowHandle window{};
    test::TempDir dir;
};

TEST_F(MoviePlayer, PicturesKeepPaceWithTheSound) {
    ASSERT_EQ(play_movie(movie("sound.wve", test::numberedMovie(20, encoder::SoundForm::Blocks)).c_str()), 0);
    // The first picture shows once five frames of sound are written ahead of it.
    ASSERT_TRUE(waitUntil([&] { return shownFrame() == 0; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(shownFrame(), 0) << "no picture runs ahead while the sound stands still";
    playSound(4);
    ASSERT_TRUE(waitUntil([&] { return shownFrame() >= 3; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(shownFrame(), 5);
    playSound(30);
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    EXPECT_EQ(shownFrame(), 19);
    EXPECT_EQ(receivedBy(window, WM_COMMAND)[0].wParam, kMovieEndCommand);
}

TEST_F(MoviePlayer, PicturesWithoutSoundKeepTheirFrameTime) {
    auto start = SteadyTime::now();
    ASSERT_EQ(play_movie(movie("silent.wve", test::numberedMovie(6, encoder::SoundForm::None)).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    EXPECT_GE(SteadyTime::now() - start, 5 * 1000ms / 15 - 10ms) << "six frames take five frame times";
    EXPECT_EQ(shownFrame(), 5);
}

TEST_F(MoviePlayer, SoundThatEndsEarlyDoesNotHoldThePicturesBack) {
    // Sound for two frames only, and the device never played: the pictures go on by themselves.
    ASSERT_EQ(play_movie(movie("short.wve", test::numberedMovie(8, encoder::SoundForm::Blocks, 2)).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    EXPECT_EQ(shownFrame(), 7);
}

TEST_F(MoviePlayer, SoundFarAheadOfThePicturesPlaysWhileTheyAreReadOn) {
    // More sound before the first picture than its ring holds: the sound must start playing to
    // make room, or the pictures behind it are never reached.
    encoder::MovieWriter writer(encoder::SoundForm::Blocks);
    std::vector<std::int16_t> sound(1470 * 2, 3000);
    for (int i = 0; i < 40; ++i)
        writer.addSound(sound);
    for (int i = 0; i < 3; ++i)
        writer.addFrame(FrameKind::Key, test::numberedKeyFrame(i));
    ASSERT_EQ(play_movie(movie("ahead.wve", writer.finish()).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] {
        playSound(1);
        return ended();
    }));
}

TEST_F(MoviePlayer, AbortEndsAtTheNextFrameAndStillNotifies) {
    ASSERT_EQ(play_movie(movie("long.wve", test::numberedMovie(30, encoder::SoundForm::None)).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] { return shownFrame() >= 2; }));
    abort_movie();
    ASSERT_TRUE(waitUntil([&] { return ended(); }, 1500ms));
    EXPECT_LT(shownFrame(), 10);
    EXPECT_FALSE(movie_is_playing());
}

TEST_F(MoviePlayer, FullScreenPlayDoublesWidthOnEverySecondRow) {
    ASSERT_EQ(play_movie(movie("one.wve", test::numberedMovie(1, encoder::SoundForm::None)).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    std::lock_guard lock(screenSurface().lock);
    const auto& pixels = screenSurface().pixels;
    std::uint16_t colour = (40 >> 2) << 5 | 200 >> 3;
    EXPECT_EQ(pixels[0], colour);
    EXPECT_EQ(pixels[639], colour);
    EXPECT_EQ(pixels[640], 0) << "the second row stays black";
    EXPECT_EQ(pixels[478 * 640 + 639], colour);
    EXPECT_EQ(pixels[479 * 640], 0);
}

TEST_F(MoviePlayer, ClippedPlayStaysInsideItsWindow) {
    WindowHandle small = makeWindow(0x10000000, {100, 50, 300, 250});
    ASSERT_EQ(play_movie_clipped(movie("one.wve", test::numberedMovie(1, encoder::SoundForm::None)).c_str(), small,
                                 120, 60, 0),
              0);
    ASSERT_TRUE(waitUntil([&] { return !receivedBy(small, WM_COMMAND).empty(); }));
    std::lock_guard lock(screenSurface().lock);
    const auto& pixels = screenSurface().pixels;
    EXPECT_NE(pixels[60 * 640 + 120], 0) << "the frame's top-left corner at (120, 60)";
    EXPECT_NE(pixels[249 * 640 + 299], 0);
    EXPECT_EQ(pixels[250 * 640 + 299], 0) << "below the window";
    EXPECT_EQ(pixels[60 * 640 + 300], 0) << "right of the window";
    EXPECT_EQ(pixels[59 * 640 + 120], 0) << "above the frame";
}

TEST_F(MoviePlayer, WhileAMoviePlaysItsWindowsPaintingLeavesItsPixelsAlone) {
    const Brush white = createSolidBrush(rgb(255, 255, 255));
    auto paintWhite = [&] {
        auto dc = getWindowDC(window);
        ASSERT_TRUE(dc);
        dc->fillRect({0, 0, 640, 480}, white);
    };
    auto dc = getWindowDC(window); // a context kept across the claim must follow it too
    ASSERT_EQ(play_movie(movie("long.wve", test::numberedMovie(30, encoder::SoundForm::None)).c_str()), 0);
    // Generous limits: under the thread sanitizer on a busy machine a movie starts slowly.
    ASSERT_TRUE(waitUntil([&] { return shownFrame() >= 1; }, 20000ms));
    paintWhite();
    dc->fillRect({0, 0, 640, 480}, white);
    {
        std::lock_guard lock(screenSurface().lock); // the playback thread writes under it
        EXPECT_NE(screenSurface().pixels[0], 0xFFFF) << "the movie owns its window's pixels while it plays";
    }
    abort_movie();
    ASSERT_TRUE(waitUntil([&] { return ended(); }, 20000ms));
    EXPECT_FALSE(movie_is_playing());
    paintWhite();
    EXPECT_EQ(screenSurface().pixels[0], 0xFFFF) << "once it ended they are the window's again";
    screenSurface().pixels[0] = 0;
    dc->fillRect({0, 0, 1, 1}, white);
    EXPECT_EQ(screenSurface().pixels[0], 0xFFFF);
}

TEST_F(MoviePlayer, AnUnknownChunkEndsTheMovieAfterWhatCameBefore) {
    std::vector<std::uint8_t> bytes = test::numberedMovie(3, encoder::SoundForm::None);
    std::vector<std::uint8_t> odd = {'J', 'U', 'N', 'K', 8, 0, 0, 0};
    bytes.insert(bytes.end(), odd.begin(), odd.end());
    std::vector<std::uint8_t> more = test::numberedMovie(2, encoder::SoundForm::None);
    bytes.insert(bytes.end(), more.begin(), more.end());
    ASSERT_EQ(play_movie(movie("junk.wve", bytes).c_str()), 0);
    ASSERT_TRUE(waitUntil([&] { return ended(); }));
    EXPECT_EQ(shownFrame(), 2);
}

TEST_F(MoviePlayer, MissingFilesDoNotPlay) {
    EXPECT_EQ(play_movie(dir.file("missing.wve").c_str()), -1);
    std::this_thread::sleep_for(20ms);
    pump();
    EXPECT_FALSE(ended());
    EXPECT_FALSE(movie_is_playing());
}

TEST_F(MoviePlayer, TheDisplayHasOneMode) {
    EXPECT_EQ(set_display_mode(800, 600, 32), 1);
    EXPECT_NE(restore_display(), nullptr);
    close_movie_player();
    EXPECT_EQ(set_display_mode(640, 480, 16), 0) << "no display";
    EXPECT_EQ(restore_display(), nullptr);
    EXPECT_EQ(play_movie(movie("one.wve", test::numberedMovie(1, encoder::SoundForm::None)).c_str()), -1)
        << "nothing to play on: a failure, since no end would ever be told";
}

TEST(MovieSoundService, SilentClockMoves882BytesATick) {
    MovieAudioOut out(nullptr);
    ASSERT_TRUE(out.open());
    for (int i = 0; i < 8; ++i)
        out.queue(std::vector<std::int16_t>(1470 * 2, 100));
    out.tick();
    EXPECT_EQ(out.blocksPlayed(), 6) << "six frames of sound fill the buffer";
    for (int i = 0; i < 6; ++i)
        out.tick(); // 6 x 882 = 5292 bytes played since: not yet room for 5880
    EXPECT_EQ(out.blocksPlayed(), 6);
    out.tick(); // 7 x 882 = 6174
    EXPECT_EQ(out.blocksPlayed(), 7);
}

TEST(MovieSoundService, BlocksPlayOnTheDeviceAndGapsAreSilent) {
    SoundDevice device;
    MovieAudioOut out(&device);
    ASSERT_TRUE(out.open());
    out.queue(std::vector<std::int16_t>(1000 * 2, 1234));
    out.tick();
    std::vector<std::int16_t> mixed(1200 * 2);
    device.mix(mixed);
    EXPECT_EQ(mixed[0], 1234);
    EXPECT_EQ(mixed[999 * 2 + 1], 1234);
    EXPECT_EQ(mixed[1000 * 2], 0);
    out.tick();
    device.mix(mixed);
    EXPECT_EQ(mixed[600], 0) << "nothing queued: silence, not the sound of a turn ago";
    out.queue(std::vector<std::int16_t>(10 * 2, -77));
    out.tick();
    device.mix(mixed);
    EXPECT_EQ(mixed[0], -77) << "after running dry, sound starts where playing stands";
    out.close();
}

} // namespace
} // namespace q71
