#include "sim/services/sound_manager_audio.h"
#include "support/sound_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class SoundManagerAudioService : public test::SoundFixture {};

TEST_F(SoundManagerAudioService, EffectsAndVoicesReachTheSoundManager) {
    wave("scrape.wav", test::levelWave(400, 2000));
    AudioService& audio = simSoundManagerAudio();
    SoundSampleId sample = audio.loadSample("scrape.wav");
    EXPECT_NE(sample, 0u);
    EXPECT_EQ(audio.loadSample("scrape.wav"), sample);
    EXPECT_EQ(audio.playSample(sample, false, true, false), 0u); // a one-shot is not handed out
    SoundVoiceId kept = audio.playByName("scrape.wav", true, false, true);
    ASSERT_NE(kept, 0u);
    audio.setVoiceVolume(kept, 0);
    audio.startVoice(kept);
    EXPECT_EQ(levels(mix(100)), std::vector<std::int16_t>{400});
    audio.stopVoice(kept);
    audio.freeVoice(kept);
    soundPlay(nullptr, 0, 0, 0);
    EXPECT_EQ(voiceCount(), 1u); // the one-shot still plays
}

TEST_F(SoundManagerAudioService, ReportsAreSpokenOnTheirChannels) {
    wave("cow1.wav", test::levelWave(10, 200));
    wave("ss6.wav", test::levelWave(20, 200));
    for (int d = 0; d < 10; ++d)
        wave("SSd" + std::to_string(d) + ".wav", test::levelWave(static_cast<std::int16_t>(100 + d), 200));
    AudioService& audio = simSoundManagerAudio();
    const std::string files[] = {"cow1.wav"};
    audio.crewQueueSpeech(CrewChannel::chiefOfWatch, files, 0);
    audio.crewReportSonarNumber(false, "ss6.wav", 270, 3, "", -1, 0);
    auto heard = levels(mix(kSoundMixRate));
    EXPECT_EQ(heard,
              (std::vector<std::int16_t>{30, 102, 107, 100, 0})); // both channels at once, then 2, 7, 0
}

} // namespace
} // namespace q71
