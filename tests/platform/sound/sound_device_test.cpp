#include "platform/sound/sound_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace q71 {
namespace {

constexpr std::uint32_t kStatic = kSoundBufferStatic | kSoundBufferCtrlFrequency | kSoundBufferCtrlVolume;

// The next `frames` stereo frames of the device, as left/right pairs.
std::vector<std::int16_t> mixFrames(SoundDevice& device, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    device.mix(out);
    return out;
}

// A buffer holding the given samples, in the given format, with all controls.
std::unique_ptr<SoundBuffer> makeBuffer(SoundDevice& device, const WaveFormat& format,
                                        const std::vector<std::uint8_t>& bytes,
                                        std::uint32_t flags = kStatic) {
    std::unique_ptr<SoundBuffer> buffer;
    SoundBufferDesc desc{flags, static_cast<std::uint32_t>(bytes.size()), &format};
    EXPECT_EQ(device.createBuffer(desc, buffer), SoundResult::ok);
    SoundLockedRegion region;
    EXPECT_EQ(buffer->lock(0, 0, region, kSoundLockEntireBuffer), SoundResult::ok);
    std::memcpy(region.part1, bytes.data(), region.bytes1);
    EXPECT_EQ(buffer->unlock(region), SoundResult::ok);
    return buffer;
}

std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

const WaveFormat kMono16 = waveFormatPcm(kSoundMixRate, 1, 16);

TEST(SoundMixerLevels, MonoSixteenBitPlaysOnBothChannelsAtItsLevel) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({1000, -2000, 3000}));
    buffer->play(0);
    auto out = mixFrames(device, 4);
    EXPECT_EQ(out, (std::vector<std::int16_t>{1000, 1000, -2000, -2000, 3000, 3000, 0, 0}));
}

TEST(SoundMixerLevels, EightBitIsUnsignedAroundOneHundredTwentyEight) {
    SoundDevice device;
    auto buffer = makeBuffer(device, waveFormatPcm(kSoundMixRate, 1, 8), {128, 192, 0, 255});
    buffer->play(0);
    auto out = mixFrames(device, 4);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 16384, 16384, -32768, -32768, 32512, 32512}));
}

TEST(SoundMixerLevels, StereoKeepsItsChannelsApart) {
    SoundDevice device;
    auto buffer = makeBuffer(device, waveFormatPcm(kSoundMixRate, 2, 16), pcm16({100, -100, 200, -200}));
    buffer->play(0);
    EXPECT_EQ(mixFrames(device, 2), (std::vector<std::int16_t>{100, -100, 200, -200}));
}

TEST(SoundMixerLevels, VoicesAddAndTheSumIsClipped) {
    SoundDevice device;
    auto a = makeBuffer(device, kMono16, pcm16({30000, -30000, 100}));
    auto b = makeBuffer(device, kMono16, pcm16({30000, -30000, 100}));
    a->play(0);
    b->play(0);
    EXPECT_EQ(mixFrames(device, 3), (std::vector<std::int16_t>{32767, 32767, -32768, -32768, 200, 200}));
}

TEST(SoundMixerVolume, HundredthsOfADecibelFollowTheDecibelLaw) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16(std::vector<std::int16_t>(8, 20000)));
    buffer->play(kSoundPlayLooping);
    for (std::int32_t volume : {0, -600, -2000, -4000}) {
        ASSERT_EQ(buffer->setVolume(volume), SoundResult::ok);
        const double expected = 20000 * std::pow(10.0, volume / 2000.0);
        EXPECT_NEAR(mixFrames(device, 1)[0], expected, 1.0) << volume;
    }
    ASSERT_EQ(buffer->setVolume(kSoundVolumeMin), SoundResult::ok);
    EXPECT_EQ(mixFrames(device, 1)[0], 0);
    std::int32_t volume = 1;
    buffer->getVolume(volume);
    EXPECT_EQ(volume, kSoundVolumeMin);
}

TEST(SoundMixerVolume, OutOfRangeOrWithoutControlIsRefused) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({1, 2}));
    EXPECT_EQ(buffer->setVolume(1), SoundResult::invalidParam);
    EXPECT_EQ(buffer->setVolume(-10001), SoundResult::invalidParam);
    auto plain = makeBuffer(device, kMono16, pcm16({1, 2}), kSoundBufferStatic);
    EXPECT_EQ(plain->setVolume(-100), SoundResult::controlUnavailable);
    EXPECT_EQ(plain->setFrequency(11025), SoundResult::controlUnavailable);
}

TEST(SoundMixerVolume, PrimaryVolumeScalesEveryBuffer) {
    SoundDevice device;
    std::unique_ptr<SoundBuffer> primary;
    ASSERT_EQ(device.createBuffer({kSoundBufferPrimary | kSoundBufferCtrlVolume, 0, nullptr}, primary),
              SoundResult::ok);
    auto buffer = makeBuffer(device, kMono16, pcm16(std::vector<std::int16_t>(4, 10000)));
    buffer->play(kSoundPlayLooping);
    ASSERT_EQ(primary->setVolume(-600), SoundResult::ok);
    EXPECT_NEAR(mixFrames(device, 1)[0], 10000 * std::pow(10.0, -0.3), 1.0);
    EXPECT_EQ(primary->restore(), SoundResult::ok);
    std::uint32_t status = 99;
    primary->getStatus(status);
    EXPECT_EQ(status & kSoundStatusBufferLost, 0u);
}

TEST(SoundMixerPlayback, OneShotStopsAtItsEndAndGoesBackToItsStart) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({5, 6, 7}));
    buffer->play(0);
    std::uint32_t status = 0;
    buffer->getStatus(status);
    EXPECT_EQ(status, kSoundStatusPlaying);
    mixFrames(device, 2);
    std::uint32_t play = 0, write = 0;
    buffer->getCurrentPosition(&play, &write);
    EXPECT_EQ(play, 4u);
    mixFrames(device, 5);
    buffer->getStatus(status);
    EXPECT_EQ(status, 0u);
    buffer->getCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    buffer->play(0); // a restart plays it from the top
    EXPECT_EQ(mixFrames(device, 1), (std::vector<std::int16_t>{5, 5}));
}

TEST(SoundMixerPlayback, StopHoldsThePositionAndPlayGoesOn) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({1, 2, 3, 4}));
    buffer->play(0);
    mixFrames(device, 2);
    buffer->stop();
    EXPECT_EQ(mixFrames(device, 2), (std::vector<std::int16_t>{0, 0, 0, 0}));
    buffer->play(0);
    EXPECT_EQ(mixFrames(device, 2), (std::vector<std::int16_t>{3, 3, 4, 4}));
}

TEST(SoundMixerPlayback, LoopingWrapsWithoutAGap) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({1, 2, 3}));
    buffer->play(kSoundPlayLooping);
    std::uint32_t status = 0;
    buffer->getStatus(status);
    EXPECT_EQ(status, kSoundStatusPlaying | kSoundStatusLooping);
    auto out = mixFrames(device, 7);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<std::int16_t>{1, 2, 3, 1, 2, 3, 1}));
}

TEST(SoundMixerResampling, HalfRateInterpolatesBetweenFrames) {
    SoundDevice device;
    auto buffer = makeBuffer(device, waveFormatPcm(kSoundMixRate / 2, 1, 16), pcm16({0, 1000, 2000, 2000}));
    buffer->play(0);
    auto out = mixFrames(device, 6);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<std::int16_t>{0, 500, 1000, 1500, 2000, 2000}));
}

TEST(SoundMixerResampling, FrequencyChangeStepsFasterThroughTheData) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({0, 10, 20, 30, 40, 50, 60, 70}));
    ASSERT_EQ(buffer->setFrequency(kSoundMixRate * 2), SoundResult::ok);
    std::uint32_t hertz = 0;
    buffer->getFrequency(hertz);
    EXPECT_EQ(hertz, kSoundMixRate * 2);
    buffer->play(0);
    auto out = mixFrames(device, 4);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 20);
    EXPECT_EQ(out[4], 40);
    EXPECT_EQ(out[6], 60);
    EXPECT_EQ(buffer->setFrequency(kSoundFrequencyOriginal), SoundResult::ok);
    buffer->getFrequency(hertz);
    EXPECT_EQ(hertz, kSoundMixRate);
    EXPECT_EQ(buffer->setFrequency(50), SoundResult::invalidParam);
    EXPECT_EQ(buffer->setFrequency(kSoundMaxFrequency + 1), SoundResult::invalidParam);
}

TEST(SoundMixerResampling, OneSecondOfAnyRateLastsOneSecond) {
    for (std::uint32_t rate : {8000u, 11025u, 22050u, 44100u}) {
        SoundDevice device;
        std::vector<std::uint8_t> second(rate, 200);
        auto buffer = makeBuffer(device, waveFormatPcm(rate, 1, 8), second);
        buffer->play(0);
        auto out = mixFrames(device, kSoundMixRate + 10);
        std::size_t sounding = 0;
        for (std::size_t i = 0; i < out.size(); i += 2)
            sounding += out[i] != 0;
        EXPECT_NEAR(static_cast<double>(sounding), kSoundMixRate, 2.0) << rate;
    }
}

TEST(SoundBufferLocking, WritesWrapAroundTheEndInTwoParts) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({0, 0, 0, 0}));
    SoundLockedRegion region;
    ASSERT_EQ(buffer->lock(6, 4, region), SoundResult::ok);
    ASSERT_EQ(region.bytes1, 2u);
    ASSERT_EQ(region.bytes2, 2u);
    const std::int16_t last = 44, first = 11;
    std::memcpy(region.part1, &last, 2);
    std::memcpy(region.part2, &first, 2);
    SoundLockedRegion second;
    EXPECT_EQ(buffer->lock(0, 2, second), SoundResult::invalidCall);
    ASSERT_EQ(buffer->unlock(region), SoundResult::ok);
    buffer->play(0);
    auto out = mixFrames(device, 4);
    EXPECT_EQ(out[0], 11);
    EXPECT_EQ(out[6], 44);
}

TEST(SoundBufferLocking, BadRegionsAreRefused) {
    SoundDevice device;
    auto buffer = makeBuffer(device, kMono16, pcm16({0, 0}));
    SoundLockedRegion region;
    EXPECT_EQ(buffer->lock(4, 1, region), SoundResult::invalidParam);
    EXPECT_EQ(buffer->lock(0, 5, region), SoundResult::invalidParam);
    EXPECT_EQ(buffer->lock(0, 0, region), SoundResult::invalidParam);
    EXPECT_EQ(buffer->unlock(region), SoundResult::invalidCall);
    ASSERT_EQ(buffer->lock(0, 2, region), SoundResult::ok);
    SoundLockedRegion forged = region;
    forged.bytes1 = 4;
    EXPECT_EQ(buffer->unlock(forged), SoundResult::invalidParam);
    EXPECT_EQ(buffer->unlock(region), SoundResult::ok);
}

TEST(SoundBufferLocking, RingWriterFollowsThePlayPosition) {
    SoundDevice device;
    std::unique_ptr<SoundBuffer> ring;
    ASSERT_EQ(device.createBuffer({kSoundBufferCtrlVolume, 16, &kMono16}, ring), SoundResult::ok);
    ring->play(kSoundPlayLooping);
    mixFrames(device, 5);
    std::uint32_t play = 0, write = 0;
    ring->getCurrentPosition(&play, &write);
    EXPECT_EQ(play, 10u);
    EXPECT_EQ(write, 14u);
    mixFrames(device, 4);
    ring->getCurrentPosition(&play, &write);
    EXPECT_EQ(play, 2u);
    EXPECT_EQ(write, 6u);
    SoundLockedRegion region;
    ASSERT_EQ(ring->lock(0, 4, region, kSoundLockFromWriteCursor), SoundResult::ok);
    EXPECT_EQ(region.bytes1, 4u);
    ring->unlock(region);
}

TEST(SoundDeviceBuffers, MalformedDescriptionsAreRefused) {
    SoundDevice device;
    std::unique_ptr<SoundBuffer> buffer;
    WaveFormat format = kMono16;
    format.blockAlign = 0;
    EXPECT_EQ(device.createBuffer({kStatic, 16, &format}, buffer), SoundResult::badFormat);
    format = kMono16;
    format.formatTag = 2;
    EXPECT_EQ(device.createBuffer({kStatic, 16, &format}, buffer), SoundResult::badFormat);
    format = waveFormatPcm(kSoundMixRate, 1, 24);
    EXPECT_EQ(device.createBuffer({kStatic, 16, &format}, buffer), SoundResult::badFormat);
    format = waveFormatPcm(kSoundMixRate, 3, 16);
    EXPECT_EQ(device.createBuffer({kStatic, 16, &format}, buffer), SoundResult::badFormat);
    EXPECT_EQ(device.createBuffer({kStatic, 0, &kMono16}, buffer), SoundResult::invalidParam);
    EXPECT_EQ(device.createBuffer({kStatic, 16, nullptr}, buffer), SoundResult::invalidParam);
    EXPECT_EQ(device.createBuffer({kSoundBufferPrimary, 16, nullptr}, buffer), SoundResult::invalidParam);
    EXPECT_EQ(buffer, nullptr);
}

TEST(SoundDeviceBuffers, NewBuffersHoldSilenceOfTheirFormat) {
    SoundDevice device;
    WaveFormat format = waveFormatPcm(kSoundMixRate, 1, 8);
    std::unique_ptr<SoundBuffer> buffer;
    ASSERT_EQ(device.createBuffer({kStatic, 4, &format}, buffer), SoundResult::ok);
    buffer->play(0);
    EXPECT_EQ(mixFrames(device, 2), (std::vector<std::int16_t>{0, 0, 0, 0}));
}

TEST(SoundDeviceBuffers, DuplicatesShareDataButNotPosition) {
    SoundDevice device;
    auto original = makeBuffer(device, kMono16, pcm16({7, 8, 9}));
    original->setVolume(-2000);
    std::unique_ptr<SoundBuffer> copy;
    ASSERT_EQ(device.duplicateBuffer(*original, copy), SoundResult::ok);
    std::int32_t volume = 0;
    copy->getVolume(volume);
    EXPECT_EQ(volume, -2000);
    copy->setVolume(0);
    original->play(0);
    mixFrames(device, 1);
    copy->play(0);
    auto out = mixFrames(device, 1);
    EXPECT_EQ(out[0], 7 + 8 / 10);
    std::uint32_t play = 0;
    copy->getCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 2u);
}

TEST(SoundDeviceBuffers, ABufferOutlivingItsDeviceIsHarmless) {
    std::unique_ptr<SoundBuffer> buffer;
    {
        SoundDevice device;
        buffer = makeBuffer(device, kMono16, pcm16({1, 2}));
    }
    EXPECT_EQ(buffer->play(0), SoundResult::ok);
    EXPECT_EQ(buffer->stop(), SoundResult::ok);
}

class ConstantRenderer : public SoundRenderer {
public:
    void render(std::span<std::int16_t> stereo) override {
        for (std::int16_t& s : stereo)
            s = 300;
        ++calls;
    }
    int calls = 0;
};

TEST(SoundDeviceRenderers, RenderedFramesJoinTheMixUntilDetached) {
    SoundDevice device;
    ConstantRenderer renderer;
    device.attachRenderer(renderer);
    device.attachRenderer(renderer);
    auto buffer = makeBuffer(device, kMono16, pcm16({100, 0}));
    buffer->play(0);
    EXPECT_EQ(mixFrames(device, 2), (std::vector<std::int16_t>{400, 400, 300, 300}));
    EXPECT_EQ(renderer.calls, 1);
    device.detachRenderer(renderer);
    EXPECT_EQ(mixFrames(device, 1), (std::vector<std::int16_t>{0, 0}));
    EXPECT_EQ(device.framesMixed(), 3u);
}

TEST(SoundDeviceSilentOutput, PlaysInRealTimeSoOneShotsEnd) {
    auto device = soundOpenSilentDevice();
    std::unique_ptr<SoundBuffer> buffer;
    ASSERT_EQ(device->createBuffer({kStatic, kSoundMixRate / 10, &kMono16}, buffer), SoundResult::ok);
    buffer->play(0); // 50 ms of sound
    std::uint32_t status = kSoundStatusPlaying;
    for (int i = 0; i < 400 && status; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        buffer->getStatus(status);
    }
    EXPECT_EQ(status, 0u);
    // The buffer holds 1,102 frames: it can only have ended once the mixer had mixed that many
    // (exactly that many when the device's blocks happen to end with the buffer).
    EXPECT_GE(device->framesMixed(), kSoundMixRate / 20);
}

} // namespace
} // namespace q71
