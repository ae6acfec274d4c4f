#include "media/audio/crew_speech.h"
#include "support/sound_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// Each wave is 400 frames at its own level and a short silence, so that every file heard
// shows as one level in the mix.
class CrewSpeech : public test::SoundFixture {
protected:
    void TearDown() override {
        crewSetReportLevel(1);
        SoundFixture::TearDown();
    }

    void say(const std::string& name, std::int16_t level) {
        std::string data;
        for (int i = 0; i < 441; ++i)
            test::put16(data, static_cast<std::uint16_t>(i < 400 ? level : 0));
        wave(name, test::riff(test::chunk("fmt ", test::formatBytes(1, 1, 22050, 16, 2)) +
                              test::chunk("data", data)));
    }
    void digits(const char* pattern, std::int16_t base) {
        for (int d = 0; d < 10; ++d) {
            char name[32];
            std::snprintf(name, sizeof name, pattern, d);
            say(name, static_cast<std::int16_t>(base + d));
        }
    }

    /// The files heard in the next `seconds` of the mix, by their levels.
    std::vector<std::int16_t> heard(double seconds = 1.5) {
        std::vector<std::int16_t> files;
        for (std::int16_t level : levels(mix(static_cast<std::size_t>(seconds * kSoundMixRate))))
            if (level != 0)
                files.push_back(level);
        return files;
    }
};

TEST(CrewDigits, SplitMostSignificantFirstPaddedAndCut) {
    EXPECT_EQ(crewSplitDigits(12345, 1, 4), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(crewSplitDigits(5, 3, 3), (std::vector<int>{0, 0, 5}));
    EXPECT_EQ(crewSplitDigits(0, 1, 10), (std::vector<int>{0}));
    EXPECT_EQ(crewSplitDigits(270, 0, 10), (std::vector<int>{2, 7, 0}));
    EXPECT_EQ(crewSplitDigits(9876543210LL, 1, 10).size(), 10u);
}

TEST_F(CrewSpeech, CoursesAreSpokenAsThreeDigitsInTheirFrame) {
    say("Hlm12a.wav", 100);
    say("Hlm12b.wav", 101);
    say("Hlm11a.wav", 110);
    say("Hlm11b.wav", 111);
    say("Hlm13.wav", 130);
    say("Hlm13b.wav", 131);
    digits("HlmCrs%d.wav", 1000);
    crewReportCourse(-90, 0, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{100, 1002, 1007, 1000, 101}));
    crewReportCourse(5, 1, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{110, 1000, 1000, 1005, 111}));
    crewReportCourse(725, 2, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{130, 1000, 1000, 1005, 131}));
}

TEST_F(CrewSpeech, DepthsKeepTheirLastFourDigits) {
    say("DO1a.wav", 200);
    say("DO1b.wav", 201);
    digits("Dod%d.wav", 2000);
    crewReportDepth(12345, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{200, 2002, 2003, 2004, 2005, 201}));
    crewReportDepth(40, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{200, 2004, 2000, 201}));
}

TEST_F(CrewSpeech, SonarNumbersUseTheChosenDigitSet) {
    say("ss1a.wav", 300);
    say("ss1b.wav", 301);
    say("SSInTorp.wav", 302);
    digits("SSd%d.wav", 3000);
    digits("SS6d%d.wav", 3100);
    crewReportSonarNumber(0, "ss1a.wav", 45, 3, "ss1b.wav", 7, 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{300, 3000, 3004, 3005, 301, 3007}));
    crewReportSonarNumber(1, "SSInTorp.wav", 123, 3, nullptr, -1, -1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{302, 3101, 3102, 3103}));
}

TEST_F(CrewSpeech, ANewerReportOfTheSamePriorityReplacesTheWaitingOne) {
    say("a.wav", 1);
    say("b.wav", 2);
    say("c.wav", 3);
    crewSayHelm("a.wav", 0);
    crewSayHelm("b.wav", 0);
    crewSayHelm("c.wav", 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 3})); // the report at the head is kept
}

TEST_F(CrewSpeech, NegativePrioritiesQueueBehindEachOther) {
    say("a.wav", 1);
    say("b.wav", 2);
    say("c.wav", 3);
    crewSayChiefOfWatch("a.wav", -1);
    crewSayChiefOfWatch("b.wav", -1);
    crewSayChiefOfWatch("c.wav", -1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 2, 3}));
}

TEST_F(CrewSpeech, AMoreImportantReportRemovesLessImportantOnes) {
    say("a.wav", 1);
    say("b.wav", 2);
    say("c.wav", 3);
    say("d.wav", 4);
    const char* twoFiles[] = {"b.wav", "c.wav"};
    crewSaySonar("a.wav", 1);
    crewQueueSpeech(kCrewSonar, 2, twoFiles, 1);
    crewSaySonar("d.wav", -1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 4}));
    // A less important report waits behind a more important one.
    crewSaySonar("a.wav", 1);
    crewSaySonar("d.wav", 0);
    crewSaySonar("b.wav", 1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 4, 2}));
}

TEST_F(CrewSpeech, ACutReachesIntoSoundAlreadyInTheRing) {
    say("a.wav", 1);
    say("b.wav", 2);
    say("c.wav", 3);
    crewSayRadio("a.wav", 0);
    mix(100); // "a" is playing; "b" will already be in the ring behind it
    crewSayRadio("b.wav", 0);
    crewSayRadio("c.wav", 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 3}));
}

TEST_F(CrewSpeech, AReportAfterSilenceIsHeardAtOnce) {
    say("a.wav", 1);
    say("b.wav", 2);
    crewSayOfficerOfDeck("a.wav", 0);
    mix(2000); // "a" is over; silence follows
    crewSayOfficerOfDeck("b.wav", 0);
    EXPECT_EQ(mix(10), std::vector<std::int16_t>(10, 2));
}

TEST_F(CrewSpeech, TheReportLevelFiltersByPriority) {
    say("a.wav", 1);
    say("b.wav", 2);
    crewSetReportLevel(-1);
    crewSayDivingOfficer("a.wav", 0);
    crewSayDivingOfficer("a.wav", 1);
    crewSayDivingOfficer("b.wav", -1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{2}));
    crewSetReportLevel(1);
    crewSayDivingOfficer("a.wav", 1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1}));
}

TEST_F(CrewSpeech, AFullQueueOfMoreImportantFilesDropsTheReport) {
    say("a.wav", 1);
    say("b.wav", 2);
    std::vector<const char*> many(kCrewQueueCapacity, "a.wav");
    crewQueueSpeech(kCrewCasualty, kCrewQueueCapacity, many.data(), -1);
    crewSayCasualty("b.wav", 0);
    EXPECT_EQ(heard(1.0), std::vector<std::int16_t>(kCrewQueueCapacity, 1));
}

TEST_F(CrewSpeech, UnreadableFilesArePassedOver) {
    say("a.wav", 1);
    wave("bad.wav", "RIFF");
    wave("stereo.wav", test::riff(test::chunk("fmt ", test::formatBytes(1, 2, 22050, 16, 4)) +
                                  test::chunk("data", std::string(400, '\x22'))));
    const char* files[] = {"a.wav", "bad.wav", "missing.wav", "stereo.wav", "a.wav"};
    crewQueueSpeech(kCrewSonar, 5, files, -1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1, 1}));
}

TEST_F(CrewSpeech, NothingIsSpokenWithSoundOff) {
    say("a.wav", 1);
    soundDisable();
    crewSayHelm("a.wav", 0);
    soundEnable();
    EXPECT_TRUE(heard().empty());
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(CrewSpeech, ChannelsCanBeFreedAndMadeAgain) {
    say("a.wav", 1);
    crewSayHelm("a.wav", 0);
    crewSaySonar("a.wav", 0);
    EXPECT_EQ(voiceCount(), 2u);
    crewFreeChannels();
    EXPECT_EQ(voiceCount(), 0u);
    crewSayHelm("a.wav", 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1}));
}

TEST_F(CrewSpeech, ChannelsOfAShutDownManagerAreForgotten) {
    say("a.wav", 1);
    crewSayHelm("a.wav", 0);
    soundShutdown();
    auto owned = std::make_unique<SoundDevice>();
    device = owned.get();
    ASSERT_TRUE(soundInitOnDevice(WindowHandle{}, std::move(owned)));
    crewSayHelm("a.wav", 0);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{1}));
}

TEST_F(CrewSpeech, TheCaptainIsAnnouncedWithBells) {
    say("DingDing.wav", 50);
    say("Arr3.wav", 51);
    say("Dep3.wav", 52);
    SoundVoice* voice = crewAnnounceCaptain(3, 0);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{50, 51}));
    crewAnnounceCaptain(3, 1);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{50, 52}));
    crewAnnounceCaptain(3, 9);
    EXPECT_EQ(heard(), (std::vector<std::int16_t>{50}));
}

} // namespace
} // namespace q71
