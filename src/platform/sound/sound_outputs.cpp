// The outputs that pull a sound device: the machine's audio through SDL2, or a silent clock
// thread that pulls the mix in real time when there is no audio output.
#include "platform/sound/sound_device.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace q71 {
namespace {

constexpr int kSdlFramesPerCallback = 512; // about 23 ms

class SdlSoundOutput final : public SoundOutput {
public:
    explicit SdlSoundOutput(SDL_AudioDeviceID id) : id_(id) { SDL_PauseAudioDevice(id_, 0); }
    ~SdlSoundOutput() override {
        SDL_CloseAudioDevice(id_); // waits for a running callback
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static void pull(void* device, Uint8* stream, int bytes) {
        static_cast<SoundDevice*>(device)->mix(
            std::span(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(bytes) / 2));
    }

private:
    SDL_AudioDeviceID id_;
};

std::unique_ptr<SoundOutput> openSdlOutput(SoundDevice& device) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(kSoundMixRate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kSoundMixChannels;
    wanted.samples = kSdlFramesPerCallback;
    wanted.callback = &SdlSoundOutput::pull;
    wanted.userdata = &device;
    // No changes allowed: SDL converts to whatever the hardware wants.
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return std::make_unique<SdlSoundOutput>(id);
}

// Pulls the mix at the pace of real time into nothing, 10 ms at a time.
class SilentSoundOutput final : public SoundOutput {
public:
    explicit SilentSoundOutput(SoundDevice& device) : device_(device), thread_([this] { run(); }) {}
    ~SilentSoundOutput() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

private:
    void run() {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        std::uint64_t pulled = 0;
        std::vector<std::int16_t> scratch;
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stopping_; })) {
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            const auto due = static_cast<std::uint64_t>(seconds * kSoundMixRate);
            // After a stall (a suspended machine) the clock jumps rather than mixing it all.
            const std::uint64_t frames = std::min<std::uint64_t>(due - pulled, kSoundMixRate / 4);
            pulled = due;
            scratch.resize(frames * kSoundMixChannels);
            lock.unlock();
            device_.mix(scratch);
            lock.lock();
        }
    }

    SoundDevice& device_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_; // last: started once everything above exists
};

} // namespace

std::unique_ptr<SoundDevice> soundOpenDefaultDevice() {
    auto device = std::make_unique<SoundDevice>();
    std::unique_ptr<SoundOutput> output = openSdlOutput(*device);
    if (!output)
        return soundOpenSilentDevice();
    device->setOutput(std::move(output));
    return device;
}

std::unique_ptr<SoundDevice> soundOpenSilentDevice() {
    auto device = std::make_unique<SoundDevice>();
    device->setOutput(std::make_unique<SilentSoundOutput>(*device));
    return device;
}

} // namespace q71
