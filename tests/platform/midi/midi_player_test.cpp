#include "midi_test_support.h"
#include "platform/midi/midi_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

namespace q71 {
namespace {

test::MidiBytes oneSecondNote() {
    // 96 ticks per quarter, 120 per minute: 192 ticks are one second.
    return test::midiFile(0, 96, {test::midiTrack({0x00, 0x90, 60, 100, 0x81, 0x40, 0x80, 60, 0, 0x00, 0xFF,
                                                   0x2F, 0x00})});
}

std::vector<std::int16_t> mix(SoundDevice& device, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    device.mix(out);
    return out;
}

TEST(MidiPlaying, EndHandlerRunsOnceWhenTheSequenceEnds) {
    SoundDevice device;
    auto synth = std::make_unique<test::RecordingSynth>();
    MidiPlayer player(std::move(synth));
    player.attach(device);
    std::atomic<int> ends = 0;
    player.setEndHandler([&] { ++ends; });
    ASSERT_TRUE(player.loadSequence(oneSecondNote()));
    player.setLoopCount(1);
    player.start();
    mix(device, 22000);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(player.status(), MidiStatus::Playing);
    mix(device, 100);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(player.status(), MidiStatus::Done);
    mix(device, 50000);
    EXPECT_EQ(ends, 1);
    player.detach();
}

TEST(MidiPlaying, MasterVolumeScalesAsItsSquare) {
    SoundDevice device;
    MidiPlayer player(std::make_unique<test::RecordingSynth>());
    player.attach(device);
    ASSERT_TRUE(player.loadSequence(oneSecondNote()));
    player.start();
    EXPECT_EQ(player.masterVolume(), 127);
    EXPECT_EQ(mix(device, 10)[0], 10000);
    player.setMasterVolume(64);
    EXPECT_EQ(mix(device, 10)[0], 10000 * 64 * 64 / (127 * 127));
    player.setMasterVolume(200);
    EXPECT_EQ(player.masterVolume(), 127);
    player.setMasterVolume(0);
    EXPECT_EQ(mix(device, 10)[0], 0);
}

TEST(MidiPlaying, DetachedPlayersStandStillAndBadFilesAreRefused) {
    SoundDevice device;
    MidiPlayer player(nullptr);
    EXPECT_FALSE(player.loadSequence(test::MidiBytes{'M', 'T', 'h', 'd'}));
    ASSERT_TRUE(player.loadSequence(oneSecondNote()));
    player.start();
    mix(device, 30000);
    EXPECT_EQ(player.status(), MidiStatus::Playing) << "not on the device: the song does not advance";
    player.attach(device);
    mix(device, 23000);
    EXPECT_EQ(player.status(), MidiStatus::Done);
}

TEST(MidiPlaying, TheSoundFontPlaysANote) {
    std::unique_ptr<MidiSynth> synth = midiOpenSynth();
    if (!synth)
        GTEST_SKIP() << "no General MIDI SoundFont on this machine";
    SoundDevice device;
    MidiPlayer player(std::move(synth));
    player.attach(device);
    ASSERT_TRUE(player.loadSequence(oneSecondNote()));
    player.start();
    std::vector<std::int16_t> out = mix(device, 11025);
    int loudest = 0;
    for (std::int16_t s : out)
        loudest = std::max(loudest, std::abs(int{s}));
    EXPECT_GT(loudest, 500);
    player.detach();
}

} // namespace
} // namespace q71
