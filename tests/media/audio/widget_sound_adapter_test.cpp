#include "media/audio/widget_sound_adapter.h"
#include "support/sound_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

using test::levelWave;

class WidgetClicks : public test::SoundFixture {};

TEST_F(WidgetClicks, ASampleClickPlaysOnceAndLeavesNoVoice) {
    wave("click.wav", levelWave(1500, 20));
    WidgetSound& sound = soundManagerWidgetSound();
    SoundSample* click = sound.loadSample("click.wav");
    ASSERT_NE(click, nullptr);
    sound.playSample(click);
    EXPECT_EQ(levels(mix(40)), (std::vector<std::int16_t>{1500, 0}));
    sound.playSample(sound.loadSample("missing.wav")); // housekeeping; a missing wave plays nothing
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(WidgetClicks, APreparedVoiceWaitsAndPlaysWholeAgainOnceItHasEnded) {
    wave("switch.wav", levelWave(800, 30));
    WidgetSound& sound = soundManagerWidgetSound();
    SoundVoice* voice = sound.prepareVoice("switch.wav");
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(levels(mix(20)), std::vector<std::int16_t>{0}) << "not started when prepared";
    sound.restartVoice(voice);
    EXPECT_EQ(levels(mix(40)), (std::vector<std::int16_t>{800, 0}));
    sound.restartVoice(voice); // a click that has ended sounds whole again
    std::vector<std::int16_t> again = mix(40);
    EXPECT_EQ(std::count(again.begin(), again.end(), 800), 30);
    sound.releaseVoice(voice);
    EXPECT_EQ(sound.prepareVoice("missing.wav"), nullptr);
}

} // namespace
} // namespace q71
