#include "media/audio/music.h"

#include "framework/resources/registry.h"
#include "media/audio/sound_manager.h"
#include "platform/files/path.h"
#include "platform/midi/midi_player.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

namespace {

constexpr WParam kNotifySuccessful = 1; // MCI_NOTIFY_SUCCESSFUL

struct Track {
    bool wanted = false; ///< set by play, cleared by stop
    bool loop = false;
    std::string path;
};

struct Listener {
    MusicEndListener function;
    void* argument;
    bool used = false;
};

struct MusicState {
    WindowHandle window{};
    std::unique_ptr<MidiPlayer> player;
    int volume = 127;
    std::optional<std::string> folder;
    std::optional<Track> track;
    std::list<Listener> listeners;
    int walking = 0; ///< walks of the listeners under way; removal waits for 0
};

MusicState* g_music = nullptr;
bool g_musicOn = true;
bool g_exitHandlerRegistered = false;
bool g_exitHandlerAfterSound = false;

// The music folder, read on first use: the MIDI driver folder, else the music folder, else "Midi".
const std::string& musicFolder() {
    std::optional<std::string>& folder = g_music->folder;
    if (!folder) {
        SettingsKey* key = nullptr;
        if (regOpenKey(&key, 0, false)) {
            folder = regReadString(key, "midiMilesInstallPath");
            regCloseKey(key);
        }
        if (!folder || folder->empty())
            folder = midiInstallPath[0] ? std::string(midiInstallPath) : std::string("Midi");
    }
    return *folder;
}

// The file of a track name, as the file system has it, so that one file is one track.
std::string trackPath(const char* name) {
    if (name[0] == '\\' || name[0] == '/' || std::strchr(name, ':'))
        return fileResolvePath(name); // a drive or the root: a path already
    return fileResolvePath(musicFolder() + "\\" + name);
}

std::optional<std::vector<std::uint8_t>> readWhole(const std::string& path) {
    std::FILE* f = fileOpen(path, "rb");
    if (!f)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[8192];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return std::nullopt;
    return bytes;
}

// The player joins the sound manager's device when there is one; music waits silently until then.
void joinTheMix() {
    if (g_music->player->attached())
        return;
    SoundDevice* device = soundGetDirectSound();
    if (!device)
        return;
    g_music->player->attach(*device);
    // Music opens before sound, so its first exit handler runs after the sound manager's has
    // released this device; one registered now, after the sound manager's, runs before it.
    if (!g_exitHandlerAfterSound) {
        g_exitHandlerAfterSound = true;
        std::atexit(musicShutdown);
    }
}

void reapListeners() {
    if (g_music->walking == 0)
        g_music->listeners.remove_if([](const Listener& l) { return l.used; });
}

} // namespace

void musicInit(WindowHandle window) { musicInitOnSynth(window, midiOpenSynth()); }

void musicInitOnSynth(WindowHandle window, std::unique_ptr<MidiSynth> synth) {
    if (g_music)
        return;
    g_music = new MusicState;
    g_music->window = window;
    g_music->player = std::make_unique<MidiPlayer>(std::move(synth));
    g_music->volume = g_music->player->masterVolume();
    // Runs on the mixing thread: it only posts the notification, as the music library did.
    g_music->player->setEndHandler([window] { messagePost(window, MM_MCINOTIFY, kNotifySuccessful, 0); });
    if (!g_exitHandlerRegistered) {
        g_exitHandlerRegistered = true;
        std::atexit(musicShutdown);
    }
}

void musicShutdown() {
    if (!g_music)
        return;
    musicUnload();
    g_music->player->detach();
    delete g_music;
    g_music = nullptr;
    g_musicOn = true;
}

int musicLoad(const char* name, int loop) {
    if (!g_music || !name)
        return 0;
    std::string path = trackPath(name);
    if (g_music->track) {
        if (g_music->track->path == path)
            return 1;
        musicUnload();
    }
    std::optional<std::vector<std::uint8_t>> file = readWhole(path);
    if (!file || !g_music->player->loadSequence(*file)) {
        musicUnload();
        return 0;
    }
    g_music->track = Track{false, loop != 0, path};
    g_music->player->setLoopCount(loop ? 0 : 1);
    joinTheMix();
    return 1;
}

void musicPlay() {
    if (!g_music || !g_music->track)
        return;
    g_music->track->wanted = true;
    if (!g_musicOn)
        return;
    joinTheMix();
    switch (g_music->player->status()) {
    case MidiStatus::Stopped:
        g_music->player->resume();
        break;
    case MidiStatus::Done:
        g_music->player->start();
        break;
    case MidiStatus::Playing:
        break;
    }
}

void musicStop() {
    if (!g_music || !g_music->track)
        return;
    g_music->player->stop();
    g_music->track->wanted = false;
}

int musicLoadAndPlay(const char* name, int loop) {
    musicUnload();
    int loaded = musicLoad(name, loop);
    musicPlay();
    return loaded;
}

void musicRestart() {
    if (!g_music || !g_music->track)
        return;
    MidiStatus status = g_music->player->status();
    if (status == MidiStatus::Stopped)
        g_music->player->end();
    else if (status == MidiStatus::Playing)
        g_music->player->start();
}

void musicUnload() {
    if (!g_music)
        return;
    for (Listener& l : g_music->listeners)
        l.used = true;
    reapListeners();
    g_music->player->end();
    g_music->track.reset();
}

bool musicIsEnabled() { return g_musicOn; }

void musicEnable() {
    if (g_musicOn)
        return;
    g_musicOn = true;
    if (g_music && g_music->track && g_music->track->wanted)
        musicPlay();
}

void musicDisable() {
    if (!g_musicOn)
        return;
    g_musicOn = false;
    // The wanted mark stays, so that music on resumes the track.
    if (g_music && g_music->track && g_music->player->status() == MidiStatus::Playing)
        g_music->player->stop();
}

void musicSetVolume(unsigned volume) {
    if (!g_music)
        return;
    g_music->volume = volume > 127 ? 127 : static_cast<int>(volume);
    g_music->player->setMasterVolume(g_music->volume);
}

int musicGetVolume() { return g_music ? g_music->volume : 0; }

void musicApplyVolume() {
    if (g_music)
        g_music->player->setMasterVolume(g_music->volume);
}

void musicAddEndListener(MusicEndListener function, void* argument) {
    if (!g_music || !function)
        return;
    for (const Listener& l : g_music->listeners)
        if (!l.used && l.function == function && l.argument == argument)
            return;
    g_music->listeners.push_front({function, argument});
}

void musicRemoveEndListener(MusicEndListener function, void* argument) {
    if (!g_music)
        return;
    for (Listener& l : g_music->listeners)
        if (l.function == function && l.argument == argument)
            l.used = true;
    reapListeners();
}

void musicNotifyEnd(WindowHandle, WParam argument) {
    if (!g_music || argument != kNotifySuccessful)
        return;
    // Listeners may load the next track and register again while this walk runs: those added
    // now are left for the next end, and nothing is removed until the walk is over.
    ++g_music->walking;
    std::vector<std::list<Listener>::iterator> present;
    for (auto it = g_music->listeners.begin(); it != g_music->listeners.end(); ++it)
        present.push_back(it);
    for (auto it : present) {
        if (it->used)
            continue;
        it->used = true;
        it->function(it->argument);
    }
    --g_music->walking;
    reapListeners();
}

} // namespace q71
