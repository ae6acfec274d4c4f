// The host's rules that need no screen: time compression across the stations, what an order
// readout shows, the engine's noise, the gear's sound cues on a fake tick clock, and the music's draw.
#include "framework/app/station_table.h"
#include "stations/geninfo/device_cues.h"
#include "stations/geninfo/host_music.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/geninfo/time_compression.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace q71 {
namespace {

TEST(HostCompression, EveryStationPairGivesRealTimeOnlyAtThePeriscopeAndTheViewer) {
    for (int p = 0; p < kStationCount; ++p)
        for (int s = 0; s < kStationCount; ++s) {
            CompressionBook book;
            book.switchTo(kStationShipControl);
            for (int i = 0; i < 3; ++i)
                book.step(+1); // level 4 on an ordinary station
            book.switchTo(p);
            book.switchTo(s);
            const bool realTime = s == kStationPeriscope || s == kStationEntityViewer;
            EXPECT_EQ(book.level(), realTime ? 1 : 4) << "from " << p << " to " << s;
        }
}

TEST(HostCompression, ThePassageBetweenPeriscopeAndViewerKeepsTheLevelsOnEitherSide) {
    struct Case {
        const char* name;
        std::vector<int> route; ///< stations after the ship control at level 4; -1/+1 press an arrow
        int expected;
    };
    const std::vector<Case> cases = {
        {"periscope, viewer, back", {6, 13, 0}, 4},
        {"viewer, periscope, back", {13, 6, 0}, 4},
        {"viewer raised to 3, periscope, back", {13, 101, 101, 6, 0}, 3},
        {"viewer raised to 3, periscope, viewer", {13, 101, 101, 6, 13}, 3},
        {"arrows at the periscope do nothing", {6, 101, 101, 0}, 4},
        {"arrows stop at 8", {101, 101, 101, 101, 101, 101, 101}, 8},
        {"arrows stop at 1", {99, 99, 99, 99, 99}, 1},
    };
    for (const Case& c : cases) {
        CompressionBook book;
        book.switchTo(kStationShipControl);
        for (int i = 0; i < 3; ++i)
            book.step(+1);
        for (int s : c.route) {
            if (s == 101 || s == 99)
                book.step(s == 101 ? +1 : -1);
            else
                book.switchTo(s);
        }
        EXPECT_EQ(book.level(), c.expected) << c.name;
    }
    EXPECT_EQ(compressionInForce(5, true), 1) << "a network game runs in real time";
    EXPECT_EQ(compressionInForce(5, false), 5);
}

TEST(HostReadOuts, ShowTheBoatThenTheOrderThenBlankOnceReached) {
    struct Case {
        int actual, ordered;
        bool orderMode, pending;
        ReadOutShown::Kind kind;
        int value;
    };
    const std::vector<Case> cases = {
        {12, 20, false, false, ReadOutShown::kValue, 12}, // not in order mode: the boat
        {12, 20, true, false, ReadOutShown::kValue, 20},  // the standing order
        {20, 20, true, false, ReadOutShown::kBlank, 0},   // reached: blank
        {12, 20, true, true, ReadOutShown::kLeave, 0},    // typing: left alone
    };
    for (const Case& c : cases) {
        const ReadOutShown shown = orderReadOutShows(c.actual, c.ordered, c.orderMode, c.pending);
        EXPECT_EQ(shown.kind, c.kind) << c.actual << " " << c.ordered;
        if (c.kind == ReadOutShown::kValue) {
            EXPECT_EQ(shown.value, c.value);
        }
    }
}

TEST(HostReadOuts, DepthsUseTheTwentyEightFootOffsetBothWays) {
    EXPECT_DOUBLE_EQ(verticalOfDepthFeet(28), 0.0) << "28 feet orders the surface";
    EXPECT_EQ(depthFeetOf(0.0), 28);
    EXPECT_NEAR(verticalOfDepthFeet(150), -122 * 0.3048, 1e-9);
    for (int feet : {28, 40, 60, 150, 400, 1200})
        EXPECT_EQ(depthFeetOf(verticalOfDepthFeet(feet)), feet) << feet;
    EXPECT_GT(verticalOfDepthFeet(39), -3.6576) << "below 40 feet is the surface to the boat";
    EXPECT_EQ(readOutCourse(359.6), 0);
    EXPECT_EQ(readOutCourse(-90.0), 270);
    EXPECT_EQ(readOutWhole(11.5), 12);
}

TEST(HostEngineNoise, SilentBelowOneKnotFullFromFifty) {
    EXPECT_FALSE(engineNoiseAt(0.0).on);
    EXPECT_FALSE(engineNoiseAt(-0.9).on);
    const EngineNoise slow = engineNoiseAt(1.0);
    EXPECT_TRUE(slow.on);
    EXPECT_EQ(slow.volume, 73); // 0.02 x 55 + 72
    EXPECT_DOUBLE_EQ(slow.rate, 0.52);
    for (double v : {50.0, -50.0, 60.0}) {
        const EngineNoise full = engineNoiseAt(v);
        EXPECT_EQ(full.volume, 127) << v;
        EXPECT_DOUBLE_EQ(full.rate, 1.5) << v;
    }
}

// Voices that play until stopped (looping) or until their sample ends, a step of the test later.
class VoiceLog final : public AudioService {
public:
    struct Voice {
        std::string sample;
        bool loop = false;
        int volume = -1;
        bool playing = false;
        bool freed = false;
    };
    SoundSampleId loadSample(std::string_view) override { return 0; }
    SoundVoiceId playSample(SoundSampleId, bool, bool, bool) override { return 0; }
    SoundVoiceId playByName(std::string_view name, bool loop, bool startNow, bool) override {
        voices.push_back({std::string(name), loop, -1, startNow, false});
        return voices.size();
    }
    void setVoiceVolume(SoundVoiceId v, int volume) override { at(v).volume = volume; }
    void startVoice(SoundVoiceId v) override { at(v).playing = true; }
    void stopVoice(SoundVoiceId v) override { at(v).playing = false; }
    void freeVoice(SoundVoiceId v) override { at(v).freed = true; }
    bool voicePlaying(SoundVoiceId v) const override { return voices.at(v - 1).playing; }
    void crewQueueSpeech(CrewChannel, std::span<const std::string>, int) override {}
    void crewReportSonarNumber(bool, std::string_view, long, int, std::string_view, long, int) override {}

    Voice& at(SoundVoiceId v) { return voices.at(v - 1); }
    /// One-shot voices end.
    void endOneShots() {
        for (Voice& v : voices)
            if (!v.loop)
                v.playing = false;
    }
    std::vector<std::string> started() const {
        std::vector<std::string> names;
        for (const Voice& v : voices)
            names.push_back(v.sample);
        return names;
    }
    const Voice& last() const { return voices.back(); }

    std::vector<Voice> voices;
};

constexpr WinchSamples kWinch{"run.wav", "stuck.wav", "end.wav"};

TEST(HostCues, AWinchRunsFullThenFadesThenSwellsAgainstTheEndAndGrindsUntilStopped) {
    VoiceLog audio;
    WinchCue cue;
    std::uint32_t t = 10000;
    cue.step(audio, kWinch, 0, t);
    EXPECT_EQ(audio.started(), std::vector<std::string>{"run.wav"});
    EXPECT_TRUE(audio.last().loop);
    EXPECT_EQ(audio.last().volume, 127);
    cue.step(audio, kWinch, 0, t + 1000);
    EXPECT_EQ(audio.last().volume, 127) << "full for the first second";
    cue.step(audio, kWinch, 0, t + 3000);
    EXPECT_EQ(audio.last().volume, 63) << "(5000 - 3000) / 4000 of full";
    cue.step(audio, kWinch, 0, t + 3800);
    EXPECT_EQ(audio.last().volume, 38) << "30 % from 3.8 s";
    cue.step(audio, kWinch, 0, t + 9000);
    EXPECT_EQ(audio.last().volume, 38);
    EXPECT_EQ(audio.voices.size(), 1u) << "one running voice";

    // Out to the end at 30 %: the run swells back over 3 s, starting a second later.
    const std::uint32_t end = t + 10000;
    cue.step(audio, kWinch, 3, end);
    EXPECT_EQ(audio.voices.size(), 1u);
    cue.step(audio, kWinch, 3, end + 1000);
    EXPECT_EQ(audio.last().sample, "run.wav");
    EXPECT_EQ(audio.last().volume, 42) << "a third of the way back up to full";
    cue.step(audio, kWinch, 3, end + 3000);
    EXPECT_EQ(audio.last().volume, 127) << "full again";
    cue.step(audio, kWinch, 3, end + 3999);
    EXPECT_EQ(audio.last().sample, "run.wav");
    cue.step(audio, kWinch, 3, end + 4000);
    EXPECT_EQ(audio.last().sample, "stuck.wav");
    EXPECT_TRUE(audio.last().loop);
    EXPECT_EQ(audio.last().volume, 127);
    EXPECT_TRUE(audio.voices[0].freed) << "the run voice is given back";
    cue.step(audio, kWinch, 3, end + 9000);
    EXPECT_EQ(audio.voices.size(), 2u) << "the stuck sound loops on";

    // Stopped: the end sample once.
    cue.step(audio, kWinch, 5, end + 9100);
    EXPECT_EQ(audio.last().sample, "end.wav");
    EXPECT_FALSE(audio.last().loop);
    audio.endOneShots();
    cue.step(audio, kWinch, 5, end + 9200);
    cue.step(audio, kWinch, 5, end + 9300);
    EXPECT_EQ(audio.voices.size(), 3u) << "the end plays once";
    EXPECT_TRUE(audio.last().freed) << "a voice that stopped is given back";
}

TEST(HostCues, AWinchStartedAgainstTheEndGrindsAtOnce) {
    VoiceLog audio;
    WinchCue cue;
    cue.step(audio, kWinch, 4, 500);
    EXPECT_EQ(audio.started(), std::vector<std::string>{"stuck.wav"});
    EXPECT_EQ(audio.last().volume, 127);
}

TEST(HostCues, StatesOfMastsAndWinches) {
    EXPECT_EQ(mastCueState(1, 5.0, 10.0), 3);
    EXPECT_EQ(mastCueState(1, 10.0, 10.0), 0);
    EXPECT_EQ(mastCueState(0, 5.0, 10.0), 4);
    EXPECT_EQ(mastCueState(0, 11.0, 10.0), 1);
    EXPECT_EQ(mastCueState(2, 5.0, 10.0), 2);
    EXPECT_EQ(winchCueState(-1.0, 100.0, 1.0), 2);
    EXPECT_EQ(winchCueState(50.0, 100.0, 1.0), 0);
    EXPECT_EQ(winchCueState(100.0, 100.0, 1.0), 3);
    EXPECT_EQ(winchCueState(50.0, 100.0, -1.0), 1);
    EXPECT_EQ(winchCueState(0.0, 100.0, -1.0), 4);
    EXPECT_EQ(winchCueState(50.0, 100.0, 0.0), 5);
}

TEST(HostCues, AMastSoundsWhileItRunsAndItsEndOnce) {
    VoiceLog audio;
    MastCue cue;
    const MastSamples esm{"up.wav", "up.wav", "stop.wav", true};
    cue.step(audio, esm, 3); // raising
    EXPECT_EQ(audio.started(), std::vector<std::string>{"up.wav"});
    EXPECT_TRUE(audio.last().loop);
    cue.step(audio, esm, 3);
    EXPECT_EQ(audio.voices.size(), 1u) << "one voice while it runs";
    cue.step(audio, esm, 0);
    EXPECT_EQ(audio.last().sample, "stop.wav");
    audio.endOneShots();
    cue.step(audio, esm, 0);
    EXPECT_EQ(audio.voices.size(), 2u);

    const MastSamples periscope{"scope-up.wav", "scope-down.wav", nullptr, false};
    VoiceLog quiet;
    MastCue scope;
    scope.step(quiet, periscope, 4);
    scope.step(quiet, periscope, 1);
    EXPECT_EQ(quiet.started(), std::vector<std::string>{"scope-down.wav"}) << "no end sample";
}

TEST(HostMusicDraw, NeverTheSameTrackTwiceInARowAndEveryTrackComes) {
    for (std::uint32_t seed : {1u, 7u, 12345u}) {
        TrackDraw draw(seed);
        std::set<int> seen;
        int previous = -1;
        for (int i = 0; i < 500; ++i) {
            const int track = draw.next();
            ASSERT_GE(track, 0);
            ASSERT_LT(track, kHostTrackCount);
            ASSERT_NE(track, previous) << "draw " << i;
            previous = track;
            seen.insert(track);
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(kHostTrackCount));
    }
    EXPECT_STREQ(hostTrackName(0), "Prog.mid");
    EXPECT_EQ(hostTrackName(9), nullptr);
}

} // namespace
} // namespace q71
