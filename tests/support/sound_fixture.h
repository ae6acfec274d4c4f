#pragma once
// Wave files built byte by byte, and a sound manager on a hand-driven device whose effects
// folder is a fresh folder of the test.

#include "framework/resources/registry.h"
#include "media/audio/sound_internal.h"
#include "platform/settings/settings_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace q71::test {

inline void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>(v >> (8 * i)));
}
inline void put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v));
    s.push_back(static_cast<char>(v >> 8));
}

/// A chunk: its id, its size (as given, or the contents' size), the contents and a pad byte when odd.
inline std::string chunk(const char* id, const std::string& contents, std::int64_t size = -1) {
    std::string s(id, 4);
    put32(s, static_cast<std::uint32_t>(size < 0 ? static_cast<std::int64_t>(contents.size()) : size));
    s += contents;
    if (contents.size() % 2)
        s.push_back('\0');
    return s;
}

/// The 16 bytes of a format chunk.
inline std::string formatBytes(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                               std::uint16_t bits, std::uint16_t blockAlign) {
    std::string s;
    put16(s, tag);
    put16(s, channels);
    put32(s, rate);
    put32(s, rate * blockAlign);
    put16(s, blockAlign);
    put16(s, bits);
    return s;
}

/// A RIFF WAVE file of the given chunks.
inline std::string riff(const std::string& chunks) {
    std::string s = "RIFF";
    put32(s, static_cast<std::uint32_t>(4 + chunks.size()));
    return s + "WAVE" + chunks;
}

/// A mono 16-bit wave of `frames` frames at one level.
inline std::string levelWave(std::int16_t level, int frames, std::uint32_t rate = kSoundMixRate) {
    std::string data;
    for (int i = 0; i < frames; ++i)
        put16(data, static_cast<std::uint16_t>(level));
    return riff(chunk("fmt ", formatBytes(1, 1, rate, 16, 2)) + chunk("data", data));
}

inline std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

/// The sound manager on a device that only the test advances, with the test's effects folder.
class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        regSetFamilyKey("Velm's Combat Simulations");
        regSetProductKey("Q71I Varden-Morrow");
        regSetVersionKey("1.0");
        std::string error;
        ASSERT_TRUE(settingsLoadText("[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\"
                                     "Q71I Varden-Morrow\\1.0]\nsfxInstallPath = \"" +
                                         dir.path().string() + "\"\n",
                                     error))
            << error;
        auto owned = std::make_unique<SoundDevice>();
        device = owned.get();
        ASSERT_TRUE(soundInitOnDevice(WindowHandle{}, std::move(owned)));
    }
    void TearDown() override { soundShutdown(); }

    /// Writes a wave into the effects folder.
    void wave(const std::string& name, const std::string& bytes) { dir.write(name, bytes); }

    /// The left channel of the next frames of the mix. Every 20 ms the stream voices are
    /// serviced as their threads would, so that the test does not depend on the threads' timing.
    std::vector<std::int16_t> mix(std::size_t frames) {
        constexpr std::size_t kStep = kSoundMixRate / 50;
        std::vector<std::int16_t> left;
        for (std::size_t done = 0; done < frames; done += kStep) {
            std::vector<std::int16_t> stereo(std::min(kStep, frames - done) * 2);
            device->mix(stereo);
            for (std::size_t i = 0; i < stereo.size(); i += 2)
                left.push_back(stereo[i]);
            serviceStreams();
        }
        return left;
    }

    static void serviceStreams() {
        auto lock = soundLock();
        soundBeginWalk();
        for (auto& voice : soundManager()->voices)
            if (voice->completion)
                soundStreamService(*voice);
        soundEndWalk();
    }

    /// The levels that follow each other in the samples, each run of one level counted once.
    static std::vector<std::int16_t> levels(const std::vector<std::int16_t>& samples) {
        std::vector<std::int16_t> runs;
        for (std::int16_t s : samples)
            if (runs.empty() || runs.back() != s)
                runs.push_back(s);
        return runs;
    }

    static std::size_t voiceCount() { return soundManager()->voices.size(); }

    TempDir dir;
    SoundDevice* device = nullptr;
};

} // namespace q71::test
