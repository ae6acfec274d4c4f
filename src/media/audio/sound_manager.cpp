// The sound manager's life: creation on a device, sound on and off, the master volume and
// the safe shutdown.
#include "media/audio/sound_internal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71 {
namespace {

SoundManager* g_manager = nullptr;
bool g_soundOn = true;
bool g_initFailed = false;
bool g_exitHandlerRegistered = false;
std::uint64_t g_generation = 0;

std::recursive_mutex& managerMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

// Stops a voice without giving up its ring, so that sound on can play it again.
void interrupt(SoundVoice& voice) {
    const bool resume = voice.playing && voice.loop && voice.keep;
    if (resume && voice.buffer) {
        voice.buffer->stop();
        voice.playing = false;
        soundDetachCompletion(voice);
    } else {
        soundStopVoiceLocked(voice);
    }
    voice.restartPending = resume;
}

} // namespace

std::unique_lock<std::recursive_mutex> soundLock() {
    return std::unique_lock(managerMutex());
}
SoundManager* soundManager() {
    return g_manager;
}
std::uint64_t soundManagerGeneration() {
    return g_generation;
}
bool soundOn() {
    return g_soundOn;
}

bool soundInit(WindowHandle window) {
    {
        auto lock = soundLock();
        if (g_manager)
            return true;
        if (g_initFailed)
            return false;
    }
    std::unique_ptr<SoundDevice> device = soundOpenDefaultDevice();
    if (!soundInitOnDevice(window, std::move(device))) {
        auto lock = soundLock();
        g_initFailed = true;
        return false;
    }
    return true;
}

bool soundInitOnDevice(WindowHandle window, std::unique_ptr<SoundDevice> device) {
    auto lock = soundLock();
    if (g_manager)
        return true;
    if (!device)
        return false;
    auto manager = std::make_unique<SoundManager>();
    if (device->createBuffer({kSoundBufferPrimary | kSoundBufferCtrlVolume, 0, nullptr}, manager->primary) !=
        SoundResult::ok)
        return false;
    manager->window = window;
    manager->device = std::move(device);
    g_manager = manager.release();
    g_soundOn = true;
    ++g_generation;
    if (!g_exitHandlerRegistered) {
        g_exitHandlerRegistered = true;
        std::atexit(soundShutdown);
    }
    return true;
}

void soundShutdown() {
    auto lock = soundLock();
    SoundManager* manager = g_manager;
    if (!manager)
        return;
    soundBeginWalk();
    for (auto& voice : manager->voices)
        voice->release = true;
    soundEndWalk(); // frees every voice and wakes their stream threads
    auto running = [&] {
        return std::any_of(manager->threads.begin(), manager->threads.end(),
                           [](const StreamThread& t) { return !t.completion->finished; });
    };
    while (running()) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
    for (StreamThread& t : manager->threads)
        t.thread.join();
    g_manager = nullptr;
    ++g_generation;
    delete manager; // the samples, the primary buffer and the device
}

bool soundIsEnabled() {
    auto lock = soundLock();
    return g_manager && g_soundOn;
}

void soundEnable() {
    auto lock = soundLock();
    if (!g_manager || g_soundOn)
        return;
    g_soundOn = true;
    soundBeginWalk();
    for (auto& voice : g_manager->voices) {
        if (voice->restartPending) {
            voice->restartPending = false;
            soundStartVoice(voice.get());
        }
    }
    soundEndWalk();
}

void soundDisable() {
    auto lock = soundLock();
    if (!g_manager || !g_soundOn)
        return;
    g_soundOn = false;
    soundBeginWalk();
    for (auto& voice : g_manager->voices)
        interrupt(*voice);
    soundEndWalk();
}

int soundGetVolume() {
    auto lock = soundLock();
    return g_manager ? g_manager->masterVolume : 0;
}

void soundSetVolume(int volume) {
    auto lock = soundLock();
    if (!g_manager)
        return;
    g_manager->masterVolume = std::clamp(volume, 0, 127);
    soundBeginWalk();
    for (auto& voice : g_manager->voices)
        soundApplyVolume(*voice);
    soundEndWalk();
}

SoundDevice* soundGetDirectSound() {
    auto lock = soundLock();
    return g_manager ? g_manager->device.get() : nullptr;
}

SoundBuffer* soundGetPrimaryBuffer() {
    auto lock = soundLock();
    return g_manager ? g_manager->primary.get() : nullptr;
}

void soundRestore() {}

std::int32_t soundAttenuation(int master, int voice) {
    const double level = std::trunc(master / 127.0 * (voice / 127.0) * 127.0 + 0.5);
    const int v = std::clamp(static_cast<int>(level), 0, 127);
    if (v == 0)
        return kSoundVolumeMin;
    return static_cast<std::int32_t>(std::trunc(-1000.0 * std::log2(127.0 / v) - 0.5)); // -10 dB a halving
}

} // namespace q71
