#include "media/audio/sound_manager.h"
#include "support/sound_fixture.h"

#include <gtest/gtest.h>

#include "platform/mmio/mmio.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <span>
#include <thread>

namespace q71 {
namespace {

using test::levelWave;

class SoundSamples : public test::SoundFixture {};

TEST_F(SoundSamples, OneSamplePerPath) {
    SoundSample* a = soundLoad("ping.wav");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(soundLoad("ping.wav"), a);
    EXPECT_EQ(soundLoad((dir.path().string() + "\\ping.wav").c_str()), a); // the same path, given whole
    EXPECT_NE(soundLoad("other.wav"), a);
    EXPECT_EQ(soundLoad(""), nullptr);
    EXPECT_EQ(soundLoad(nullptr), nullptr);
}

TEST_F(SoundSamples, NamesLieInTheEffectsFolderOfTheSettings) {
    wave("ping.wav", levelWave(1200, 10));
    EXPECT_TRUE(soundPreload(soundLoad("ping.wav")));
    EXPECT_FALSE(soundPreload(soundLoad("missing.wav")));
}

TEST_F(SoundSamples, AnUnreadableWaveGivesNoVoiceAndIsNotRetried) {
    wave("bad.wav", "RIFF....WAVEjunk");
    SoundSample* sample = soundLoad("bad.wav");
    EXPECT_EQ(soundPlay(sample, 0, 1, 1), nullptr);
    wave("bad.wav", levelWave(1000, 10));
    EXPECT_FALSE(soundPreload(sample)); // tried once already
    soundUnloadSample(sample);
    EXPECT_TRUE(soundPreload(sample)); // unloading lets it be read again
}

TEST_F(SoundSamples, VoicesKeepTheirSoundWhenSamplesAreUnloaded) {
    wave("hum.wav", levelWave(900, 100));
    SoundVoice* voice = soundPlayByName("hum.wav", 1, 1, 1);
    ASSERT_NE(voice, nullptr);
    soundUnloadAll();
    EXPECT_EQ(levels(mix(150)), std::vector<std::int16_t>{900});
}

class SoundVoices : public test::SoundFixture {};

TEST_F(SoundVoices, AOneShotIsNotReturnedButPlaysAndIsReleasedWhenItStops) {
    wave("click.wav", levelWave(2000, 10));
    SoundSample* sample = soundLoad("click.wav");
    EXPECT_EQ(soundPlay(sample, 0, 1, 0), nullptr);
    EXPECT_EQ(voiceCount(), 1u);
    EXPECT_EQ(levels(mix(12)), (std::vector<std::int16_t>{2000, 0}));
    soundPlay(soundLoad("none.wav"), 0, 1, 0); // any new voice runs the housekeeping
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(SoundVoices, AKeptVoiceStaysAfterItStopsUntilFreed) {
    wave("click.wav", levelWave(2000, 10));
    SoundVoice* voice = soundPlayByName("click.wav", 0, 1, 1);
    ASSERT_NE(voice, nullptr);
    EXPECT_TRUE(soundVoiceIsPlaying(voice));
    mix(20);
    EXPECT_FALSE(soundVoiceIsPlaying(voice));
    soundPlay(soundLoad("none.wav"), 0, 1, 0);
    EXPECT_EQ(voiceCount(), 1u);
    soundStartVoice(voice); // plays again from the top
    EXPECT_EQ(levels(mix(12)), (std::vector<std::int16_t>{2000, 0}));
    soundFreeVoice(voice);
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(SoundVoices, StopReleasesOneShotsAndKillReleasesKeptOnes) {
    wave("loop.wav", levelWave(500, 10));
    SoundVoice* kept = soundPlayByName("loop.wav", 1, 1, 1);
    soundPlayByName("loop.wav", 1, 1, 0);
    EXPECT_EQ(voiceCount(), 2u);
    soundStopAll();
    EXPECT_EQ(voiceCount(), 1u);
    EXPECT_EQ(levels(mix(5)), std::vector<std::int16_t>{0});
    soundKillVoice(kept);
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(SoundVoices, EndLoopFinishesThePassAndLetsTheVoiceGo) {
    wave("loop.wav", levelWave(500, 10));
    SoundVoice* voice = soundPlayByName("loop.wav", 1, 1, 1);
    mix(4);
    soundEndLoop(voice);
    EXPECT_EQ(levels(mix(10)), (std::vector<std::int16_t>{500, 0}));
    soundPlay(soundLoad("none.wav"), 0, 1, 0);
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(SoundVoices, TwoOneShotsOfOneSampleShareOneBuffer) {
    wave("ping.wav", levelWave(100, 50));
    SoundSample* sample = soundLoad("ping.wav");
    SoundVoice* first = soundPlay(sample, 0, 0, 1);
    SoundVoice* second = soundPlay(sample, 0, 0, 1);
    ASSERT_TRUE(first && second);
    // A write into the first buffer is heard through the second.
    SoundLockedRegion region;
    ASSERT_EQ(first->buffer->lock(0, 2, region), SoundResult::ok);
    const std::int16_t marked = 7000;
    std::memcpy(region.part1, &marked, 2);
    first->buffer->unlock(region);
    soundStartVoice(second);
    EXPECT_EQ(mix(1)[0], 7000);
}

TEST_F(SoundVoices, WithSoundOffOnlyKeptVoicesAreMadeAndLoopsComeBack) {
    wave("engine.wav", levelWave(800, 20));
    soundDisable();
    EXPECT_FALSE(soundIsEnabled());
    EXPECT_EQ(soundPlayByName("engine.wav", 0, 1, 0), nullptr);
    EXPECT_EQ(voiceCount(), 0u);
    SoundVoice* loop = soundPlayByName("engine.wav", 1, 1, 1);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(levels(mix(30)), std::vector<std::int16_t>{0});
    soundEnable();
    EXPECT_EQ(levels(mix(30)), std::vector<std::int16_t>{800});
}

TEST_F(SoundVoices, KeptOneShotsStartedWithSoundOffWaitButAtMostSix) {
    wave("click.wav", levelWave(100, 50));
    soundDisable();
    std::vector<SoundVoice*> voices;
    for (int i = 0; i < 8; ++i)
        voices.push_back(soundPlayByName("click.wav", 0, 1, 1));
    EXPECT_EQ(levels(mix(10)), std::vector<std::int16_t>{0});
    soundEnable();
    EXPECT_EQ(std::count_if(voices.begin(), voices.end(), soundVoiceIsPlaying), 6);
    EXPECT_FALSE(soundVoiceIsPlaying(voices[0])); // the oldest gave way
    EXPECT_EQ(levels(mix(10)), std::vector<std::int16_t>{600});
}

TEST_F(SoundVoices, SoundOffInterruptsLoopsAndSoundOnResumesThem) {
    wave("engine.wav", levelWave(800, 20));
    wave("click.wav", levelWave(300, 200));
    SoundVoice* loop = soundPlayByName("engine.wav", 1, 1, 1);
    SoundVoice* once = soundPlayByName("click.wav", 0, 1, 1);
    soundDisable();
    EXPECT_FALSE(soundVoiceIsPlaying(loop));
    EXPECT_FALSE(soundVoiceIsPlaying(once));
    soundEnable();
    EXPECT_TRUE(soundVoiceIsPlaying(loop));
    EXPECT_FALSE(soundVoiceIsPlaying(once));
}

class SoundVolume : public test::SoundFixture {};

TEST(SoundVolumeLaw, TenDecibelsForEachHalving) {
    EXPECT_EQ(soundAttenuation(127, 127), 0);
    EXPECT_EQ(soundAttenuation(127, 0), kSoundVolumeMin);
    EXPECT_EQ(soundAttenuation(0, 127), kSoundVolumeMin);
    EXPECT_EQ(soundAttenuation(127, 64), -989); // trunc(-1000 log2(127/64) - 0.5)
    EXPECT_EQ(soundAttenuation(127, 1), -6989);
    EXPECT_EQ(soundAttenuation(64, 64), -1989); // level trunc(64 x 64 / 127 + 0.5) = 32
    EXPECT_EQ(soundAttenuation(127, 200), soundAttenuation(127, 127));
}

TEST_F(SoundVolume, VoiceAndMasterVolumesReachTheBuffer) {
    wave("tone.wav", levelWave(1000, 10));
    SoundVoice* voice = soundPlayByName("tone.wav", 1, 0, 1);
    std::int32_t hundredths = 1;
    voice->buffer->getVolume(hundredths);
    EXPECT_EQ(hundredths, 0);
    soundSetVoiceVolume(voice, 0);
    voice->buffer->getVolume(hundredths);
    EXPECT_EQ(hundredths, kSoundVolumeMin);
    soundSetVoiceVolume(voice, 300); // clamped to 127
    soundSetVolume(64);
    EXPECT_EQ(soundGetVolume(), 64);
    voice->buffer->getVolume(hundredths);
    EXPECT_EQ(hundredths, soundAttenuation(64, 127));
    soundSetVolume(-5);
    EXPECT_EQ(soundGetVolume(), 0);
}

TEST_F(SoundVolume, PitchIsARatioOfTheWavesOwnRate) {
    wave("engine.wav", levelWave(1000, 10, 11025));
    SoundVoice* voice = soundPlayByName("engine.wav", 1, 0, 1);
    EXPECT_DOUBLE_EQ(soundGetPitch(voice), 1.0);
    soundSetPitch(voice, 1.5);
    EXPECT_NEAR(soundGetPitch(voice), 1.5, 1e-3);
    soundSetPitch(voice, 0.5);
    EXPECT_NEAR(soundGetPitch(voice), 0.5, 1e-3);
    EXPECT_EQ(soundGetPitch(nullptr), 0.0);
}

class SoundStreams : public test::SoundFixture {};

TEST_F(SoundStreams, TimeValuesTakeTheirDefaultsAndLimits) {
    auto times = [](int first, int second) {
        soundStreamTimes(first, second);
        return std::pair(first, second);
    };
    EXPECT_EQ(times(0, 0), std::pair(500, 2000));
    EXPECT_EQ(times(300, 0), std::pair(300, 1800));
    EXPECT_EQ(times(0, 4000), std::pair(2500, 4000));
    EXPECT_EQ(times(0, 1000), std::pair(10, 1000));
    EXPECT_EQ(times(5, 50), std::pair(10, 110));
}

TEST_F(SoundStreams, AFileLongerThanItsRingPlaysWholeInOrder) {
    // Four quarters of different levels, 0.4 s in all, through a ring of about 0.15 s.
    std::string data;
    for (std::int16_t level : {1000, 2000, 3000, 4000})
        for (int i = 0; i < 2205; ++i)
            test::put16(data, static_cast<std::uint16_t>(level));
    wave("long.wav",
         test::riff(test::chunk("fmt ", test::formatBytes(1, 1, 22050, 16, 2)) + test::chunk("data", data)));
    SoundVoice* voice = soundPlayStream("long.wav", 0, 1, 1, 1000, 100);
    ASSERT_NE(voice, nullptr);
    auto out = mix(9000);
    EXPECT_EQ(levels(out), (std::vector<std::int16_t>{1000, 2000, 3000, 4000, 0}));
    EXPECT_EQ(std::count(out.begin(), out.end(), 3000), 2205);
    EXPECT_FALSE(soundVoiceIsPlaying(voice)); // stopped once everything had played
}

TEST_F(SoundStreams, ALoopingStreamStartsItsFileAgain) {
    wave("a.wav", levelWave(100, 300));
    SoundVoice* voice = soundPlayStream("a.wav", 1, 1, 1, 1000, 100);
    ASSERT_NE(voice, nullptr);
    auto out = mix(4410);
    EXPECT_EQ(levels(out), std::vector<std::int16_t>{100});
}

TEST_F(SoundStreams, TheThreadStopsTheVoiceOnceEverythingHasPlayed) {
    wave("short.wav", levelWave(100, 200));
    SoundVoice* voice = soundPlayStream("short.wav", 0, 1, 1, 10, 100);
    ASSERT_NE(voice, nullptr);
    std::vector<std::int16_t> stereo(8000);
    device->mix(stereo); // the thread alone sees that the sound is over
    bool playing = true;
    for (int i = 0; i < 500 && playing; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        playing = soundVoiceIsPlaying(voice);
    }
    EXPECT_FALSE(playing);
    soundStartVoice(voice); // a stopped stream has no ring left: nothing happens
    EXPECT_FALSE(soundVoiceIsPlaying(voice));
}

TEST_F(SoundStreams, AMissingFileGivesNoVoice) {
    EXPECT_EQ(soundPlayStream("none.wav", 0, 1, 1, 0, 0), nullptr);
    EXPECT_EQ(voiceCount(), 0u);
}

TEST_F(SoundStreams, AOneShotStreamWithNothingToPlayIsGoneAtOnce) {
    wave("empty.wav",
         test::riff(test::chunk("fmt ", test::formatBytes(1, 1, 22050, 16, 2)) + test::chunk("data", "")));
    EXPECT_EQ(soundPlayStream("empty.wav", 0, 1, 0, 0, 0), nullptr);
    EXPECT_EQ(voiceCount(), 0u);
    SoundVoice* kept = soundPlayStream("empty.wav", 1, 1, 1, 0, 0); // looping, yet nothing to loop
    ASSERT_NE(kept, nullptr);
    EXPECT_FALSE(soundVoiceIsPlaying(kept));
}

TEST_F(SoundStreams, IntermittentVoicesRepeatAfterAGap) {
    wave("blip.wav", levelWave(600, 100));
    SoundVoice* voice = soundPlayIntermittent("blip.wav", 1, 1, 1, 10, 20);
    ASSERT_NE(voice, nullptr);
    auto out = mix(4410);
    auto runs = levels(out);
    ASSERT_GE(runs.size(), 10u);
    EXPECT_EQ(runs[0], 600);
    EXPECT_EQ(runs[1], 0);
    EXPECT_EQ(runs[2], 600);
    // Without looping it plays once, as an ordinary voice.
    EXPECT_EQ(soundPlayIntermittent("blip.wav", 0, 1, 0, 10, 20), nullptr);
}

// A disk that can stall: the I/O procedure of containers "*.slw" serves one file from memory, and
// its reads wait while the disk is held.
struct SlowDisk {
    std::mutex lock;
    std::condition_variable changed;
    bool held = false;
    int waiting = 0;
    int reads = 0;
    std::string bytes;

    static SlowDisk* current;
    static intptr_t proc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t parameter2) {
        SlowDisk& disk = *current;
        const auto size = static_cast<intptr_t>(disk.bytes.size());
        switch (message) {
        case MMIOM_OPEN:
            info->diskOffset = 0;
            return 0;
        case MMIOM_CLOSE:
            return 0;
        case MMIOM_SEEK: {
            const intptr_t base = parameter2 == SEEK_SET ? 0 : parameter2 == SEEK_CUR ? info->diskOffset : size;
            if (base + parameter1 < 0 || base + parameter1 > size)
                return -1;
            info->diskOffset = static_cast<int32_t>(base + parameter1);
            return info->diskOffset;
        }
        case MMIOM_READ: {
            std::unique_lock guard(disk.lock);
            ++disk.waiting;
            disk.changed.notify_all();
            disk.changed.wait(guard, [&] { return !disk.held; });
            --disk.waiting;
            ++disk.reads;
            const intptr_t count = std::min<intptr_t>(parameter2, size - info->diskOffset);
            std::memcpy(reinterpret_cast<void*>(parameter1), disk.bytes.data() + info->diskOffset,
                        static_cast<std::size_t>(count));
            info->diskOffset += static_cast<int32_t>(count);
            return count;
        }
        default:
            return -1;
        }
    }
    void hold(bool on) {
        std::lock_guard guard(lock);
        held = on;
        changed.notify_all();
    }
};
SlowDisk* SlowDisk::current = nullptr;

TEST_F(SoundStreams, AStalledDiskHoldsUpItsStreamButNoOtherSoundCall) {
    SlowDisk disk;
    disk.bytes = levelWave(700, 22050 * 4);
    SlowDisk::current = &disk;
    const FourCC code = mmioFourCC('S', 'L', 'W', ' ');
    mmioInstallIOProc(code, &SlowDisk::proc, MMIO_INSTALLPROC);
    const std::string name = dir.path().string() + "/disk.slw+engine.wav";
    SoundVoice* voice = soundPlayStream(name.c_str(), 0, 1, 1, 10, 100);
    ASSERT_NE(voice, nullptr);
    disk.hold(true);
    // The ring plays on; its thread reads on and comes to wait for the disk.
    bool stalled = false;
    for (int i = 0; i < 500 && !stalled; ++i) {
        std::vector<std::int16_t> stereo(441 * 2);
        device->mix(stereo);
        std::unique_lock guard(disk.lock);
        stalled = disk.changed.wait_for(guard, std::chrono::milliseconds(10), [&] { return disk.waiting > 0; });
    }
    ASSERT_TRUE(stalled);
    auto call = std::async(std::launch::async, [] {
        soundSetVolume(90);
        return soundGetVolume();
    });
    const bool answered = call.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    disk.hold(false);
    EXPECT_TRUE(answered) << "a sound call waited for the disk";
    EXPECT_EQ(call.get(), 90);
    soundSetVolume(127);
    EXPECT_EQ(levels(mix(2000)), std::vector<std::int16_t>{700}) << "the stream plays on once the disk answers";
    soundShutdown();
    mmioInstallIOProc(code, nullptr, MMIO_REMOVEPROC);
}

TEST_F(SoundStreams, ALoopReadAheadHoldsItsNextPassesSoRewindingReadsNoDisk) {
    // 100 frames whose samples count 0..99, so every byte tells where in the file it came from.
    std::string data;
    for (int i = 0; i < 100; ++i)
        test::put16(data, static_cast<std::uint16_t>(i));
    SlowDisk disk;
    disk.bytes = test::riff(test::chunk("fmt ", test::formatBytes(1, 1, kSoundMixRate, 16, 2)) +
                            test::chunk("data", data));
    SlowDisk::current = &disk;
    const FourCC code = mmioFourCC('S', 'L', 'W', ' ');
    mmioInstallIOProc(code, &SlowDisk::proc, MMIO_INSTALLPROC);
    const std::string name = dir.path().string() + "/disk.slw+loop.wav";
    struct Case {
        const char* what;
        std::size_t ahead;    // bytes read ahead, as the stream thread does before a refill
        std::size_t consumed; // bytes then read as a refill reads them, rewinding at each end
        bool diskRead;        // whether that refill had to go to the disk
    };
    const Case cases[] = {
        {"three and a half passes ahead", 700, 700, false},
        {"exactly two passes ahead", 400, 400, false},
        {"a refill beyond the read-ahead", 300, 500, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::shared_ptr<StreamSource> source = streamOpenFile(name);
        ASSERT_NE(source, nullptr);
        source->readAhead(c.ahead, true);
        const int readsBefore = disk.reads;
        std::vector<std::uint8_t> out(c.consumed);
        std::size_t at = 0;
        for (int passes = 0; at < out.size() && passes < 10; ++passes) {
            at += source->read(std::span(out).subspan(at));
            if (at < out.size()) {
                ASSERT_TRUE(source->rewind());
            }
        }
        ASSERT_EQ(at, out.size());
        for (std::size_t i = 0; i < out.size(); i += 2)
            ASSERT_EQ(out[i] | out[i + 1] << 8, static_cast<int>(i / 2 % 100)) << "at byte " << i;
        EXPECT_EQ(disk.reads != readsBefore, c.diskRead);
    }
    mmioInstallIOProc(code, nullptr, MMIO_REMOVEPROC);
}

class SoundLifetime : public ::testing::Test {};

TEST_F(SoundLifetime, ShutdownWaitsForStreamThreadsAndIsSafeTwice) {
    test::TempDir dir;
    dir.write("s.wav", levelWave(5, 22050));
    ASSERT_TRUE(soundInitOnDevice(WindowHandle{}, std::make_unique<SoundDevice>()));
    EXPECT_NE(soundPlayStream((dir.path().string() + "/s.wav").c_str(), 1, 1, 1, 10, 200), nullptr);
    EXPECT_NE(soundGetDirectSound(), nullptr);
    EXPECT_NE(soundGetPrimaryBuffer(), nullptr);
    soundShutdown();
    soundShutdown();
    EXPECT_EQ(soundGetDirectSound(), nullptr);
    EXPECT_EQ(soundLoad("s.wav"), nullptr);
    EXPECT_EQ(soundGetVolume(), 0);
}

} // namespace
} // namespace q71
