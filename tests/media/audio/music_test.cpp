#include "media/audio/music.h"

#include "framework/resources/registry.h"
#include "media/audio/sound_manager.h"
#include "platform/midi/midi_synth.h"
#include "platform/settings/settings_store.h"
#include "platform/sound/sound_device.h"
#include "platform/window/message_ids.h"
#include "support/headless_windows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// A synthesiser that sounds 1000 while any note is on.
class LevelSynth final : public MidiSynth {
public:
    void send(std::uint8_t status, std::uint8_t, std::uint8_t data2) override {
        if ((status & 0xF0) == 0x90 && data2)
            ++on_;
        else if ((status & 0xF0) == 0x80 && on_ > 0)
            --on_;
    }
    void silence() override { on_ = 0; }
    void render(std::span<std::int16_t> stereo) override {
        for (std::int16_t& s : stereo)
            s = on_ > 0 ? 1000 : 0;
    }

private:
    int on_ = 0;
};

// A track of notes of a quarter of a second each, one after the other, for `seconds` (96 ticks
// per quarter note at 120 per minute: 48 ticks a note).
std::string noteTrack(int seconds) {
    std::string events;
    for (int i = 0; i < seconds * 4; ++i)
        events += std::string{0, '\x90', 60, 100, 48, '\x80', 60, 0};
    events += std::string{0, '\xFF', 0x2F, 0};
    std::string file = "MThd";
    file += std::string{0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
    file += "MTrk";
    file += std::string{0, 0, 0, static_cast<char>(events.size())};
    return file + events;
}

class Music : public test::HeadlessWindows {
protected:
    void SetUp() override {
        std::string error;
        regSetFamilyKey("Velm's Combat Simulations");
        regSetProductKey("Q71I Varden-Morrow");
        regSetVersionKey("1.0");
        ASSERT_TRUE(settingsLoadText("[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\"
                                     "Q71I Varden-Morrow\\1.0]\nmidiMilesInstallPath = \"" +
                                         folder.path().string() + "\"\n",
                                     error))
            << error;
        folder.write("Prog.mid", noteTrack(1));
        folder.write("Sail.mid", noteTrack(2));
        folder.write("Broken.mid", "MThd but not really");
        window = makeWindow(0, {0, 0, 640, 480});
        onMessage = [](const test::Received& r) -> std::optional<LResult> {
            if (r.message != MM_MCINOTIFY)
                return std::nullopt;
            musicNotifyEnd(r.window, r.wParam);
            return 0;
        };
        auto owned = std::make_unique<SoundDevice>();
        device = owned.get();
        ASSERT_TRUE(soundInitOnDevice(window, std::move(owned)));
        musicInitOnSynth(window, std::make_unique<LevelSynth>());
    }
    void TearDown() override {
        musicShutdown();
        soundShutdown();
    }

    /// The left channel of the next mixed frames, with the window's messages handled after.
    std::int16_t mixSeconds(double seconds) {
        std::vector<std::int16_t> stereo(static_cast<std::size_t>(seconds * kSoundMixRate) * 2);
        device->mix(stereo);
        pump();
        return stereo.empty() ? 0 : stereo[stereo.size() - 2];
    }

    test::TempDir folder;
    WindowHandle window{};
    SoundDevice* device = nullptr;
};

int g_ends = 0;
void countEnd(void* argument) { g_ends += *static_cast<int*>(argument); }

TEST_F(Music, TracksComeFromTheMusicFolderAndPlay) {
    EXPECT_EQ(musicLoadAndPlay("prog.mid", 1), 1);
    EXPECT_EQ(mixSeconds(0.5), 1000);
    EXPECT_EQ(musicLoad("missing.mid", 0), 0);
    EXPECT_EQ(musicLoad("Broken.mid", 0), 0);
    EXPECT_EQ(mixSeconds(0.5), 0) << "a failed load leaves no track";
}

TEST_F(Music, LoadingTheLoadedTrackDoesNotRestartIt) {
    ASSERT_EQ(musicLoadAndPlay("Sail.mid", 0), 1);
    mixSeconds(1.5);
    EXPECT_EQ(musicLoad("SAIL.MID", 0), 1);
    EXPECT_EQ(musicLoad("Sail.mid", 0), 1);
    musicPlay();
    EXPECT_EQ(mixSeconds(0.4), 1000);
    EXPECT_EQ(mixSeconds(0.2), 0) << "it ended two seconds after its start, not after the reload";
}

TEST_F(Music, OnceOnlyTracksNotifyTheirEndOnceAndLoopsNever) {
    int weight = 1;
    g_ends = 0;
    ASSERT_EQ(musicLoadAndPlay("Prog.mid", 0), 1);
    musicAddEndListener(countEnd, &weight);
    musicAddEndListener(countEnd, &weight); // the same pair is not added twice
    mixSeconds(0.9);
    EXPECT_EQ(g_ends, 0);
    mixSeconds(0.2);
    EXPECT_EQ(g_ends, 1);
    EXPECT_EQ(receivedBy(window, MM_MCINOTIFY).size(), 1u);
    EXPECT_EQ(receivedBy(window, MM_MCINOTIFY)[0].wParam, 1u);
    musicPlay(); // a finished track starts again
    mixSeconds(1.1);
    EXPECT_EQ(g_ends, 1) << "listeners are called once";

    ASSERT_EQ(musicLoadAndPlay("Sail.mid", 1), 1);
    musicAddEndListener(countEnd, &weight);
    mixSeconds(10);
    EXPECT_EQ(g_ends, 1);
    EXPECT_EQ(mixSeconds(0.1), 1000);
}

// The in-mission rotation: the listener loads the next track and registers itself again.
struct Rotation {
    int tracksStarted = 0;
    static void next(void* self) {
        auto* r = static_cast<Rotation*>(self);
        ++r->tracksStarted;
        musicLoadAndPlay(r->tracksStarted % 2 ? "Sail.mid" : "Prog.mid", 0);
        musicAddEndListener(next, self);
    }
};

TEST_F(Music, AListenerMayStartTheNextTrackAndListenAgain) {
    Rotation rotation;
    Rotation::next(&rotation);
    mixSeconds(2.1); // Sail ends
    EXPECT_EQ(rotation.tracksStarted, 2);
    mixSeconds(1.1); // Prog ends
    EXPECT_EQ(rotation.tracksStarted, 3);
    EXPECT_EQ(mixSeconds(0.5), 1000);
    musicRemoveEndListener(Rotation::next, &rotation);
    mixSeconds(3);
    EXPECT_EQ(rotation.tracksStarted, 3);
}

TEST_F(Music, DisablingPausesAPlayingTrackAndEnablingResumesIt) {
    ASSERT_EQ(musicLoadAndPlay("Sail.mid", 0), 1);
    mixSeconds(1.0);
    musicDisable();
    EXPECT_FALSE(musicIsEnabled());
    EXPECT_EQ(mixSeconds(5), 0);
    musicEnable();
    EXPECT_EQ(mixSeconds(0.9), 1000) << "it went on from where it was";
    EXPECT_EQ(mixSeconds(0.2), 0);

    musicLoadAndPlay("Prog.mid", 1);
    musicStop();
    musicDisable();
    musicEnable();
    EXPECT_EQ(mixSeconds(0.5), 0) << "a stopped track stays stopped";
    musicPlay();
    EXPECT_EQ(mixSeconds(0.1), 1000);
    musicDisable();
    musicPlay();
    EXPECT_EQ(mixSeconds(0.1), 0) << "with music off, play only marks the track wanted";
    musicEnable(); // the note cut by music off is lost; the next one sounds
    EXPECT_EQ(mixSeconds(0.3), 1000);
}

TEST_F(Music, RestartEndsAStoppedTrackAndRestartsAPlayingOne) {
    ASSERT_EQ(musicLoadAndPlay("Sail.mid", 0), 1);
    mixSeconds(1.5);
    musicRestart();
    EXPECT_EQ(mixSeconds(1.0), 1000) << "playing again from the top";
    musicStop();
    musicRestart();
    musicPlay(); // a finished track starts from the top
    EXPECT_EQ(mixSeconds(1.9), 1000);
}

TEST_F(Music, VolumeIsClampedAndApplied) {
    EXPECT_EQ(musicGetVolume(), 127);
    musicSetVolume(200);
    EXPECT_EQ(musicGetVolume(), 127);
    musicSetVolume(0);
    EXPECT_EQ(musicGetVolume(), 0);
    ASSERT_EQ(musicLoadAndPlay("Prog.mid", 1), 1);
    EXPECT_EQ(mixSeconds(0.1), 0);
    musicSetVolume(127);
    musicApplyVolume();
    EXPECT_EQ(mixSeconds(0.1), 1000);
    musicShutdown();
    EXPECT_EQ(musicGetVolume(), 0);
    EXPECT_EQ(musicLoad("Prog.mid", 0), 0);
}

// The program opens music before sound, so the exit handlers would close sound first; music
// playing on its device must still end cleanly when the program exits without its shutdown.
TEST(MusicAtExitDeathTest, AProgramLeftPlayingEndsCleanly) {
    test::TempDir folder;
    folder.write("Prog.mid", noteTrack(1));
    const std::string track = (folder.path() / "Prog.mid").string();
    EXPECT_EXIT(
        {
            musicInitOnSynth(WindowHandle{}, std::make_unique<LevelSynth>());
            soundInitOnDevice(WindowHandle{}, std::make_unique<SoundDevice>());
            musicLoadAndPlay(track.c_str(), 1);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace q71
