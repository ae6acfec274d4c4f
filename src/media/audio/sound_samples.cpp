// Samples: one per wave file, found by path in a sorted table, read on first play.
#include "media/audio/sound_internal.h"

#include "framework/resources/registry.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

// The effects folder, read from the settings on first use.
const std::string& effectsFolder() {
    std::optional<std::string>& folder = soundManager()->effectsFolder;
    if (!folder) {
        SettingsKey* key = nullptr;
        if (regOpenKey(&key, 0, false)) {
            folder = regReadString(key, "sfxInstallPath");
            regCloseKey(key);
        }
        if (!folder)
            folder = "Sfx";
    }
    return *folder;
}

} // namespace

std::string soundSamplePath(const char* name) {
    // A name with a drive or from the root is a path already.
    if (name[0] == '\\' || name[0] == '/' || std::strchr(name, ':'))
        return name;
    return effectsFolder() + "\\" + name;
}

bool soundLoadSampleData(SoundSample& sample) {
    if (!sample.loaded) {
        sample.loaded = true;
        WaveFormat format;
        auto data = std::make_shared<std::vector<std::uint8_t>>();
        if (waveReadAll(sample.path, format, *data) == WaveError::none) {
            sample.format = format;
            sample.data = std::move(data);
        }
    }
    return sample.data != nullptr;
}

SoundSample* soundLoad(const char* name) {
    auto lock = soundLock();
    SoundManager* manager = soundManager();
    if (!manager || !name || !*name)
        return nullptr;
    std::string path = soundSamplePath(name);
    auto& samples = manager->samples;
    auto at = std::lower_bound(samples.begin(), samples.end(), path,
                               [](const auto& sample, const std::string& p) { return sample->path < p; });
    if (at != samples.end() && (*at)->path == path)
        return at->get();
    auto sample = std::make_unique<SoundSample>();
    sample->name = name;
    sample->path = std::move(path);
    return samples.insert(at, std::move(sample))->get();
}

bool soundPreload(SoundSample* sample) {
    auto lock = soundLock();
    return soundManager() && sample && soundLoadSampleData(*sample);
}

void soundUnloadSample(SoundSample* sample) {
    auto lock = soundLock();
    if (!soundManager() || !sample)
        return;
    sample->data.reset(); // voices keep their own buffers
    sample->loaded = false;
}

void soundUnloadAll() {
    auto lock = soundLock();
    if (!soundManager())
        return;
    for (auto& sample : soundManager()->samples)
        soundUnloadSample(sample.get());
}

} // namespace q71
